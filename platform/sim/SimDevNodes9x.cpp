#include "platform/sim/SimDevNodes9x.h"

#include <cstdio>
#include <vector>

namespace {

const wchar_t kNodes[] = L"Config Manager\\Enum";

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring Trimmed(const std::string& text) {
    size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::wstring() : Wide(text.substr(0, end + 1));
}

// The enumerator's device id: vendor, product and the first character of
// the revision, with blanks as underscores.
std::wstring DeviceId(const SimDiskIdentity& identity) {
    std::string fields = identity.vendor + identity.product;
    if (!identity.revision.empty() && identity.revision[0] != '\0') fields += identity.revision[0];
    std::wstring id = Wide(fields);
    for (wchar_t& c : id) {
        if (c == L' ') c = L'_';
    }
    return id;
}

void SetText(SimRegistry& registry, const std::shared_ptr<SimRegistry::Key>& key, const std::wstring& name,
             const std::wstring& value) {
    registry.SetValue(*key, name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

struct Value {
    const wchar_t* name;
    std::wstring text;
};

void AddNode(SimRegistry& registry, const std::wstring& node, const std::wstring& hardwareKey,
             const std::vector<Value>& values) {
    std::shared_ptr<SimRegistry::Key> key;
    DWORD disposition = 0;
    registry.AddWindows9xKeys();
    if (registry.Create(registry.Root(HKEY_LOCAL_MACHINE), L"Enum\\" + hardwareKey, key, disposition) !=
        ERROR_SUCCESS) {
        return;
    }
    for (const Value& value : values) SetText(registry, key, value.name, value.text);
    if (registry.Create(registry.Root(HKEY_DYN_DATA), std::wstring(kNodes) + L"\\" + node, key, disposition) !=
        ERROR_SUCCESS) {
        return;
    }
    SetText(registry, key, L"HardWareKey", hardwareKey);
    const BYTE noProblem[4] = {};
    registry.SetValue(*key, L"Problem", REG_BINARY, noProblem, sizeof noProblem);
}

}  // namespace

void SimAddSystemDevNodes9x(SimRegistry& registry) {
    AddNode(registry, L"C29A0010", L"Root\\*PNP0C01\\0000", {{L"Class", L"System"}, {L"DeviceDesc", L"System board"}});
    AddNode(registry, L"C29A0020", L"BIOS\\*PNP0303\\0B",
            {{L"Class", L"Keyboard"}, {L"DeviceDesc", L"Standard 101/102-Key or Microsoft Natural Keyboard"}});
    AddNode(registry, L"C29A0030", L"ESDI_506\\GENERIC_IDE__DISK_TYPE47_\\BIOS&0E&00",
            {{L"Class", L"DiskDrive"},
             {L"DeviceDesc", L"GENERIC IDE  DISK TYPE47"},
             {L"Manufacturer", L"GENERIC"},
             {L"ProductId", L"IDE DISK TYPE47"},
             {L"CurrentDriveLetterAssignment", L"C"}});
}

std::wstring SimAddDiskDevNode9x(SimRegistry& registry, wchar_t letter, const SimDiskIdentity& identity) {
    wchar_t node[16];
    std::swprintf(node, 16, L"C29A3D%02X", static_cast<unsigned>(letter));
    const std::wstring hardwareKey = L"SCSI\\" + DeviceId(identity) + L"\\USBSTOR&" + std::wstring(1, letter);
    AddNode(registry, node, hardwareKey,
            {{L"Class", L"DiskDrive"},
             {L"DeviceDesc", Trimmed(identity.vendor) + L" " + Trimmed(identity.product)},
             {L"Manufacturer", Trimmed(identity.vendor)},
             {L"ProductId", Trimmed(identity.product)},
             {L"HardwareID", L"SCSI\\" + DeviceId(identity)},
             {L"SCSITargetID", L"0"},
             {L"SCSILUN", L"0"},
             {L"CurrentDriveLetterAssignment", std::wstring(1, letter)}});
    return node;
}

void SimRemoveDevNode9x(SimRegistry& registry, const std::wstring& node) {
    registry.Remove(registry.Root(HKEY_DYN_DATA), std::wstring(kNodes) + L"\\" + node);
}
