#include "manager/app/SkinElements.h"

namespace {

using Kind = SkinElementKind;
constexpr SkinResource kNoPicture{0, false};

constexpr SkinResource Pair(unsigned id) { return {id, true}; }
constexpr SkinResource Fixed(unsigned id) { return {id, false}; }

const std::array<SkinElementSlot, kSkinElementCount> kElements = {{
    {Pair(103), kMinimiseButton, Kind::kButton, Pair(2013)},
    {Pair(105), kCloseButton, Kind::kButton, Pair(2005)},
    {Pair(107), kFilterBox, Kind::kControl, kNoPicture},
    {Fixed(109), kPlayButton, Kind::kButton, Fixed(2036)},
    {Fixed(110), kStopButton, Kind::kButton, Fixed(2037)},
    {Fixed(111), kPositionSlider, Kind::kControl, kNoPicture},
    {Fixed(112), kVolumeSlider, Kind::kControl, kNoPicture},
    {Pair(113), kNoControl, Kind::kDecoration, Pair(2021)},
    {Pair(115), kRefreshButton, Kind::kButton, Pair(2015)},
    {Pair(117), kDeleteButton, Kind::kButton, Pair(2007)},
    {Pair(119), kFormatButton, Kind::kButton, Pair(2011)},
    {Pair(121), kCopyToPcButton, Kind::kButton, Pair(2001)},
    {Pair(123), kCopyToPlayerButton, Kind::kButton, Pair(2009)},
    {Fixed(125), kNoControl, Kind::kDecoration, Fixed(2023)},
    {Pair(126), kFolderTree, Kind::kControl, kNoPicture},
    {Pair(128), kPcList, Kind::kControl, kNoPicture},
    {Pair(130), kPlayerList, Kind::kControl, kNoPicture},
    {Pair(132), kCapacityGauge, Kind::kGauge, kNoPicture},
    {Pair(134), kDrive1TotalText, Kind::kCapacityText, kNoPicture},
    {Pair(136), kDrive1FreeText, Kind::kCapacityText, kNoPicture},
    {Pair(140), kDrive1UsedText, Kind::kCapacityText, kNoPicture},
    {Pair(138), kDrive2TotalText, Kind::kCapacityText, kNoPicture},
    {Pair(174), kDrive2FreeText, Kind::kCapacityText, kNoPicture},
    {Pair(142), kDrive2UsedText, Kind::kCapacityText, kNoPicture},
    {Pair(144), kDrive1Button, Kind::kButton, Pair(2026)},
    {Pair(146), kDrive2Button, Kind::kButton, Pair(2028)},
    {Pair(148), kFileMenuButton, Kind::kButton, Pair(2030)},
    {Pair(150), kCopyMenuButton, Kind::kButton, Pair(2032)},
    {Pair(152), kRefreshMenuButton, Kind::kButton, Pair(2034)},
    {Pair(154), kHelpMenuButton, Kind::kButton, Pair(2017)},
    {Pair(176), kSpeechButton, Kind::kButton, Pair(3040)},
    {Pair(178), kNoControl, Kind::kDecoration, Pair(2038)},
}};

}  // namespace

const std::array<SkinElementSlot, kSkinElementCount>& SkinElements() { return kElements; }

const SkinElementSlot* FindSkinElement(unsigned stringId) {
    for (const SkinElementSlot& element : kElements) {
        if (element.string.id == stringId) return &element;
    }
    return nullptr;
}

const SkinElementSlot* SkinElementOf(int control) {
    if (control == kNoControl) return nullptr;
    for (const SkinElementSlot& element : kElements) {
        if (element.control == control) return &element;
    }
    return nullptr;
}
