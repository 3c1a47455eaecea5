// SCSI commands through the volume handle, in the 32-bit pass-through record.
#include <cstring>
#include <functional>
#include <string>

#include "platform/sim/player/SimLittleEndian.h"
#include "tests/player-nt/PlayerOnPc.h"

using namespace SimPassThroughField;

namespace {

class PassThrough : public PlayerOnPc {
protected:
    void SetUp() override {
        handle = OpenVolume();
        ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    }
    // Sends the record in place, as its own input and output: ERROR_SUCCESS or the error.
    DWORD Send(std::vector<BYTE>& record, DWORD inSize = 0, DWORD outSize = 0) {
        returned = 0xDEAD;
        DWORD in = inSize ? inSize : static_cast<DWORD>(record.size());
        DWORD out = outSize ? outSize : static_cast<DWORD>(record.size());
        return host.DeviceIoControl(handle, kSimScsiPassThrough, record.data(), in, record.data(), out, &returned,
                                    nullptr)
                   ? ERROR_SUCCESS
                   : Error();
    }

    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD returned = 0;
};

}  // namespace

TEST_F(PassThrough, DataInComesBackInTheRecord) {
    std::vector<BYTE> record = PassThroughRecord({0x12, 0, 0, 0, 0x60, 0}, kSimDataIn, 96);
    ASSERT_EQ(0u, Send(record));
    EXPECT_EQ(0, record[kStatus]);
    EXPECT_EQ(0, record[kSenseLength]);
    EXPECT_EQ(36u, SimGet32(&record[kDataLength]));  // what the player answered, not what was asked
    EXPECT_EQ(kDataAt + 36, returned);
    EXPECT_EQ("Lumo    MP3 Audio Player", std::string(reinterpret_cast<char*>(&record[kDataAt + 8]), 24));
    EXPECT_EQ(std::vector<BYTE>(61, 0), std::vector<BYTE>(record.begin() + kDataAt + 36, record.end()));
    EXPECT_EQ(1u, volume->Requests().passThroughs);
}

TEST_F(PassThrough, DataOutReachesTheMedium) {
    std::vector<BYTE> sector = Pattern(512, 9);
    std::vector<BYTE> record = PassThroughRecord({0x2A, 0, 0, 0, 0, 5, 0, 0, 1, 0}, kSimDataOut, 512);
    std::memcpy(&record[kDataAt], sector.data(), sector.size());
    ASSERT_EQ(0u, Send(record));
    EXPECT_EQ(0, record[kStatus]);
    EXPECT_EQ(512u, SimGet32(&record[kDataLength]));
    EXPECT_EQ(kHeaderSize, returned);
    EXPECT_EQ(sector, player->Sector(5));
}

TEST_F(PassThrough, CheckConditionCarriesTheSenseData) {
    std::vector<BYTE> cdb(16, 0);
    cdb[0] = 0xC7;  // no command of the player
    std::vector<BYTE> record = PassThroughRecord(cdb, kSimDataIn, 0);
    ASSERT_EQ(0u, Send(record));  // the request worked; the command did not
    EXPECT_EQ(static_cast<BYTE>(SimScsiStatus::kCheckCondition), record[kStatus]);
    EXPECT_EQ(18, record[kSenseLength]);
    EXPECT_EQ(0x70, record[kSenseAt]);
    EXPECT_EQ(0x05, record[kSenseAt + 2]);
    EXPECT_EQ(0x20, record[kSenseAt + 12]);
    EXPECT_EQ(kSenseAt + 18, returned);

    // Less room for sense data: only that much is stored, and the rest of the record stays.
    record = PassThroughRecord(cdb, kSimDataIn, 0);
    record[kSenseLength] = 8;
    record[kSenseAt + 8] = 0xAB;
    ASSERT_EQ(0u, Send(record));
    EXPECT_EQ(8, record[kSenseLength]);
    EXPECT_EQ(0x05, record[kSenseAt + 2]);
    EXPECT_EQ(0xAB, record[kSenseAt + 8]);
}

TEST_F(PassThrough, RecordsADriverRefusesNeverReachThePlayer) {
    const std::vector<BYTE> inquiry = {0x12, 0, 0, 0, 0x60, 0};
    struct Case {
        const char* what;
        std::function<void(std::vector<BYTE>&)> change;
        DWORD inSize = 0, outSize = 0;
    };
    const Case cases[] = {
        {"64-bit record length", [](std::vector<BYTE>& r) { SimPut16(&r[kLength], 56); }},
        {"command length 7", [](std::vector<BYTE>& r) { r[kCdbLength] = 7; }},
        {"command length 0", [](std::vector<BYTE>& r) { r[kCdbLength] = 0; }},
        {"direction 3", [](std::vector<BYTE>& r) { r[kDirection] = 3; }},
        {"unspecified direction with data", [](std::vector<BYTE>& r) { r[kDirection] = kSimDataUnspecified; }},
        {"data inside the header", [](std::vector<BYTE>& r) { SimPut32(&r[kDataOffset], 20); }},
        {"data past the buffer", [](std::vector<BYTE>& r) { SimPut32(&r[kDataLength], 1000); }},
        {"sense past the buffer", [](std::vector<BYTE>& r) { SimPut32(&r[kSenseOffset], 160); }},
        {"input shorter than the header", [](std::vector<BYTE>&) {}, 40},
        {"output too short for the data", [](std::vector<BYTE>&) {}, 0, 100},
        {"data out beyond the input",
         [](std::vector<BYTE>& r) { r[kDirection] = kSimDataOut; }, 100, 0},
    };
    for (const Case& bad : cases) {
        std::vector<BYTE> record = PassThroughRecord(inquiry, kSimDataIn, 96);
        bad.change(record);
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), Send(record, bad.inSize, bad.outSize)) << bad.what;
    }
    EXPECT_EQ(0u, player->Commands());

    // Without a data phase the record is the header, sense room and one byte.
    std::vector<BYTE> record = PassThroughRecord(inquiry, kSimDataUnspecified, 0);
    EXPECT_EQ(0u, Send(record));
}

TEST_F(PassThrough, NeedsAReadWriteHandleAndAPlayer) {
    HANDLE readOnly = OpenVolume(GENERIC_READ);
    ASSERT_NE(INVALID_HANDLE_VALUE, readOnly);
    std::vector<BYTE> record = PassThroughRecord({0x12, 0, 0, 0, 0x60, 0}, kSimDataIn, 96);
    DWORD size = static_cast<DWORD>(record.size());
    EXPECT_FALSE(host.DeviceIoControl(readOnly, kSimScsiPassThrough, record.data(), size, record.data(), size,
                                      &returned, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());

    player->Disconnect();
    EXPECT_EQ(static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED), Send(record));
    EXPECT_EQ(0u, player->Commands());
}
