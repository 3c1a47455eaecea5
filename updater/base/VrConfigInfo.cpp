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
const bool kFormatByDefault = false;
const bool kShowChipRevision = true;

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

void CVrConfigInfo::GetComponentCount(uint8_t& count) const {
    count = 0;
    for (const ComponentRecord& record : kComponents) count += record.present;
}

int32_t CVrConfigInfo::GetComponentTag(uint32_t index, uint8_t& tag) const {
    const ComponentRecord* record = nullptr;
    int32_t result = FindComponent(index, false, record);
    if (result == kVrOk) tag = record->driveTag;
    return result;
}

int32_t CVrConfigInfo::GetComponentUpdateFlag(uint32_t index, bool& flag) const {
    const ComponentRecord* record = nullptr;
    int32_t result = FindComponent(index, true, record);
    if (result == kVrOk) flag = record->updateFlag != 0;
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

void CVrConfigInfo::GetRecoveryComponent(uint8_t& index) const {
    index = kRecoveryComponent;
}

void CVrConfigInfo::GetPlayerComponent(uint8_t& index) const {
    index = kPlayerComponent;
}

void CVrConfigInfo::GetBootManagerTag(uint8_t& tag) const {
    tag = kComponents[1].driveTag;
}

void CVrConfigInfo::GetFormatByDefault(bool& flag) const {
    flag = kFormatByDefault;
}

void CVrConfigInfo::GetShowChipRevision(bool& flag) const {
    flag = kShowChipRevision;
}

void CVrConfigInfo::GetProgramFileName(std::wstring& name) const {
    name = kProgramFileName;
}

void CVrConfigInfo::GetVendorIdentity(std::string& vendor) const {
    vendor = kVendorIdentity;
}

void CVrConfigInfo::GetProductIdentity(std::string& product) const {
    product = kProductIdentity;
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
