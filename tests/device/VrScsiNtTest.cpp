// The pass-through transport against a scripted unit at E:.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/device/TransportTestBed.h"
#include "updater/device/VrStandardCommands.h"
#include "updater/device/VrVendorChanges.h"
#include "updater/device/VrVendorQueries.h"

using namespace scripted;

namespace {

class VrScsiNt : public ::testing::Test, public TransportTestBed {
protected:
    void SetUp() override {
        Attach(machine, L'E', DRIVE_REMOVABLE, unit);
        ASSERT_EQ(kVrOk, transport.FindDevice());
    }

    Request LastRequest() { return unit->Requests().back(); }

    std::shared_ptr<Unit> unit = Player();
};

void PutLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The record's fixed part for a 16-byte command with `dataLength` bytes of data.
std::vector<uint8_t> RecordHead(uint8_t direction, uint32_t dataLength, std::vector<uint8_t> command) {
    std::vector<uint8_t> record(71 + dataLength, 0);
    record[0] = 44;
    record[6] = 16;
    record[7] = 18;
    record[8] = direction;
    PutLe32(record, 12, dataLength);
    PutLe32(record, 16, 120);
    PutLe32(record, 20, 70);
    PutLe32(record, 24, 52);
    std::copy(command.begin(), command.end(), record.begin() + 28);
    PutLe32(record, 44, 71 + dataLength);
    return record;
}

const std::vector<uint8_t> kStatusSense = {0x70, 0, 9, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x12, 0x34, 0, 0, 0, 0};
const wchar_t kStatusSenseText[] =
    L"0x70, 0x0, 0x9, 0x0, 0x0, 0x0, 0x0, 0xa, 0x0, 0x0, 0x0, 0x0, 0x12, 0x34, 0x0, 0x0, 0x0, 0x0";

}  // namespace

TEST_F(VrScsiNt, CommandWithoutDataGoesAsDataInOfNoBytes) {
    CVrEraseLogicalDrive erase(3);
    ASSERT_EQ(kVrOk, transport.SendCommand(erase));
    Request request = LastRequest();
    EXPECT_EQ(kPassThrough, request.code);
    EXPECT_TRUE(request.sameBuffer);
    EXPECT_EQ(71u, request.outSize);
    EXPECT_EQ(RecordHead(1, 0, {0xC1, 0x2F, 3}), request.in);
}

TEST_F(VrScsiNt, DataOutTakesItsBytesFromTheBlock) {
    std::vector<uint8_t> data(512);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i ^ 0x5A);
    CVrWriteLogicalDriveSector write(2, 512, 7, 1);
    ASSERT_EQ(kVrOk, write.SetData(data.data(), 512));
    ASSERT_EQ(kVrOk, transport.SendCommand(write));
    std::vector<uint8_t> expected = RecordHead(0, 512, {0xC1, 0x23, 2, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 1});
    std::copy(data.begin(), data.end(), expected.begin() + 70);
    EXPECT_EQ(expected, LastRequest().in);
}

TEST_F(VrScsiNt, ShortReplyLeavesTheRestOfTheReplyZero) {
    unit->script = [](const std::vector<uint8_t>&, const std::vector<uint8_t>&) {
        Answer answer;
        answer.data = {7, 8, 9};
        return answer;
    };
    CVrRead read(5, 1, 512);
    ASSERT_EQ(kVrOk, transport.SendCommand(read));
    EXPECT_EQ(RecordHead(1, 512, {}).size(), LastRequest().in.size());
    EXPECT_EQ(1, LastRequest().in[8]);
    CVrByteArray data(512);
    data.SetAt(100, 0xEE);
    read.GetData(data);
    std::vector<uint8_t> expected(512, 0);
    expected[0] = 7, expected[1] = 8, expected[2] = 9;
    std::vector<uint8_t> got(512);
    data.GetBytes(got.data(), 512, 0);
    EXPECT_EQ(expected, got);
}

TEST_F(VrScsiNt, CheckConditionRecordsTheSenseText) {
    StatusTexts texts;
    texts.texts[0x1234] = L"The flash is busy";
    std::vector<uint8_t> sense = kStatusSense;
    unit->script = [&sense](const std::vector<uint8_t>&, const std::vector<uint8_t>&) {
        Answer answer;
        answer.status = 2;
        answer.sense = sense;
        return answer;
    };
    auto detailOfFailure = [&] {
        CVrGetChipMajorRevId chip;
        EXPECT_EQ(kVrCheckCondition, transport.SendCommand(chip));
        return updater.GetErrorRecord().GetDetail();
    };

    updater.SetResource(&texts);
    EXPECT_EQ(L"The flash is busy", detailOfFailure());
    const CVrErrorRecord& record = updater.GetErrorRecord();
    EXPECT_EQ("CVrScsi_Nt", record.GetObjectName());
    EXPECT_EQ(kVrCheckCondition, record.GetResultCode());
    ASSERT_NE(nullptr, transport.GetSense());
    EXPECT_EQ(18u, transport.GetSense()->GetCount());
    EXPECT_EQ(kVrOk, transport.GetLastResult());

    texts.texts.clear();  // a status without a message
    EXPECT_EQ(std::wstring(L"\n") + kStatusSenseText, detailOfFailure());
    updater.SetResource(nullptr);
    EXPECT_EQ(std::wstring(L"\n") + kStatusSenseText, detailOfFailure());

    sense = {0x70, 0, 5, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x24};  // an ordinary sense key
    EXPECT_EQ(L"0x70, 0x0, 0x5, 0x0, 0x0, 0x0, 0x0, 0xa, 0x0, 0x0, 0x0, 0x0, 0x24", detailOfFailure());
    EXPECT_EQ(13u, transport.GetSense()->GetCount());
}

TEST_F(VrScsiNt, FailedControlCallIsRecordedWithItsSystemError) {
    unit->script = [](const std::vector<uint8_t>&, const std::vector<uint8_t>&) {
        Answer answer;
        answer.error = ERROR_IO_DEVICE;
        return answer;
    };
    CVrGetChipMajorRevId chip;
    EXPECT_EQ(kVrControlFailed, transport.SendCommand(chip));
    const CVrErrorRecord& record = updater.GetErrorRecord();
    EXPECT_EQ("CVrScsi_Nt", record.GetObjectName());
    EXPECT_EQ(kVrControlFailed, record.GetResultCode());
    EXPECT_EQ(DWORD(ERROR_IO_DEVICE), record.GetSystemError());
    EXPECT_EQ(kVrOk, transport.GetLastResult());
    EXPECT_EQ(0u, transport.GetSystemError());
    EXPECT_EQ(nullptr, chip.GetReply());
}

TEST_F(VrScsiNt, RefusedCommandsNeverReachTheDevice) {
    const size_t before = unit->Requests().size();
    CVrGetLogicalMediaInfo media(3, 0);
    EXPECT_EQ(kVrUnexpectedInfoType, transport.SendCommand(media));
    CVrGetLogicalDriveInfo drive(1, 12, 0);
    EXPECT_EQ(kVrIndexBeyondTable, transport.SendCommand(drive));
    CVrWriteLogicalDriveSector write(1, 512, 0, 4);
    write.SetData(std::vector<uint8_t>(2049).data(), 2049);
    EXPECT_EQ(kVrDataTooLong, transport.SendCommand(write));
    EXPECT_EQ(before, unit->Requests().size());
}

// The command runs elsewhere while this thread keeps the interface alive:
// one turn per command and one per message that arrives meanwhile.
TEST_F(VrScsiNt, InterfaceStaysAliveWhileACommandRuns) {
    const int before = progress.Steps();  // the search's commands had theirs
    bool steppedMeanwhile = false;
    std::thread::id ranOn;
    unit->script = [&](const std::vector<uint8_t>&, const std::vector<uint8_t>&) {
        ranOn = std::this_thread::get_id();
        steppedMeanwhile = progress.WaitBeyond(before);
        return Answer();
    };
    host.messages = 3;
    CVrEraseLogicalMedia erase;
    ASSERT_EQ(kVrOk, transport.SendCommand(erase));
    EXPECT_TRUE(steppedMeanwhile);
    EXPECT_NE(std::this_thread::get_id(), ranOn);
    EXPECT_EQ(before + 4, progress.Steps());
    // The same worker serves the next command.
    CVrEraseLogicalMedia again;
    ASSERT_EQ(kVrOk, transport.SendCommand(again));
    EXPECT_EQ(before + 5, progress.Steps());
}

// A window message handled while waiting must not slip a second request in
// under the one in flight.
TEST_F(VrScsiNt, CommandAskedForWhileOneRunsIsRefused) {
    bool first = true;
    int32_t nested = kVrOk;
    progress.onStep = [&] {
        if (!first) return;
        first = false;
        CVrEraseLogicalDrive inner(9);
        nested = transport.SendCommand(inner);
    };
    const size_t before = unit->Commands().size();
    CVrEraseLogicalDrive outer(1);
    EXPECT_EQ(kVrOk, transport.SendCommand(outer));
    EXPECT_EQ(kVrControlFailed, nested);
    EXPECT_EQ(DWORD(ERROR_NOT_READY), updater.GetErrorRecord().GetSystemError());
    ASSERT_EQ(before + 1, unit->Commands().size());
    EXPECT_EQ(1, unit->Commands().back()[2]);
}

TEST_F(VrScsiNt, VolumeRequestsAreTriedTenTimesWithPauses) {
    ASSERT_EQ(kVrOk, transport.Open());
    unit->volumeFailures = 100;
    DWORD start = host.GetTickCount();
    EXPECT_EQ(kVrLockFailed, transport.Lock(0));
    EXPECT_EQ(1000u, host.GetTickCount() - start);
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), updater.GetErrorRecord().GetSystemError());
    EXPECT_EQ(kVrLockFailed, updater.GetErrorRecord().GetResultCode());
    int locks = 0;
    for (const Request& request : unit->Requests()) locks += request.code == kLockVolume;
    EXPECT_EQ(10, locks);

    unit->volumeFailures = 2;
    start = host.GetTickCount();
    EXPECT_EQ(kVrOk, transport.Unlock(0));
    EXPECT_EQ(200u, host.GetTickCount() - start);
    EXPECT_EQ(kUnlockVolume, LastRequest().code);

    unit->volumeFailures = 10;
    EXPECT_EQ(kVrDismountFailed, transport.Release(0));
    EXPECT_EQ(kDismountVolume, LastRequest().code);
    const size_t before = unit->Requests().size();
    EXPECT_EQ(kVrOk, transport.LockForFormat(1));
    EXPECT_EQ(before, unit->Requests().size());
}

TEST_F(VrScsiNt, SectorsAreFileTransfersAt64BitPositions) {
    std::vector<uint8_t> pattern(1024);
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<uint8_t>(i * 13 + 5);
    CVrByteArray data(1024);
    data.SetBytes(pattern.data(), 1024, 0);
    ASSERT_EQ(kVrOk, transport.Open());
    ASSERT_EQ(kVrOk, transport.WriteSectors(data, 2, 3, 512));
    ASSERT_EQ(1536u + 1024u, unit->medium.size());
    EXPECT_EQ(pattern, std::vector<uint8_t>(unit->medium.begin() + 1536, unit->medium.end()));

    CVrByteArray back(1024);
    ASSERT_EQ(kVrOk, transport.ReadSectors(back, 2, 3, 512));
    EXPECT_TRUE(back.IsEqual(data));
    // Past 2 GiB the position is still unsigned, and past 4 GiB it carries
    // its high part.
    ASSERT_EQ(kVrOk, transport.ReadSectors(back, 1, 0x600000, 512));
    ASSERT_EQ(kVrOk, transport.ReadSectors(back, 2, 0xFFFFFFFFu, 2048));
    EXPECT_EQ((std::vector<uint64_t>{1536, 1536, 0xC0000000ull, 0x7FFFFFFF800ull}), unit->TransferOffsets());

    // A transfer of 4 GiB does not fit one request: refused before the
    // device sees anything.
    EXPECT_EQ(kVrWriteFailed, transport.WriteSectors(data, 0x800000, 0, 512));
    EXPECT_EQ(DWORD(ERROR_ARITHMETIC_OVERFLOW), updater.GetErrorRecord().GetSystemError());
    EXPECT_EQ(kVrWriteFailed, updater.GetErrorRecord().GetResultCode());
    EXPECT_EQ(4u, unit->TransferOffsets().size());
}

TEST_F(VrScsiNt, GeometryAndLayoutRecords) {
    ASSERT_EQ(kVrOk, transport.Open());
    unit->geometry = {2, 0, 0, 0, 1, 0, 0, 0, 12, 0, 0, 0, 255, 0, 0, 0, 63, 0, 0, 0, 0, 2, 0, 0};
    VrDiskGeometry geometry;
    ASSERT_EQ(kVrOk, transport.GetDriveGeometry(geometry));
    EXPECT_EQ(0x100000002ull, geometry.cylinders);
    EXPECT_EQ(12u, geometry.mediaType);
    EXPECT_EQ(255u, geometry.tracksPerCylinder);
    EXPECT_EQ(63u, geometry.sectorsPerTrack);
    EXPECT_EQ(512u, geometry.bytesPerSector);
    EXPECT_EQ(24u, LastRequest().outSize);

    geometry = VrDiskGeometry();
    geometry.cylinders = 100, geometry.tracksPerCylinder = 16, geometry.sectorsPerTrack = 32;
    geometry.bytesPerSector = 512;
    ASSERT_EQ(kVrOk, transport.SetDriveLayout(geometry, 32));
    std::vector<uint8_t> expected(136, 0);
    PutLe32(expected, 0, 4);
    PutLe32(expected, 8, 32 * 512);                         // start
    PutLe32(expected, 16, 100 * 16 * 32 * 512 - 32 * 512);  // length
    PutLe32(expected, 24, 32);                              // hidden sectors
    PutLe32(expected, 28, 1);                               // partition number
    expected[32] = 6, expected[34] = 1, expected[35] = 1;   // type, recognized, rewrite
    for (uint32_t number = 2; number <= 4; ++number) {
        PutLe32(expected, 8 + 32 * (number - 1) + 20, number);
        expected[8 + 32 * (number - 1) + 27] = 1;
    }
    EXPECT_EQ(kSetLayout, LastRequest().code);
    EXPECT_EQ(expected, LastRequest().in);
}
