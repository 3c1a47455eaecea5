// The host of Quell's test build: Windows itself (Wine's, in the tests),
// with a simulated player's USB device and drive identity on top, for
// programs that run on a Wine drive standing in for the player.
//
// The environment variable QUELL_TEST_PLAYER names the drive letter of the
// player (a folder mapped as a removable Wine drive). The hub interface
// list is the simulated PC's: hub 1 has two ports with a keyboard on the
// first; hub 2 has four ports, with the player's USB device on port 3 while
// QUELL_TEST_PLAYER is set. The player's volume answers the storage
// property query with the player's identity; everything else is Windows'.
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "platform/sim/SimInterfaceList.h"
#include "platform/sim/SimUsbBus.h"
#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPlayerPort.h"
#include "platform/sim/player/SimStorageProperty.h"
#include "platform/win32/Win32Host.h"
#include "usbsupport/QuellHost.h"

namespace {

const unsigned kPlayerHub = 2;
const unsigned kPlayerPort = 3;

wchar_t PlayerLetter() {
    const char* letter = std::getenv("QUELL_TEST_PLAYER");
    if (!letter || !letter[0]) return 0;
    const char upper = static_cast<char>(letter[0] & ~0x20);
    return upper >= 'A' && upper <= 'Z' ? static_cast<wchar_t>(upper) : 0;
}

class QuellTestHost final : public Win32Host {
public:
    QuellTestHost() : m_letter(PlayerLetter()), m_player(std::make_shared<SimFlashPlayer>(SimPlayerState(1 << 20))) {
        m_hubs.push_back(std::make_shared<SimUsbHub>(HubName(0), 2));
        m_hubs.push_back(std::make_shared<SimUsbHub>(HubName(1), 4));
        m_hubs[0]->Plug(1, {0x046D, 0xC31C});  // a keyboard
        if (m_letter) m_hubs[kPlayerHub - 1]->Plug(kPlayerPort, {kSimPlayerUsbVendor, kSimPlayerUsbProduct});
    }

    HDEVINFO SetupDiGetClassDevs(const GUID* classGuid, LPCWSTR enumerator, HWND parent, DWORD flags) override {
        if (!classGuid || !SimSameGuid(*classGuid, kSimUsbHubClass) || !(flags & DIGCF_DEVICEINTERFACE)) {
            return Win32Host::SetupDiGetClassDevs(classGuid, enumerator, parent, flags);
        }
        std::vector<std::wstring> paths;
        for (const auto& hub : m_hubs) paths.push_back(hub->InterfacePath());
        auto list = std::make_shared<SimInterfaceList>(kSimUsbHubClass, std::move(paths));
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lists[list.get()] = list;
        return list.get();
    }

    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* classGuid, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override {
        std::shared_ptr<SimInterfaceList> list = List(set);
        if (!list) return Win32Host::SetupDiEnumDeviceInterfaces(set, device, classGuid, index, data);
        return Answer(list->Enumerate(classGuid, index, data));
    }

    BOOL SetupDiGetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                         SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                         LPDWORD required, SP_DEVINFO_DATA* device) override {
        std::shared_ptr<SimInterfaceList> list = List(set);
        if (!list) {
            return Win32Host::SetupDiGetDeviceInterfaceDetail(set, data, detail, detailSize, required, device);
        }
        return Answer(list->Detail(data, detail, detailSize, required));
    }

    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_lists.erase(set)) return TRUE;
        return Win32Host::SetupDiDestroyDeviceInfoList(set);
    }

    HANDLE CreateFile(LPCWSTR fileName, DWORD access, DWORD shareMode, SECURITY_ATTRIBUTES* security,
                      DWORD disposition, DWORD flags, HANDLE templateFile) override {
        for (const auto& hub : m_hubs) {
            if (fileName && ::lstrcmpiW(fileName, hub->InterfacePath().c_str()) == 0) return OpenHub(*hub);
        }
        HANDLE handle =
            Win32Host::CreateFile(fileName, access, shareMode, security, disposition, flags, templateFile);
        const wchar_t volume[] = {L'\\', L'\\', L'.', L'\\', m_letter, L':', 0};
        if (handle != INVALID_HANDLE_VALUE && m_letter && ::lstrcmpiW(fileName, volume) == 0) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_playerVolumes.insert(handle);
        }
        return handle;
    }

    BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                         LPDWORD returned, OVERLAPPED* overlapped) override {
        std::shared_ptr<SimFileObject> hub;
        bool player = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            auto found = m_hubHandles.find(device);
            if (found != m_hubHandles.end()) hub = found->second;
            player = m_playerVolumes.count(device) != 0;
        }
        DWORD done = 0;
        if (hub) {
            DWORD error = hub->IoControl(code, in, inSize, out, outSize, done);
            if (returned) *returned = done;
            return Answer(error);
        }
        if (player && code == kSimStorageQueryProperty) {
            DWORD error = SimAnswerStorageQuery(*m_player, in, inSize, out, outSize, done);
            if (returned) *returned = done;
            return Answer(error);
        }
        return Win32Host::DeviceIoControl(device, code, in, inSize, out, outSize, returned, overlapped);
    }

    BOOL CloseHandle(HANDLE object) override {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_hubHandles.erase(object);
            m_playerVolumes.erase(object);
        }
        return Win32Host::CloseHandle(object);
    }

private:
    static std::wstring HubName(unsigned index) {
        return L"usb#root_hub#4&1f3c2a" + std::to_wstring(index) + L"&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}";
    }

    BOOL Answer(DWORD error) {
        ::SetLastError(error);
        return error == ERROR_SUCCESS;
    }

    std::shared_ptr<SimInterfaceList> List(HDEVINFO set) {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto found = m_lists.find(set);
        return found == m_lists.end() ? nullptr : found->second;
    }

    // A simulated hub's handle is a real one of an event, so that whatever
    // closes it closes a kernel object.
    HANDLE OpenHub(SimUsbHub& hub) {
        std::shared_ptr<SimFileObject> file;
        DWORD error = hub.Open(SimOpenRequest(), file);
        if (error != ERROR_SUCCESS) {
            ::SetLastError(error);
            return INVALID_HANDLE_VALUE;
        }
        HANDLE token = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!token) return INVALID_HANDLE_VALUE;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hubHandles[token] = file;
        return token;
    }

    const wchar_t m_letter;
    const std::shared_ptr<SimFlashPlayer> m_player;
    std::vector<std::shared_ptr<SimUsbHub>> m_hubs;
    std::mutex m_mutex;
    std::map<HDEVINFO, std::shared_ptr<SimInterfaceList>> m_lists;
    std::map<HANDLE, std::shared_ptr<SimFileObject>> m_hubHandles;
    std::set<HANDLE> m_playerVolumes;
};

}  // namespace

Host& QuellHost() {
    static QuellTestHost host;
    return host;
}
