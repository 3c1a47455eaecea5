// The text header of a firmware component file, read from a file beside the
// program: the scan says which versions it saw, and fills exactly those.
// Every version line it reads also stands alone: the parsed numbers print
// and parse back to themselves.
#include <cstdint>
#include <cstdio>
#include <fstream>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzPc.h"
#include "updater/engine/VrComponentFile.h"
#include "updater/engine/VrComponentHeader.h"
#include "updater/base/VrVersionInfo.h"

namespace {

const CVrVersionInfo kUnset(0xFFFF, 0xFFFF, 0xFFFF);  // no header line can give it with the others unset

void CheckReprint(const CVrVersionInfo& version) {
    char text[32];
    std::snprintf(text, sizeof text, " %u. %u.%u", version.GetMajor(), version.GetMinor(), version.GetRevision());
    CVrVersionInfo again;
    FUZZ_CHECK(VrParseVersion(text, again) && again == version);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(FuzzScratchFolder() / "usbmsc.sb", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    CVrComponentFile file(TheFuzzPc().host);
    FUZZ_CHECK(file.Open("usbmsc.sb"));
    CVrVersionInfo product = kUnset, component = kUnset;
    const VrHeaderState state = VrScanComponentHeader(file, product, component);
    const bool productSeen = state == kVrHeaderProductOnly || state == kVrHeaderBoth;
    const bool componentSeen = state == kVrHeaderComponentOnly || state == kVrHeaderBoth;
    FUZZ_CHECK(productSeen || product == kUnset);
    FUZZ_CHECK(componentSeen || component == kUnset);
    if (productSeen) CheckReprint(product);
    if (componentSeen) CheckReprint(component);
    return 0;
}
