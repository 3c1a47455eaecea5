#include "updater/engine/VrFwComponent.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "updater/base/VrConfigInfo.h"
#include "updater/engine/VrComponentFile.h"
#include "updater/engine/VrDecrypt.h"
#include "updater/base/VrEngineContext.h"
#include "updater/base/VrResult.h"

namespace {

// The image follows the first 0x1A "VRXA" of a file with a version header.
const uint8_t kMarker[] = {0x1A, 'V', 'R', 'X', 'A'};
const uint32_t kMarkerBytes = sizeof(kMarker);
// The marker sits right after a header of a few lines; the search reads the
// file in pieces of this size so that it never holds a second image.
const uint32_t kSearchBytes = 64 * 1024;
// The decryption step keeps nothing from one byte to the next, so slices
// give the same image as one pass while the memory beside the image stays
// one slice, even for images of tens of MiB.
const uint32_t kDecryptSlice = 1024 * 1024;

const uint8_t kErasedByte = 0xFF;

}  // namespace

CVrFwComponent::CVrFwComponent(CVrEngineContext& context, uint8_t index, const char* name)
    : CVrBase(name), m_context(context), m_index(index) {
    CVrConfigInfo& config = context.GetConfig();
    std::string fileName;
    int32_t result = config.GetComponentFileName(index, fileName);
    if (result == kVrOk) {
        ScanHeader(fileName);
        bool decrypt = false;
        if (config.GetComponentUpdateFlag(index, decrypt) != kVrOk) decrypt = false;
        result = ReadImage(fileName, decrypt);
    }
    SetResult(result);
    context.GetErrorRecord().RecordWithComponent(*this, index);
}

CVrFwComponent::~CVrFwComponent() = default;

// The header's own failures are not reported: a file that cannot be read as
// text is taken as one without a header, and the image load says the rest.
void CVrFwComponent::ScanHeader(const std::string& fileName) {
    CVrComponentFile file(m_context.GetHost());
    if (!file.Open(fileName)) return;
    m_headerState = VrScanComponentHeader(file, m_productVersion, m_componentVersion);
}

int32_t CVrFwComponent::ReadImage(const std::string& fileName, bool decrypt) {
    CVrComponentFile file(m_context.GetHost());
    if (!file.Open(fileName)) return FileFailure(file);
    uint64_t fileSize = 0;
    if (!file.GetSize(fileSize) || !file.Seek(0)) return FileFailure(file);

    uint64_t start = 0;
    if (m_headerState != kVrHeaderNone) {
        int32_t found = FindImageStart(file, fileSize, start);
        if (found != kVrOk) return found;
    }
    const uint64_t length = fileSize - start;
    // An empty image would leave the player's drive erased and still be
    // stamped with the file's versions: the file is damaged.
    if (length == 0) return kVrBadComponentFile;
    if (length > UINT32_MAX) return kVrNoMemory;

    // The file is read straight into the component's array, in one request.
    std::unique_ptr<CVrByteArray> image(new (std::nothrow) CVrByteArray(static_cast<uint32_t>(length)));
    if (!image || image->GetLastResult() != kVrOk) return kVrNoMemory;
    if (!file.Seek(start) || !file.ReadExactly(image->GetPtr(0), static_cast<uint32_t>(length))) {
        return FileFailure(file);
    }
    m_image = std::move(image);
    if (!decrypt) return kVrOk;

    int32_t result = DecryptImage();
    if (result != kVrOk) m_image.reset();
    return result;
}

int32_t CVrFwComponent::FindImageStart(CVrComponentFile& file, uint64_t fileSize, uint64_t& start) {
    // Each piece keeps the last bytes of the one before, so a marker that
    // straddles two pieces is still found.
    const uint32_t carry = kMarkerBytes - 1;
    std::unique_ptr<uint8_t[]> window(new (std::nothrow) uint8_t[kSearchBytes + carry]);
    if (!window) return kVrNoMemory;
    uint64_t windowOffset = 0;
    uint32_t kept = 0;
    while (windowOffset + kept < fileSize) {
        uint32_t read = 0;
        if (!file.Read(window.get() + kept, kSearchBytes, read)) return FileFailure(file);
        if (read == 0) break;
        const uint32_t filled = kept + read;
        const uint8_t* begin = window.get();
        const uint8_t* end = begin + filled;
        const uint8_t* marker = std::search(begin, end, kMarker, kMarker + kMarkerBytes);
        if (marker != end) {
            start = windowOffset + static_cast<uint64_t>(marker - begin) + kMarkerBytes;
            return kVrOk;
        }
        kept = std::min(filled, carry);
        std::memmove(window.get(), end - kept, kept);
        windowOffset += filled - kept;
    }
    return kVrBadComponentFile;
}

int32_t CVrFwComponent::DecryptImage() {
    const uint32_t size = m_image->GetCount();
    for (uint32_t offset = 0; offset < size; offset += kDecryptSlice) {
        const uint32_t length = std::min(kDecryptSlice, size - offset);
        uint8_t* slice = m_image->GetPtr(offset);
        std::unique_ptr<uint8_t[]> plain;
        uint32_t plainLength = 0;
        CVrDecrypt step(slice, length, plain, plainLength);
        if (step.GetLastResult() != kVrOk) return step.GetLastResult();
        std::memcpy(slice, plain.get(), std::min(length, plainLength));
    }
    return kVrOk;
}

int32_t CVrFwComponent::FileFailure(const CVrComponentFile& file) {
    m_systemError = file.GetSystemError();
    return kVrFileOpenFailed;
}

uint64_t CVrFwComponent::GetSize() const { return m_image ? m_image->GetCount() : 0; }

int32_t CVrFwComponent::GetData(uint64_t offset, uint32_t length, CVrByteArray& target) const {
    const uint64_t size = GetSize();
    if (offset > size) {
        std::fill_n(target.GetPtr(0), target.GetCount(), kErasedByte);
        return kVrOk;
    }
    return GetData(offset, std::min(length, target.GetCount()), target.GetPtr(0));
}

int32_t CVrFwComponent::GetData(uint64_t offset, uint32_t length, uint8_t* buffer) const {
    const uint64_t size = GetSize();
    // Compared as 64-bit counts: offset + length may lie far beyond 4 GiB.
    const uint32_t copied = offset >= size ? 0 : static_cast<uint32_t>(std::min<uint64_t>(length, size - offset));
    if (copied != 0) std::memcpy(buffer, m_image->GetPtr(static_cast<uint32_t>(offset)), copied);
    std::fill_n(buffer + copied, length - copied, kErasedByte);
    return kVrOk;
}

int32_t CVrFwComponent::GetProductVersion(CVrVersionInfo& version) const {
    version = m_productVersion;
    return kVrOk;
}

int32_t CVrFwComponent::GetComponentVersion(CVrVersionInfo& version) const {
    version = m_componentVersion;
    return kVrOk;
}

bool VrIsComponentFailure(int32_t code) {
    switch (code) {
    case kVrNoMemory:
    case kVrComponentNotPresent:
    case kVrIndexBeyondTable:
    case kVrFileOpenFailed:
    case kVrBadComponentFile:
        return true;
    default:
        return false;
    }
}
