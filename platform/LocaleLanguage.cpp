#include "platform/LocaleLanguage.h"

#include <cstdlib>

namespace {

struct LocaleLanguage {
    const char* name;  // language, or language_TERRITORY
    LANGID language;
};

// Territories first; a bare language stands for its main territory.
const LocaleLanguage kLocales[] = {
    {"zh_TW", 0x0404}, {"zh_CN", 0x0804}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004}, {"zh_MO", 0x1404},
    {"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007}, {"de_LI", 0x1407},
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809},
    {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"es_AR", 0x2C0A}, {"es_CO", 0x240A}, {"es_CL", 0x340A},
    {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C},
    {"ja_JP", 0x0411}, {"ko_KR", 0x0412},
    {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"nl_NL", 0x0413},
    {"nl_BE", 0x0813}, {"ru_RU", 0x0419}, {"pl_PL", 0x0415}, {"sv_SE", 0x041D}, {"da_DK", 0x0406},
    {"fi_FI", 0x040B}, {"nb_NO", 0x0414}, {"cs_CZ", 0x0405}, {"hu_HU", 0x040E}, {"tr_TR", 0x041F},
    {"el_GR", 0x0408}, {"th_TH", 0x041E},
    {"zh", 0x0804}, {"de", 0x0407}, {"en", 0x0409}, {"es", 0x0C0A}, {"fr", 0x040C}, {"ja", 0x0411},
    {"ko", 0x0412}, {"it", 0x0410}, {"pt", 0x0816}, {"nl", 0x0413}, {"ru", 0x0419}, {"pl", 0x0415},
    {"sv", 0x041D}, {"da", 0x0406}, {"fi", 0x040B}, {"nb", 0x0414}, {"cs", 0x0405}, {"hu", 0x040E},
    {"tr", 0x041F}, {"el", 0x0408}, {"th", 0x041E},
};

const LANGID kEnglishUnitedStates = 0x0409;

}  // namespace

LANGID LanguageOfLocale(const std::string& locale) {
    // "language[_TERRITORY][.codeset][@modifier]"
    std::string name = locale.substr(0, locale.find_first_of(".@"));
    std::string language = name.substr(0, name.find('_'));
    for (const std::string& key : {name, language}) {
        for (const LocaleLanguage& entry : kLocales) {
            if (key == entry.name) return entry.language;
        }
    }
    return kEnglishUnitedStates;
}

std::string EnvironmentLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "";
}
