// How the Windows 95, 98 and Me transport finds the player: among the ASPI
// host adapters, then its drive letter.
#include <string>
#include <vector>

#include "updater/base/VrConfigInfo.h"
#include "updater/device/VrAspiRequest.h"
#include "updater/device/VrDosRequest.h"
#include "updater/device/VrLowBlock.h"
#include "updater/device/VrScsi_9x.h"
#include "updater/device/VrStandardCommands.h"
#include "updater/base/VrEngineContext.h"
#include "updater/base/VrResult.h"

namespace {

const uint8_t kDriveMapInfo = 0x6F;
const uint32_t kDriveMapBytes = 16;
const uint8_t kFirstInt13Disk = 0x80;
// A drive that only the protected-mode driver reaches: logical, physical,
// the only drive of its unit, ejectable; no INT 13 unit.
const uint8_t kProtectedModeFlags = 0x0F;
const uint8_t kNoInt13Unit = 0xFF;
const uint32_t kRevisionOffset = 32;
const DWORD kValueChars = 64;
const DWORD kKeyNameChars = 256;

std::wstring DeviceKeyName(const std::string& vendor, const std::string& product, char revision) {
    std::string name = vendor + product;
    if (revision != '\0') name += revision;
    std::wstring key;
    for (char c : name) key += c == ' ' ? L'_' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return key;
}

// A text value's first character, 0 when it has none.
wchar_t FirstCharacter(Host& host, HKEY key, const wchar_t* name) {
    WCHAR text[kValueChars] = {};
    DWORD size = sizeof(text) - sizeof(WCHAR);  // the last character stays a terminator
    if (host.RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) {
        return 0;
    }
    return size >= sizeof(WCHAR) ? text[0] : 0;
}

}  // namespace

int32_t CVrScsi_9x::FindDevice() {
    if (!m_sendCommand) return kVrAspiNotReady;
    uint8_t count = 0;
    const DWORD status = VrAspiAdapterCount(m_sendCommand, count);
    if (status != kVrAspiCompleted) return RecordFailure(kVrCheckCondition, status);

    m_driveLetter = 0;
    for (unsigned adapter = 0; adapter < count; ++adapter) {
        m_hostAdapter = static_cast<uint8_t>(adapter);
        CVrScsiInquiry inquiry;
        uint8_t identity[CVrScsiInquiry::kReplyBytes] = {};
        if (SendCommand(inquiry) != kVrOk || inquiry.GetInquiryData(identity) != kVrOk ||
            !MatchesIdentity(identity, sizeof(identity))) {
            continue;
        }
        bool player = false;
        if (AnswersAsPlayer(player) != kVrOk || !player) {
            m_hostAdapter = kNoAdapter;
            continue;
        }
        int32_t result = FindLetterByInt13();
        if (result != kVrOk) result = FindLetterInRegistry(static_cast<char>(identity[kRevisionOffset]));
        if (result != kVrOk) return result;
        m_found = 1;
        return kVrOk;
    }
    m_hostAdapter = kNoAdapter;
    m_found = 0;
    return kVrNoPlayer;
}

bool CVrScsi_9x::DriveMap(wchar_t letter, uint8_t& flags, uint8_t& int13Unit) {
    CVrLowBlock block(m_host, kDriveMapBytes);
    if (!block.Get()) return false;
    block.Get()[0] = kDriveMapBytes;
    VrDosRequest request;
    request.drive = static_cast<uint8_t>(letter - 64);
    request.minor = kDriveMapInfo;
    request.edx = block.Address();
    DWORD error = 0;
    if (!VrDosBlockRequest(m_host, m_handle, request, true, error)) return false;
    flags = block.Get()[2];
    int13Unit = block.Get()[3];
    return true;
}

// The disk's INT 13 drive number is the unit of the player's letter in the
// drive map; letters that do not answer are passed over.
int32_t CVrScsi_9x::FindLetterByInt13() {
    uint8_t drive = 0;
    const DWORD status = VrAspiInt13Drive(m_sendCommand, m_hostAdapter, drive);
    if (status != kVrAspiCompleted) return RecordFailure(kVrCheckCondition, status);
    if (drive < kFirstInt13Disk) return RecordFailure(kVrNotInt13Disk, 0);
    Close();
    if (!OpenDosDevice()) return RecordFailure(kVrDeviceOpenFailed, m_host.GetLastError());
    wchar_t found = 0;
    for (wchar_t letter = L'A'; letter <= L'Z' && !found; ++letter) {
        uint8_t flags = 0, unit = 0;
        if (DriveMap(letter, flags, unit) && unit == drive) found = letter;
    }
    Close();
    if (!found) return RecordFailure(kVrDriveMapFailed, 0);
    m_driveLetter = found;
    return kVrOk;
}

// The system keeps a key for the device under "Enum\SCSI", named for its
// identity, with a sub-key per instance that holds its unit and letter.
int32_t CVrScsi_9x::FindLetterInRegistry(char revision) {
    std::string vendor, product;
    m_context.GetConfig().GetVendorIdentity(vendor);
    m_context.GetConfig().GetProductIdentity(product);
    const std::wstring keyName = L"ENUM\\SCSI\\" + DeviceKeyName(vendor, product, revision);
    std::vector<wchar_t> candidates;
    HKEY device = nullptr;
    if (m_host.RegOpenKeyEx(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_READ, &device) == ERROR_SUCCESS) {
        for (DWORD index = 0;; ++index) {
            WCHAR name[kKeyNameChars] = {};
            DWORD length = kKeyNameChars;
            const LONG status = m_host.RegEnumKeyEx(device, index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_MORE_DATA) continue;
            if (status != ERROR_SUCCESS) break;
            HKEY instance = nullptr;
            if (m_host.RegOpenKeyEx(device, name, 0, KEY_READ, &instance) != ERROR_SUCCESS) continue;
            if (FirstCharacter(m_host, instance, L"SCSILUN") == L'0') {
                const wchar_t letter = FirstCharacter(m_host, instance, L"CurrentDriveLetterAssignment");
                const wchar_t root[] = {letter, L':', L'\\', 0};
                if (letter && m_host.GetDriveType(root) == DRIVE_REMOVABLE) candidates.push_back(letter);
            }
            m_host.RegCloseKey(instance);
        }
        m_host.RegCloseKey(device);
    }
    if (candidates.empty()) return RecordFailure(kVrNoCandidateDrive, 0);
    if (candidates.size() == 1) {
        m_driveLetter = candidates[0];
        return kVrOk;
    }
    Close();
    if (!OpenDosDevice()) return RecordFailure(kVrDeviceOpenFailed, m_host.GetLastError());
    wchar_t found = 0;
    for (wchar_t letter : candidates) {
        uint8_t flags = 0, unit = 0;
        if (DriveMap(letter, flags, unit) && flags == kProtectedModeFlags && unit == kNoInt13Unit) {
            found = letter;
            break;
        }
    }
    Close();
    if (!found) return RecordFailure(kVrNoCandidateDrive, 0);
    m_driveLetter = found;
    return kVrOk;
}
