// The updater's command line. Its option words come from the language
// library, so each language may spell them its own way; only "fat16" is fixed.
#pragma once

#include <cstdint>
#include <string>

#include "updater/base/VrBase.h"

class CVrResource;

class CVrBaseToCmdLineProcessor : public CVrBase {
public:
    // Loads the option words through `resource` and parses `commandLine`, the text after the
    // program name. The result is 0, or -42 when the log option has no path
    // after it.
    CVrBaseToCmdLineProcessor(CVrResource& resource, const std::wstring& commandLine);

    // The formatter gives the data drive FAT16 whatever its size.
    bool IsForceFat16() const { return m_fat16 != 0; }

    bool IsNoQuestions() const { return m_noQuestions != 0; }
    bool IsAutoStart() const { return m_autoStart != 0; }
    bool IsAutoClose() const { return m_autoClose != 0; }
    bool IsPreselect() const { return m_preselect != 0; }
    bool IsLog() const { return m_log != 0; }
    bool IsHelp() const { return m_help != 0; }
    bool IsEnglishLog() const { return m_englishLog != 0; }
    // Lower-cased, as the whole command line is before matching.
    const std::wstring& GetLogPath() const { return m_logPath; }

private:
    int32_t Parse(const std::wstring& commandLine);

    uint32_t m_noQuestions = 0;
    uint32_t m_autoStart = 0;
    uint32_t m_autoClose = 0;
    uint32_t m_preselect = 0;
    uint32_t m_log = 0;
    uint32_t m_help = 0;
    uint32_t m_englishLog = 0;
    uint32_t m_fat16 = 0;
    std::wstring m_logPath;
    std::wstring m_logOption;
    std::wstring m_autoStartOption;
    std::wstring m_autoCloseOption;
    std::wstring m_silentOption;
    std::wstring m_noQuestionsOption;
    std::wstring m_preselectOption;
    std::wstring m_helpOption;
    std::wstring m_englishLogOption;
    std::wstring m_fat16Option;
};
