// The elements of the skin: for each element string, the control of the main
// window placed by it and the picture the control takes.
#pragma once

#include <array>

#include "manager/app/ManagerControls.h"
#include "manager/app/SkinResources.h"

enum class SkinElementKind {
    kButton,        // a bitmap button: shown, moved and given its strip
    kControl,       // a control of the template, moved or hidden
    kGauge,         // the capacity gauge, which takes both gauge pictures
    kCapacityText,  // a static text the window creates where the element is shown
    kDecoration,    // no control of the main window
};

struct SkinElementSlot {
    SkinResource string;     // the element string
    ManagerControl control;  // kNoControl for a decoration
    SkinElementKind kind;
    SkinResource picture;    // id 0 for none
};

constexpr size_t kSkinElementCount = 32;
const std::array<SkinElementSlot, kSkinElementCount>& SkinElements();

// The element whose string has `stringId` as its (lower) id; null when none has.
const SkinElementSlot* FindSkinElement(unsigned stringId);
// The element that places control `control`; null when none does.
const SkinElementSlot* SkinElementOf(int control);
