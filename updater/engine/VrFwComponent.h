// One firmware component (boot manager, mass-storage firmware, player
// firmware, resource image) as the file beside the program holds it: the
// image that goes into the player's system drive, and the product and
// component versions of the file's header. The image stays in memory for the
// component's whole life and is never written back.
#pragma once

#include <cstdint>
#include <memory>

#include "updater/base/VrBase.h"
#include "updater/base/VrByteArray.h"
#include "updater/engine/VrComponentHeader.h"
#include "updater/base/VrVersionInfo.h"

class CVrComponentFile;
class CVrEngineContext;

class CVrFwComponent : public CVrBase {
public:
    // Reads the file of component `index` (1 to 4) of the configuration. The
    // result code is that of the image load: -11 when the file cannot be
    // opened or read, -12 for a header without the 0x1A "VRXA" marker or an
    // image of no bytes, -1
    // without memory, -9 or -4 for an index the configuration does not know.
    // The component enters itself in the failure record whatever
    // the result, so the report can name it.
    CVrFwComponent(CVrEngineContext& context, uint8_t index, const char* name = "CVrFwComponent");
    ~CVrFwComponent() override;
    CVrFwComponent(const CVrFwComponent&) = delete;
    CVrFwComponent& operator=(const CVrFwComponent&) = delete;

    // The image length in bytes; 0 without an image.
    uint64_t GetSize() const;
    // `length` bytes of the image from `offset` into the target (at most its
    // size); what lies beyond the image reads as 0xFF, erased flash. An
    // offset past the image fills the whole target with 0xFF. Returns 0.
    int32_t GetData(uint64_t offset, uint32_t length, CVrByteArray& target) const;
    // The same into `length` bytes at `buffer`.
    int32_t GetData(uint64_t offset, uint32_t length, uint8_t* buffer) const;

    int32_t GetProductVersion(CVrVersionInfo& version) const;
    int32_t GetComponentVersion(CVrVersionInfo& version) const;
    uint8_t GetIndex() const { return m_index; }
    // What the header scan saw; it decided how the image was cut.
    VrHeaderState GetHeaderState() const { return m_headerState; }

private:
    void ScanHeader(const std::string& fileName);
    int32_t ReadImage(const std::string& fileName, bool decrypt);
    int32_t FindImageStart(CVrComponentFile& file, uint64_t fileSize, uint64_t& start);
    int32_t DecryptImage();
    int32_t FileFailure(const CVrComponentFile& file);

    CVrEngineContext& m_context;
    uint8_t m_index;
    std::unique_ptr<CVrByteArray> m_image;
    CVrVersionInfo m_productVersion;
    CVrVersionInfo m_componentVersion;
    VrHeaderState m_headerState = kVrHeaderNone;
};

// Whether `code` is one a component load fails with (-1, -4, -9, -11, -12).
// Waiting for the player cannot mend such a failure, so it ends the search.
bool VrIsComponentFailure(int32_t code);
