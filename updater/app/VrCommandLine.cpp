#include "updater/app/VrCommandLine.h"

#include <cwctype>
#include <vector>

#include "updater/base/VrResource.h"
#include "updater/base/VrResult.h"

namespace {

const uint32_t kLogOptionId = 198;
const uint32_t kSilentOptionId = 199;
const uint32_t kAutoStartOptionId = 200;
const uint32_t kAutoCloseOptionId = 201;
const uint32_t kNoQuestionsOptionId = 202;
const uint32_t kPreselectOptionId = 204;
const uint32_t kHelpOptionId = 206;
const uint32_t kEnglishLogOptionId = 625;

// A word the library does not hold stays empty, and an empty word would match
// every "-" on the line; such an option simply cannot be given.
std::wstring LoadOption(CVrResource& resource, uint32_t id) {
    std::wstring text;
    if (resource.GetString(id, text) != kVrOk) text.clear();
    return text;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring LowerCase(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

// The words of `text` between blanks, without empty ones.
std::vector<std::wstring> SplitAtBlanks(const std::wstring& text) {
    std::vector<std::wstring> words;
    std::wstring word;
    for (wchar_t c : text) {
        if (!IsBlank(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

// Matching is by substring within a token, so a path such as "c:\a-log\b"
// also gives the log option.
bool IsPresent(const std::vector<std::wstring>& tokens, const std::wstring& option) {
    if (option.empty()) return false;
    for (const std::wstring& token : tokens) {
        if (token.find(L"-" + option) != std::wstring::npos) return true;
        if (token.find(L"/" + option) != std::wstring::npos) return true;
    }
    return false;
}

// The words that follow the option the user typed: the rest of the token it
// stands in, if any, then the tokens after it. A token that begins with the
// option ("-log", "/log") is the option; only without one does a token that
// holds it elsewhere count (the substring rule that made it present), and the
// bare word ("blog") never does.
std::vector<std::wstring> WordsAfterOption(const std::vector<std::wstring>& tokens, const std::wstring& option) {
    const std::wstring forms[] = {L"-" + option, L"/" + option};
    for (bool atStart : {true, false}) {
        for (size_t i = 0; i < tokens.size(); ++i) {
            size_t at = std::wstring::npos;
            size_t length = 0;
            for (const std::wstring& form : forms) {
                const size_t found = tokens[i].find(form);
                if (found == std::wstring::npos || (atStart && found != 0) || found >= at) continue;
                at = found;
                length = form.size();
            }
            if (at == std::wstring::npos) continue;
            std::vector<std::wstring> words;
            const std::wstring rest = tokens[i].substr(at + length);
            if (!rest.empty()) words.push_back(rest);
            words.insert(words.end(), tokens.begin() + static_cast<std::ptrdiff_t>(i) + 1, tokens.end());
            return words;
        }
    }
    return {};
}

}  // namespace

CVrBaseToCmdLineProcessor::CVrBaseToCmdLineProcessor(CVrResource& resource,
                                                     const std::wstring& commandLine)
    : CVrBase("CVrBaseToCmdLineProcessor"),
      m_logOption(LoadOption(resource, kLogOptionId)),
      m_autoStartOption(LoadOption(resource, kAutoStartOptionId)),
      m_autoCloseOption(LoadOption(resource, kAutoCloseOptionId)),
      m_silentOption(LoadOption(resource, kSilentOptionId)),
      m_noQuestionsOption(LoadOption(resource, kNoQuestionsOptionId)),
      m_preselectOption(LoadOption(resource, kPreselectOptionId)),
      m_helpOption(LoadOption(resource, kHelpOptionId)),
      m_englishLogOption(LoadOption(resource, kEnglishLogOptionId)),
      m_fat16Option(L"fat16") {
    Parse(commandLine);
}

int32_t CVrBaseToCmdLineProcessor::Parse(const std::wstring& commandLine) {
    const std::wstring line = LowerCase(commandLine);
    const std::vector<std::wstring> tokens = SplitAtBlanks(line);

    const bool silent = IsPresent(tokens, m_silentOption);
    m_autoStart = silent || IsPresent(tokens, m_autoStartOption);
    m_autoClose = silent || IsPresent(tokens, m_autoCloseOption);
    m_noQuestions = silent || IsPresent(tokens, m_noQuestionsOption);
    m_preselect = IsPresent(tokens, m_preselectOption);
    m_help = IsPresent(tokens, m_helpOption);
    m_fat16 = IsPresent(tokens, m_fat16Option);
    m_log = IsPresent(tokens, m_logOption);
    m_englishLog = m_log && IsPresent(tokens, m_englishLogOption);
    if (!m_log) return SetResult(kVrOk);

    // The path is the first word after the log option. The English option is
    // passed over in whichever form it is written, so "-log -english x",
    // "-log english x" and "-log x -english" all write to x.
    for (const std::wstring& word : WordsAfterOption(tokens, m_logOption)) {
        if (word != m_englishLogOption && word != L"-" + m_englishLogOption && word != L"/" + m_englishLogOption) {
            m_logPath = word;
            break;
        }
    }
    return SetResult(m_logPath.empty() ? kVrBadCommandLine : kVrOk);
}
