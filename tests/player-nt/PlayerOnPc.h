// A simulated PC with the in-memory player attached as E:, and a program
// running on it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimHost.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimFat.h"
#include "platform/sim/player/SimLittleEndian.h"
#include "platform/sim/player/SimPassThrough.h"
#include "tests/player-nt/MemoryPlayer.h"

class PlayerOnPc : public ::testing::Test {
protected:
    static constexpr uint64_t kMediumSectors = 32768;  // 16 MiB
    static constexpr SYSTEMTIME kStamp = {2005, 3, 1, 14, 9, 30, 0, 0};

    explicit PlayerOnPc(uint64_t sectors = kMediumSectors)
        : player(std::make_shared<MemoryPlayer>(sectors)), volume(SimAttachPlayer(machine, L'E', player)) {}

    HANDLE OpenVolume(DWORD access = GENERIC_READ | GENERIC_WRITE) {
        return host.CreateFile(L"\\\\.\\E:", access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
    }
    // A control request without buffers: ERROR_SUCCESS, or its error.
    DWORD Control(HANDLE handle, DWORD code) {
        DWORD returned = 0;
        return host.DeviceIoControl(handle, code, nullptr, 0, nullptr, 0, &returned, nullptr) ? ERROR_SUCCESS
                                                                                            : host.GetLastError();
    }
    void Format(SimFatKind kind = SimFatKind::kFat16) { ASSERT_EQ(0u, SimFatFormat(*player, kind)); }
    void PutFile(const std::wstring& name, const std::vector<BYTE>& bytes) {
        ASSERT_EQ(0u, SimFatWriteFile(*player, name, bytes, kStamp));
    }
    DWORD Error() { return host.GetLastError(); }

    SimMachine machine;
    std::shared_ptr<MemoryPlayer> player;
    std::shared_ptr<SimPlayerVolume> volume;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
};

inline std::vector<BYTE> Pattern(size_t length, BYTE seed) {
    std::vector<BYTE> bytes(length);
    for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<BYTE>(seed + i * 7);
    return bytes;
}

const DWORD kSenseAt = 52;
const DWORD kDataAt = 70;

// A pass-through record as the updater lays it out: 18 bytes of sense room
// at 52, the data buffer at 70, one spare byte at the end.
inline std::vector<BYTE> PassThroughRecord(const std::vector<BYTE>& cdb, BYTE direction, DWORD dataLength) {
    using namespace SimPassThroughField;
    std::vector<BYTE> record(kDataAt + dataLength + 1, 0);
    SimPut16(&record[kLength], kHeaderSize);
    record[kCdbLength] = static_cast<BYTE>(cdb.size());
    record[kSenseLength] = 18;
    record[kDirection] = direction;
    SimPut32(&record[kDataLength], dataLength);
    SimPut32(&record[kTimeOut], 120);
    SimPut32(&record[kDataOffset], kDataAt);
    SimPut32(&record[kSenseOffset], kSenseAt);
    std::memcpy(&record[kCdb], cdb.data(), cdb.size());
    return record;
}
