#include "updater/app/VrLanguageResource.h"

#include "platform/ResourceStrings.h"
#include "platform/TextCodec.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrLanguage.h"
#include "updater/app/VrTextFormat.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace {

// Ids of the program's own string table.
const uint32_t kFirstOwnId = 50;
const uint32_t kLastOwnId = 70;

// Library strings with a meaning to this class.
const uint32_t kSearchTitleId = 106;
const uint32_t kRecoveryTitleId = 107;
const uint32_t kComponentErasedStageId = 171;
const uint32_t kComponentWrittenStageId = 196;
const uint32_t kSystemMessageId = 209;
const uint32_t kUnknownStatusId = 621;
const uint32_t kVersionPrefixId = 626;

const wchar_t kProgramVersion[] = L"1, 548, 1, 139";

const DWORD kSystemMessageLength = 1024;

// Consecutive device status codes have consecutive messages.
struct StatusRange {
    uint16_t first;
    uint16_t last;
    uint32_t firstId;
};

const StatusRange kStatusRanges[] = {
    {0x101, 0x10F, 223}, {0x200, 0x20D, 238}, {0x210, 0x210, 252}, {0x301, 0x303, 253},
    {0x401, 0x428, 256}, {0x500, 0x515, 296}, {0x000, 0x000, 318}, {0x516, 0x51A, 319},
    {0x600, 0x60D, 324}, {0x700, 0x704, 338}, {0x800, 0x805, 343}, {0x810, 0x813, 349},
    {0x820, 0x824, 353}, {0x830, 0x849, 358}, {0x850, 0x855, 384}, {0x860, 0x879, 390},
    {0x880, 0x885, 416},
};

}  // namespace

CVrLanguageResource::CVrLanguageResource(Host& host, CVrConfigInfo& config, CVrErrorRecord& errors,
                                         LANGID language)
    : CVrResource("CVrResource"), m_host(host), m_config(config), m_errors(errors),
      m_language(language), m_logLanguage(language) {
    for (const VrResultMessage& message : kVrResultMessages) m_codeTable[message.code] = message.stringId;
    for (const StatusRange& range : kStatusRanges) {
        for (uint32_t status = range.first; status <= range.last; ++status) {
            m_statusTable[static_cast<uint16_t>(status)] = range.firstId + (status - range.first);
        }
    }

    m_interfaceLibrary = LoadLibraryFor(language);
    m_logLibrary = m_interfaceLibrary;
}

CVrLanguageResource::~CVrLanguageResource() {
    if (m_logLibrary && m_logLibrary != m_interfaceLibrary) m_host.FreeLibrary(m_logLibrary);
    if (m_interfaceLibrary) m_host.FreeLibrary(m_interfaceLibrary);
}

HMODULE CVrLanguageResource::LoadLibraryFor(LANGID language) {
    const wchar_t* file = VrLanguageLibraryFile(language);
    HMODULE library = m_host.LoadLibrary(file);
    if (!library) {
        SetResult(kVrLibraryNotLoaded);
        m_systemError = m_host.GetLastError();
        m_errors.RecordWithDetail(*this, file);
    }
    return library;
}

int32_t CVrLanguageResource::SetLogLanguage(LANGID language) {
    HMODULE library = LoadLibraryFor(language);
    if (!library) return kVrLibraryNotLoaded;
    if (m_logLibrary != m_interfaceLibrary) m_host.FreeLibrary(m_logLibrary);
    if (library == m_interfaceLibrary) m_host.FreeLibrary(library);  // the same file: drop the extra reference
    m_logLibrary = library;
    m_logLanguage = language;
    return kVrOk;
}

int32_t CVrLanguageResource::FailedLoad() {
    SetResult(kVrStringNotLoaded);
    m_systemError = m_host.GetLastError();
    m_errors.Record(*this);
    return kVrStringNotLoaded;
}

int32_t CVrLanguageResource::LoadOwnText(uint32_t id, std::wstring& text) {
    HMODULE program = m_host.GetModuleHandle(nullptr);
    if (!LoadResourceString(m_host, program, id, VrOwnTableLanguage(m_language), text)) {
        text.clear();
        return FailedLoad();
    }
    return kVrOk;
}

int32_t CVrLanguageResource::LoadText(uint32_t id, std::wstring& text, bool forLog) {
    if (id >= kFirstOwnId && id <= kLastOwnId) return LoadOwnText(id, text);

    HMODULE library = forLog ? m_logLibrary : m_interfaceLibrary;
    LANGID language = forLog ? m_logLanguage : m_language;
    std::wstring loaded;
    if (!library) m_host.SetLastError(ERROR_MOD_NOT_FOUND);
    if (!library || !LoadResourceString(m_host, library, id, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), loaded)) {
        text.clear();
        return FailedLoad();
    }

    if (id == kSystemMessageId) {
        loaded += GetSystemText(m_errors.GetSystemError(), forLog);
    } else if (id == kSearchTitleId || id == kRecoveryTitleId) {
        std::wstring title;
        m_config.GetTitle(title);
        loaded = PRIMARYLANGID(language) == LANG_KOREAN ? title + L" " + loaded + L"..."
                                                        : loaded + L" " + title + L"...";
    }
    text = loaded;
    return SetResult(kVrOk);
}

std::wstring CVrLanguageResource::GetSystemText(DWORD error, bool forLog) {
    return SystemMessage(error, forLog ? m_logLanguage : m_host.GetUserDefaultLangID());
}

std::wstring CVrLanguageResource::SystemMessage(DWORD error, LANGID language) {
    const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    WCHAR buffer[kSystemMessageLength];
    DWORD length = m_host.FormatMessage(flags, nullptr, error, language, buffer, kSystemMessageLength);
    // A system without messages in that language still explains the error in its own.
    if (length == 0 && language != LANG_NEUTRAL) {
        length = m_host.FormatMessage(flags, nullptr, error, LANG_NEUTRAL, buffer, kSystemMessageLength);
    }
    return std::wstring(buffer, length);
}

int32_t CVrLanguageResource::GetErrorText(int32_t code, std::wstring& text, bool forLog) {
    auto entry = m_codeTable.find(code);
    if (entry == m_codeTable.end()) {
        text.clear();
        return kVrNoMessage;
    }
    return LoadText(entry->second, text, forLog);
}

int32_t CVrLanguageResource::GetComponentErrorText(int32_t code, std::wstring& text, uint8_t component,
                                                   bool forLog) {
    std::wstring message;
    int32_t result = GetErrorText(code, message, forLog);
    if (result != kVrOk) return GetErrorText(result, text, forLog);
    std::string fileName;
    result = m_config.GetComponentFileName(component, fileName);
    text = VrFormatText(message, {WideFromUtf8(fileName)});
    return result;
}

int32_t CVrLanguageResource::GetComponentStageText(uint32_t id, std::wstring& text, uint8_t component,
                                                   bool forLog) {
    if (id != kComponentErasedStageId && id != kComponentWrittenStageId) return LoadText(id, text, forLog);
    std::wstring displayName;
    int32_t result = m_config.GetComponentDisplayName(component, displayName);
    if (result != kVrOk) return result;
    std::wstring format;
    result = LoadText(id, format, forLog);
    text = VrFormatText(format, {displayName});
    return result;
}

int32_t CVrLanguageResource::GetStageText(int32_t stage, std::wstring& text, bool forLog) {
    VrStageText stageText = VrLookupStage(stage);
    if (stageText.stringId == 0) {
        text.clear();
        return kVrOk;
    }
    return GetComponentStageText(stageText.stringId, text, stageText.componentIndex, forLog);
}

int32_t CVrLanguageResource::GetTitle(std::wstring& text) { return m_config.GetTitle(text); }

int32_t CVrLanguageResource::GetVersionText(std::wstring& text) {
    std::wstring prefix;
    int32_t result = LoadText(kVersionPrefixId, prefix, false);
    text = prefix + kProgramVersion;
    return result;
}

int32_t CVrLanguageResource::GetDeviceStatusText(uint32_t status, std::wstring& text, bool forLog) {
    auto entry = m_statusTable.find(static_cast<uint16_t>(status & 0xFFFF));
    bool known = entry != m_statusTable.end();
    int32_t result = LoadText(known ? entry->second : kUnknownStatusId, text, forLog);
    return known ? result : kVrUnknownDeviceStatus;
}

int32_t CVrLanguageResource::GetString(uint32_t id, std::wstring& text) { return LoadText(id, text, false); }
