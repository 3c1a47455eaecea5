// What the updater's own windows share: their texts from the language
// library, and the about entry that the search and the download dialog add
// to their system menus.
#pragma once

#include <cstdint>
#include <string>

#include "updater/app/VrDialogSurface.h"

class CVrConfigInfo;
class CVrLanguageResource;
class VrFrontEnd;

// What a window of the updater takes from the application for its texts and
// its about box.
struct VrDialogServices {
    CVrLanguageResource& resource;
    CVrConfigInfo& config;
    VrFrontEnd& frontEnd;
};

// The text of string `id`; empty when the library does not hold it (the
// failure record then says so, and the window shows what it has).
std::wstring VrLoadText(CVrLanguageResource& resource, uint32_t id, bool forLog = false);

// A separator and "&" with the about title at the end of the system menu.
void VrAddAboutEntry(const VrDialogServices& services, VrDialogSurface& surface);
// System commands 16 to 31 open the about box modally over `surface`; false
// for any other command, which the window then handles itself.
bool VrOpenAboutBox(const VrDialogServices& services, VrDialogSurface& surface, int command);
