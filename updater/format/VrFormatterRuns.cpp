// The formatter's sector writers. Everything goes out in runs of at most
// 64 KiB, each read back at once; the FATs and the root area are zeros but
// for their first bytes, so the write buffer is only cleared after a run
// that put content into it.
#include <algorithm>

#include "updater/device/VrScsiDevice.h"
#include "updater/base/VrEngineContext.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"
#include "updater/format/VrFormatter.h"

namespace {

const uint32_t kRunBytes = 0x10000;
const uint8_t kVolumeLabelAttribute = 0x08;

}  // namespace

int32_t CVrFormatter::PrepareRun(uint32_t sectors) {
    const uint32_t bytes = sectors * m_sectorSize;
    // The transport sends the whole array, so it must be exactly one run long.
    if (m_written.GetCount() != bytes) {
        if (m_written.SetSize(bytes) != kVrOk) return kVrNoMemory;
    } else if (m_writtenDirty) {
        m_written.Clear();
    }
    m_writtenDirty = false;
    return kVrOk;
}

int32_t CVrFormatter::WriteAndVerify() {
    CVrProgress& progress = m_context.GetProgress();
    const uint32_t count = m_written.GetCount() / m_sectorSize;
    int32_t result = m_transport.WriteSectors(m_written, count, m_sector, m_sectorSize);
    if (result != kVrOk) return result;
    progress.Step(1);
    if (m_readBack.GetCount() != m_written.GetCount()) {
        if (m_readBack.SetSize(m_written.GetCount()) != kVrOk) return kVrNoMemory;
    } else {
        m_readBack.Clear();
    }
    result = m_transport.ReadSectors(m_readBack, count, m_sector, m_sectorSize);
    if (result != kVrOk) return result;
    progress.Step(1);
    if (m_readBack.IsEqual(m_written)) return kVrOk;
    SetResult(kVrVerifyMismatch);
    m_context.GetErrorRecord().Record(*this);
    return kVrVerifyMismatch;
}

template <typename FirstRun>
int32_t CVrFormatter::WriteRuns(int32_t stage, uint32_t component, uint32_t count, FirstRun begin) {
    const uint32_t perRun = std::max<uint32_t>(1, kRunBytes / m_sectorSize);
    const int32_t range = static_cast<int32_t>(count / perRun) * 2 + 2;
    m_context.GetProgress().SetComponentStage(stage, range, component);
    for (uint32_t done = 0; done < count;) {
        const uint32_t run = std::min(perRun, count - done);
        int32_t result = PrepareRun(run);
        if (result == kVrOk && done == 0) {
            m_writtenDirty = true;
            result = begin(m_written);
        }
        if (result == kVrOk) result = WriteAndVerify();
        if (result != kVrOk) return result;
        m_sector += run;
        done += run;
    }
    return kVrOk;
}

int32_t CVrFormatter::WriteImage(int32_t stage, const CVrDisk::SectorImage& image) {
    m_context.GetProgress().SetStage(stage, 2);
    int32_t result = PrepareRun(1);
    if (result != kVrOk) return result;
    m_writtenDirty = true;
    result = m_written.SetBytes(image.data(), static_cast<uint32_t>(image.size()), 0);
    if (result == kVrOk) result = WriteAndVerify();
    if (result == kVrOk) ++m_sector;
    return result;
}

int32_t CVrFormatter::WriteZeroSectors(uint32_t count) {
    return WriteRuns(kVrStageWriteZeroSectors, 0, count, [](CVrByteArray&) { return int32_t(kVrOk); });
}

int32_t CVrFormatter::WriteFats(const CVrDisk& disk) {
    const VrVolumeLayout& volume = disk.GetVolume();
    for (uint32_t copy = 1; copy <= volume.fatCount; ++copy) {
        const int32_t result = WriteRuns(kVrStageWriteFat, copy, volume.sectorsPerFat,
                                         [&disk](CVrByteArray& run) { return disk.WriteFatSignature(run); });
        if (result != kVrOk) return result;
    }
    return kVrOk;
}

// The first directory entry is the volume label: its bytes (none by default)
// and the label attribute, which is set whether or not a name was given.
int32_t CVrFormatter::WriteRootArea(uint32_t count, const uint8_t* label, uint32_t labelLength) {
    return WriteRuns(kVrStageWriteRootArea, 0, count, [label, labelLength](CVrByteArray& run) {
        int32_t result = kVrOk;
        if (label && labelLength) result = run.SetBytes(label, labelLength, 0);
        if (result == kVrOk && run.GetCount() > 11) result = run.SetAt(11, kVolumeLabelAttribute);
        return result;
    });
}
