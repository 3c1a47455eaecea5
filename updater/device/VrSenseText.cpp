#include "updater/device/VrSenseText.h"

#include "updater/base/VrResource.h"
#include "updater/base/VrByteArray.h"
#include "updater/base/VrResult.h"

namespace {

const uint32_t kSenseKey = 2;
const uint8_t kPlayerStatus = 9;
const uint32_t kStatusCode = 12;

}  // namespace

// A lookup that fails for any reason (no message for the code, a library
// that cannot give the string) leaves the bytes as the only evidence.
std::wstring VrSenseText(const CVrByteArray* sense, CVrResource* resource) {
    if (!sense || sense->GetCount() == 0) return std::wstring();
    uint8_t key = 0;
    if (sense->GetAt(kSenseKey, key) != kVrOk || key != kPlayerStatus) return sense->ToString();
    uint16_t status = 0;
    std::wstring message;
    if (resource && sense->GetWord(status, kStatusCode) == kVrOk &&
        resource->GetDeviceStatusText(status, message, false) == kVrOk) {
        return message;
    }
    return L"\n" + sense->ToString();
}
