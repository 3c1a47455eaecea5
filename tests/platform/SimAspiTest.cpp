// The ASPI layer and the DOS request device of a simulated Windows 98 PC,
// asked directly: what they refuse before a unit or a drive sees anything.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/SimHost.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimLittleEndian.h"

namespace {

class SimAspiLayer : public ::testing::Test {
protected:
    SimAspiLayer() {
        machine.SetWindows(SimWindows::k98);
        machine.Aspi().AddAdapter({"USB MASS STORAGE", SimMakeOtherDisk("Tarn    ", "Card Reader"), 0});
    }

    // An INQUIRY of `length` bytes into the block at `buffer`, for `adapter`.
    std::vector<BYTE> Inquiry(BYTE adapter, uint32_t buffer, BYTE length, HANDLE event) {
        using namespace SimAspiExecute;
        std::vector<BYTE> request(kSize, 0);
        request[kCommand] = SimAspiCode::kExecute;
        request[kAdapter] = adapter;
        request[kFlags] = SimAspiCode::kDataIn | SimAspiCode::kEventNotify;
        SimPut32(&request[kBufferLength], length);
        SimPut32(&request[kBuffer], buffer);
        request[kSenseLength] = 14;
        request[kCdbLength] = 6;
        SimPut32(&request[kEvent], static_cast<uint32_t>(reinterpret_cast<uintptr_t>(event)));
        const BYTE cdb[6] = {0x12, 0, 0, 0, length, 0};
        std::memcpy(&request[kCdb], cdb, sizeof cdb);
        return request;
    }

    SimMachine machine;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
};

TEST_F(SimAspiLayer, AnExecuteRequestIsCheckedBeforeTheUnitSeesIt) {
    HMODULE aspi = host.LoadLibrary(L"WNASPI32.DLL");
    ASSERT_NE(nullptr, aspi);
    auto send = reinterpret_cast<DWORD (*)(void*)>(
        reinterpret_cast<void (*)()>(host.GetProcAddress(aspi, "SendASPI32Command")));
    ASSERT_NE(nullptr, send);
    HANDLE event = host.CreateEvent(nullptr, TRUE, FALSE, nullptr);
    BYTE* buffer = static_cast<BYTE*>(host.GlobalAlloc(GPTR, 36));
    ASSERT_NE(nullptr, buffer);
    const uint32_t address = SimAddressOf(buffer);
    ASSERT_NE(0u, address);

    BYTE stack[36] = {};  // not the program's GlobalAlloc memory: no address the layer may use
    std::vector<BYTE> request = Inquiry(0, SimAddressOf(stack), 36, event);
    EXPECT_EQ(SimAspiCode::kInvalidRequest, send(request.data()));
    request = Inquiry(0, address, 37, event);  // runs past the block's end
    EXPECT_EQ(SimAspiCode::kInvalidRequest, send(request.data()));
    request = Inquiry(1, address, 36, event);  // there is one adapter
    EXPECT_EQ(SimAspiCode::kInvalidAdapter, send(request.data()));
    EXPECT_EQ(0u, machine.Aspi().Asked().executes);

    request = Inquiry(0, address, 36, event);
    EXPECT_EQ(SimAspiCode::kPending, send(request.data()));
    ASSERT_EQ(WAIT_OBJECT_0, host.WaitForSingleObject(event, INFINITE));
    EXPECT_EQ(SimAspiCode::kCompleted, request[SimAspiExecute::kStatus]);  // written before the event
    EXPECT_EQ(0, std::memcmp(buffer + 8, "Tarn    Card Reader", 19));
    EXPECT_EQ(nullptr, host.GlobalFree(buffer));
    EXPECT_EQ(nullptr, machine.LowMemory().Reach(address, 1));  // freed memory is no address either
    host.CloseHandle(event);
    host.FreeLibrary(aspi);
}

TEST_F(SimAspiLayer, TheDosDeviceChecksItsParameterBlocks) {
    HANDLE vwin32 = host.CreateFile(L"\\\\.\\vwin32", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, vwin32);
    machine.MapFolder(L'C', DRIVE_FIXED, std::filesystem::temp_directory_path());
    BYTE* map = static_cast<BYTE*>(host.GlobalAlloc(GPTR, 16));
    auto driveMap = [&](BYTE drive, uint32_t edx, DWORD& flags) {
        BYTE registers[28] = {};
        SimPut32(registers + 0, drive);
        SimPut32(registers + 4, edx);
        SimPut32(registers + 8, 0x086F);
        SimPut32(registers + 12, 0x440D);
        DWORD returned = 0;
        EXPECT_TRUE(host.DeviceIoControl(vwin32, 1, registers, 28, registers, 28, &returned, nullptr));
        flags = SimGet32(registers + 24);
        return static_cast<WORD>(SimGet32(registers + 12));
    };
    DWORD flags = 0;
    map[0] = 16;
    driveMap(3, SimAddressOf(map), flags);
    EXPECT_EQ(0u, flags & 1);
    EXPECT_EQ(0x80, map[3]);  // C: is the first INT 13 disk
    map[0] = 8;               // room for less than the information
    EXPECT_EQ(SimDosError::kBadLength, driveMap(3, SimAddressOf(map), flags));
    EXPECT_EQ(1u, flags & 1);
    BYTE outside[16] = {16};
    EXPECT_EQ(SimDosError::kBadAddress, driveMap(3, SimAddressOf(outside), flags));
    map[0] = 16;
    EXPECT_EQ(SimDosError::kInvalidDrive, driveMap(4, SimAddressOf(map), flags));  // no D:
    host.GlobalFree(map);
    host.CloseHandle(vwin32);
}

}  // namespace
