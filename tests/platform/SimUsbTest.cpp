// The simulated PC's USB hubs, device interface lists and storage property,
// and the device nodes of its Windows 98: the answers Quell's searches rely
// on, as Windows gives them.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/SimHost.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimLittleEndian.h"
#include "platform/sim/player/SimStorageProperty.h"

namespace {

class SimUsb : public ::testing::Test {
protected:
    DWORD Error() { return host.GetLastError(); }

    SimMachine machine;
    SimHost host{machine, L"C:\\Tavlo\\Tavlo.exe"};
};

TEST_F(SimUsb, InterfaceListsCheckTheirRecordsAndSizes) {
    machine.AddUsbHub(2);
    EXPECT_EQ(INVALID_HANDLE_VALUE, host.SetupDiGetClassDevs(&kSimUsbHubClass, nullptr, nullptr, DIGCF_PRESENT));
    HDEVINFO set = host.SetupDiGetClassDevs(&kSimUsbHubClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(INVALID_HANDLE_VALUE, set);

    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof data - 1;
    EXPECT_FALSE(host.SetupDiEnumDeviceInterfaces(set, nullptr, &kSimUsbHubClass, 0, &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_USER_BUFFER), Error());
    data.cbSize = sizeof data;
    EXPECT_FALSE(host.SetupDiEnumDeviceInterfaces(set, nullptr, &kSimUsbHubClass, 1, &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_ITEMS), Error());
    ASSERT_TRUE(host.SetupDiEnumDeviceInterfaces(set, nullptr, &kSimUsbHubClass, 0, &data));

    DWORD required = 0;
    EXPECT_FALSE(host.SetupDiGetDeviceInterfaceDetail(set, &data, nullptr, 0, &required, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), Error());
    const std::wstring path = machine.UsbHubs()[0]->InterfacePath();
    EXPECT_EQ(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + (path.size() + 1) * sizeof(WCHAR), required);
    std::vector<DWORD> room(required);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(room.data());
    detail->cbSize = required;  // the record's own size, not the room's
    EXPECT_FALSE(host.SetupDiGetDeviceInterfaceDetail(set, &data, detail, required, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_USER_BUFFER), Error());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    EXPECT_FALSE(host.SetupDiGetDeviceInterfaceDetail(set, &data, detail, required - 1, nullptr, nullptr));
    ASSERT_TRUE(host.SetupDiGetDeviceInterfaceDetail(set, &data, detail, required, nullptr, nullptr));
    EXPECT_EQ(path, detail->DevicePath);

    EXPECT_FALSE(host.CloseHandle(set));  // a set is no kernel object
    EXPECT_TRUE(host.SetupDiDestroyDeviceInfoList(set));
    EXPECT_FALSE(host.SetupDiDestroyDeviceInfoList(set));
}

TEST_F(SimUsb, TheHubReportsEachPortsDeviceAndRefusesPortsItHasNot) {
    std::shared_ptr<SimUsbHub> hub = machine.AddUsbHub(2);
    hub->Plug(2, {0x0ED1, 0x7636});
    HANDLE handle = host.CreateFile(hub->InterfacePath().c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    auto ask = [&](DWORD port, std::vector<BYTE>& record) {
        record.assign(365, 0xEE);
        SimPut32(record.data(), port);
        DWORD returned = 0;
        return host.DeviceIoControl(handle, kSimUsbNodeConnectionInformation, record.data(), 365, record.data(), 365,
                                    &returned, nullptr)
                   ? returned
                   : 0;
    };
    std::vector<BYTE> record;
    EXPECT_EQ(35u + 2 * 11, ask(2, record));
    EXPECT_EQ(1u, SimGet32(&record[31]));
    EXPECT_EQ(0x0ED1, SimGet16(&record[12]));
    EXPECT_EQ(0x7636, SimGet16(&record[14]));
    EXPECT_EQ(35u, ask(1, record));
    EXPECT_EQ(0u, SimGet32(&record[31]));
    EXPECT_EQ(0, SimGet16(&record[12]));
    EXPECT_EQ(0u, ask(3, record));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), Error());
    host.CloseHandle(handle);
}

TEST_F(SimUsb, AVolumeAnswersTheStoragePropertyWithItsInquiryTexts) {
    SimAttachPlayer(machine, L'E', SimMakeOtherDisk("Pellam  ", "USB Flash Disk"));
    HANDLE volume = host.CreateFile(L"\\\\.\\E:", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, volume);
    BYTE query[12] = {};
    BYTE descriptor[512] = {};
    DWORD returned = 0;
    ASSERT_TRUE(host.DeviceIoControl(volume, kSimStorageQueryProperty, query, 12, descriptor, 8, &returned, nullptr));
    EXPECT_EQ(8u, returned);
    const DWORD size = SimGet32(&descriptor[4]);
    ASSERT_TRUE(
        host.DeviceIoControl(volume, kSimStorageQueryProperty, query, 12, descriptor, 512, &returned, nullptr));
    EXPECT_EQ(size, returned);
    EXPECT_EQ(40u, SimGet32(&descriptor[0]));
    EXPECT_EQ(7u, SimGet32(&descriptor[28]));  // USB
    auto text = [&](DWORD field) { return std::string(reinterpret_cast<char*>(&descriptor[SimGet32(&descriptor[field])])); };
    EXPECT_EQ("Pellam  ", text(12));
    EXPECT_EQ("USB Flash Disk  ", text(16));
    query[4] = 1;  // does the property exist
    EXPECT_TRUE(host.DeviceIoControl(volume, kSimStorageQueryProperty, query, 12, descriptor, 512, &returned, nullptr));
    host.CloseHandle(volume);
}

TEST_F(SimUsb, OnlyWindows9xHasDeviceNodesAndADiskTakesItsNodeAlongWhenItGoes) {
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_INVALID_HANDLE, host.RegOpenKeyEx(HKEY_DYN_DATA, L"Config Manager\\Enum", 0, KEY_READ, &key));

    machine.SetWindows(SimWindows::k98);
    SimAttachPlayer(machine, L'E', SimMakeOtherDisk("Lumo    ", "MP3 Audio Player"));
    auto nodes = [&] {
        std::vector<std::wstring> names;
        if (host.RegOpenKeyEx(HKEY_DYN_DATA, L"Config Manager\\Enum", 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
        wchar_t name[64];
        for (DWORD i = 0, size = 64; host.RegEnumKeyEx(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                     ERROR_SUCCESS;
             ++i, size = 64) {
            names.push_back(name);
        }
        host.RegCloseKey(key);
        return names;
    };
    EXPECT_EQ(4u, nodes().size());  // the system board, keyboard, hard disk and the player
    const std::wstring device = L"Enum\\SCSI\\LUMO____MP3_AUDIO_PLAYER\\USBSTOR&E";
    ASSERT_EQ(ERROR_SUCCESS, host.RegOpenKeyEx(HKEY_LOCAL_MACHINE, device.c_str(), 0, KEY_READ, &key));
    wchar_t value[64] = {};
    DWORD size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, host.RegQueryValueEx(key, L"Manufacturer", nullptr, nullptr,
                                                  reinterpret_cast<BYTE*>(value), &size));
    EXPECT_STREQ(L"Lumo", value);
    host.RegCloseKey(key);

    SimPullOutPlayer(machine, L'E');
    EXPECT_EQ(3u, nodes().size());
    EXPECT_EQ(ERROR_SUCCESS, host.RegOpenKeyEx(HKEY_LOCAL_MACHINE, device.c_str(), 0, KEY_READ, &key));
    host.RegCloseKey(key);
}

}  // namespace
