// The updater's texts: its own string table (product texts, and what must
// work without a library) and the language library of the user's language,
// with a second library handle for the log so that the log can be written in
// English while the windows speak the user's language.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/Host.h"
#include "updater/base/VrResource.h"

class CVrConfigInfo;
class CVrErrorRecord;

class CVrLanguageResource : public CVrResource {
public:
    // Loads the library of `language` for the windows and the log. When it
    // does not load, the result is -61 and the failure record names the file.
    CVrLanguageResource(Host& host, CVrConfigInfo& config, CVrErrorRecord& errors, LANGID language);
    ~CVrLanguageResource() override;
    CVrLanguageResource(const CVrLanguageResource&) = delete;
    CVrLanguageResource& operator=(const CVrLanguageResource&) = delete;

    int32_t GetDeviceStatusText(uint32_t status, std::wstring& text, bool forLog) override;
    int32_t GetString(uint32_t id, std::wstring& text) override;

    // Writes the log in `language` from now on; -61 when its library does not
    // load (the log then stays in the language it had).
    int32_t SetLogLanguage(LANGID language);

    int32_t LoadText(uint32_t id, std::wstring& text, bool forLog);
    int32_t GetErrorText(int32_t code, std::wstring& text, bool forLog);
    int32_t GetComponentErrorText(int32_t code, std::wstring& text, uint8_t component, bool forLog);
    int32_t GetComponentStageText(uint32_t id, std::wstring& text, uint8_t component, bool forLog);
    int32_t GetStageText(int32_t stage, std::wstring& text, bool forLog);
    int32_t GetTitle(std::wstring& text);
    int32_t GetVersionText(std::wstring& text);

    // The system's own text for a system error, in the log language for the
    // log, else in the user's default language; empty when it has none.
    std::wstring GetSystemText(DWORD error, bool forLog);

    LANGID GetLanguage() const { return m_language; }
    LANGID GetLogLanguage() const { return m_logLanguage; }

private:
    HMODULE LoadLibraryFor(LANGID language);
    int32_t LoadOwnText(uint32_t id, std::wstring& text);
    int32_t FailedLoad();
    std::wstring SystemMessage(DWORD error, LANGID language);

    Host& m_host;
    std::map<int32_t, uint32_t> m_codeTable;     // result code -> string id
    std::map<uint16_t, uint32_t> m_statusTable;  // device status -> string id
    CVrConfigInfo& m_config;
    CVrErrorRecord& m_errors;
    HMODULE m_interfaceLibrary = nullptr;
    HMODULE m_logLibrary = nullptr;
    LANGID m_language;
    LANGID m_logLanguage;
};
