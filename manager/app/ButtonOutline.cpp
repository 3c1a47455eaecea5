#include "manager/app/ButtonOutline.h"

#include "usbsupport/RegionRuns.h"

RegionData ButtonOutline(const uint8_t* topRow, ptrdiff_t rowStep, int32_t width, int32_t height) {
    RegionData outline(kButtonOutlineGrowth);
    RegionData batch(kButtonOutlineGrowth);
    // Only pure white is cut: a mask is drawn in two colours.
    ExtractOpaqueRuns(topRow, rowStep, width, height, TransparentRange(kButtonMaskWhite, 0), batch,
                      [&outline](const RegionData& part) {
                          for (uint32_t i = 0; i < part.Count(); ++i) outline.Add(part.Rect(i));
                      });
    return outline;
}
