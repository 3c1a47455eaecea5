#include "updater/base/VrConfigInfo.h"

#include "updater/base/VrResource.h"
#include "updater/base/VrResult.h"

namespace {

struct ComponentRecord {
    const char* fileName;
    const wchar_t* displayName;
    uint32_t unused[2];
    uint8_t present;
    uint8_t driveTag;  // the tag of the player's system drive holding it
    uint8_t updateFlag;
    uint32_t reserve;  // handed to the drives
};

// Record 0 is no component; its tag 0x0A is that of the data drive.
const ComponentRecord kComponents[] = {
    {"", L"", {0, 0}, 0, 0x0A, 0, 0},
    {"bootmanager.sb", L"Boot Manager", {0, 0}, 1, 0x50, 1, 0},
    {"usbmsc.sb", L"USB Mass Storage", {0, 0}, 1, 0x01, 1, 0},
    {"vrxasys.sb", L"Player", {0, 0}, 1, 0x00, 1, 0},
    {"resource.bin", L"Resource Manager", {0, 0}, 1, 0x02, 1, 0},
};
static_assert(sizeof(kComponents) / sizeof(kComponents[0]) == CVrConfigInfo::kLastComponentIndex + 1,
              "one record per component index and record 0");

const uint8_t kRecoveryComponent = 2;  // the mass-storage firmware
const uint8_t kPlayerComponent = 3;    // its drive carries the product version
const uint32_t kFormatByDefault = 0;
const uint32_t kShowChipRevision = 1;

const wchar_t kProgramFileName[] = L"Caddis.exe";
const char kVendorIdentity[] = "Lumo    ";
const char kProductIdentity[] = "MP3 Audio Player";

// Product texts in the program's own string table.
const uint32_t kLegalNoticeId = 52;
const uint32_t kTitleId = 53;
const uint32_t kAboutTitleId = 54;
const uint32_t kAboutProductLineId = 55;

// The record at `index`, or the failure: -9 beyond the table, -4 when the
// record is absent and `mustBePresent`.
int32_t FindComponent(uint32_t index, bool mustBePresent, const ComponentRecord*& record) {
    if (index > CVrConfigInfo::kLastComponentIndex) return kVrIndexBeyondTable;
    if (mustBePresent && !kComponents[index].present) return kVrComponentNotPresent;
    record = &kComponents[index];
    return kVrOk;
}

}  // namespace

CVrConfigInfo::CVrConfigInfo() : CVrBase("CVrConfigInfo") {}

int32_t CVrConfigInfo::GetComponentCount(uint8_t& count) const {
    count = 0;
    for (const ComponentRecord& record : kComponents) count += record.present;
    return kVrOk;
}

int32_t CVrConfigInfo::GetComponentTag(uint32_t index, uint8_t& tag) const {
    const ComponentRecord* record = nullptr;
    int32_t result = FindComponent(index, false, record);
    if (result == kVrOk) tag = record->driveTag;
    return result;
}

int32_t CVrConfigInfo::GetComponentUpdateFlag(uint32_t index, uint32_t& flag) const {
    const ComponentRecord* record = nullptr;
    int32_t result = FindComponent(index, true, record);
    if (result == kVrOk) flag = record->updateFlag;
    return result;
}

int32_t CVrConfigInfo::GetComponentReserve(uint32_t index, uint32_t& reserve) const {
    const ComponentRecord* record = nullptr;
    int32_t result = FindComponent(index, false, record);
    if (result == kVrOk) reserve = record->reserve;
    return result;
}

int32_t CVrConfigInfo::GetComponentFileName(uint32_t index, std::string& fileName) const {
    const ComponentRecord* record = nullptr;
    int32_t result = FindComponent(index, true, record);
    if (result == kVrOk) fileName = record->fileName;
    return result;
}

int32_t CVrConfigInfo::GetComponentDisplayName(uint32_t index, std::wstring& displayName) const {
    const ComponentRecord* record = nullptr;
    int32_t result = FindComponent(index, true, record);
    if (result == kVrOk) displayName = record->displayName;
    return result;
}

int32_t CVrConfigInfo::GetRecoveryComponent(uint8_t& index) const {
    index = kRecoveryComponent;
    return kVrOk;
}

int32_t CVrConfigInfo::GetPlayerComponent(uint8_t& index) const {
    index = kPlayerComponent;
    return kVrOk;
}

int32_t CVrConfigInfo::GetBootManagerTag(uint8_t& tag) const {
    tag = kComponents[1].driveTag;
    return kVrOk;
}

int32_t CVrConfigInfo::GetFormatByDefault(uint32_t& flag) const {
    flag = kFormatByDefault;
    return kVrOk;
}

int32_t CVrConfigInfo::GetShowChipRevision(uint32_t& flag) const {
    flag = kShowChipRevision;
    return kVrOk;
}

int32_t CVrConfigInfo::GetProgramFileName(std::wstring& name) const {
    name = kProgramFileName;
    return kVrOk;
}

int32_t CVrConfigInfo::GetVendorIdentity(std::string& vendor) const {
    vendor = kVendorIdentity;
    return kVrOk;
}

int32_t CVrConfigInfo::GetProductIdentity(std::string& product) const {
    product = kProductIdentity;
    return kVrOk;
}

int32_t CVrConfigInfo::GetLegalNotice(std::wstring& text) const { return GetProductText(kLegalNoticeId, text); }
int32_t CVrConfigInfo::GetTitle(std::wstring& text) const { return GetProductText(kTitleId, text); }
int32_t CVrConfigInfo::GetAboutTitle(std::wstring& text) const { return GetProductText(kAboutTitleId, text); }
int32_t CVrConfigInfo::GetAboutProductLine(std::wstring& text) const {
    return GetProductText(kAboutProductLineId, text);
}

int32_t CVrConfigInfo::GetProductText(uint32_t id, std::wstring& text) const {
    if (!m_provider) return kVrStringNotLoaded;
    return m_provider->GetString(id, text);
}
