// The updater's command line as caddis hands it over: the input is the
// words given on the terminal (NUL between them), the first byte picks the
// language library whose option words the parse uses. The only failure is
// a log option without a path; a log path is one lower-case word.
#include <cstdint>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzPc.h"
#include "updater/app/VrCommandLine.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/console/CaddisCommandLine.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"

namespace {

const LANGID kLanguages[] = {0x0404, 0x0407, 0x0409, 0x040A, 0x040C, 0x0411, 0x0412, 0x0804};
const size_t kLanguageCount = sizeof kLanguages / sizeof kLanguages[0];

// One configuration per language, its option words loaded once.
struct Language {
    CVrConfigInfo config;
    CVrErrorRecord errors;
    std::unique_ptr<CVrLanguageResource> resource;

    explicit Language(LANGID language)
        : resource(std::make_unique<CVrLanguageResource>(TheFuzzPc().host, config, errors, language)) {
        config.SetResourceProvider(resource.get());
    }
};

Language& LanguageOf(uint8_t pick) {
    TheFuzzPc();  // made first, so that it goes after the libraries it has loaded
    static std::unique_ptr<Language> languages[kLanguageCount];
    std::unique_ptr<Language>& language = languages[pick % kLanguageCount];
    if (!language) language = std::make_unique<Language>(kLanguages[pick % kLanguageCount]);
    return *language;
}

std::vector<std::string> Words(const uint8_t* data, size_t size) {
    std::vector<std::string> words(1);
    for (size_t at = 0; at < size; ++at) {
        if (data[at] == 0) {
            words.emplace_back();
        } else {
            words.back() += static_cast<char>(data[at]);
        }
    }
    return words;
}

bool IsOneLowerCaseWord(const std::wstring& word) {
    for (wchar_t c : word) {
        if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n') return false;
        if (std::towlower(static_cast<wint_t>(c)) != static_cast<wint_t>(c)) return false;
    }
    return !word.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    Language& language = LanguageOf(data[0]);
    const std::vector<std::string> words = Words(data + 1, size - 1);
    CaddisAsksForUsage(words);
    CVrBaseToCmdLineProcessor line(*language.resource, CaddisCommandLine(words));
    const int32_t result = line.GetLastResult();
    FUZZ_CHECK(result == kVrOk || (result == kVrBadCommandLine && line.IsLog() && line.GetLogPath().empty()));
    FUZZ_CHECK(!line.IsEnglishLog() || line.IsLog());
    if (line.IsLog() && result == kVrOk) FUZZ_CHECK(IsOneLowerCaseWord(line.GetLogPath()));
    return 0;
}
