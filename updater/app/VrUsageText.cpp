#include "updater/app/VrUsageText.h"

#include <vector>

#include "updater/base/VrConfigInfo.h"
#include "updater/base/VrResource.h"
#include "updater/app/VrTextFormat.h"
#include "updater/base/VrResult.h"

namespace {

const uint32_t kUsageFormatId = 205;

// The option words in the order the usage format names them: a synopsis line,
// then one explanation per option ("silent" explained by the three it sets,
// the log option twice for its English form).
const uint32_t kUsageOptionIds[] = {200, 201, 202, 199, 204, 198, 198, 206, 200, 201,
                                    202, 199, 200, 201, 202, 204, 198, 198, 206};

}  // namespace

int32_t VrBuildUsageText(const CVrConfigInfo& config, CVrResource& resource, std::wstring& text) {
    std::wstring format;
    const int32_t result = resource.GetString(kUsageFormatId, format);
    if (result != kVrOk) return result;

    std::vector<std::wstring> arguments(1);
    config.GetProgramFileName(arguments[0]);
    for (uint32_t id : kUsageOptionIds) {
        std::wstring option;
        resource.GetString(id, option);
        arguments.push_back(option);
    }
    text = VrFormatText(format, arguments);
    return kVrOk;
}
