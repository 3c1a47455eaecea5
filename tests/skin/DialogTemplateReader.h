// Reads an extended dialog template (DLGTEMPLATEEX) as the resource
// compiler writes it: the window class it names and its controls in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DialogControl {
    uint32_t id = 0;
    uint32_t style = 0;
    std::wstring windowClass;  // the predefined classes by name ("Button", "ComboBox", ...)
};

struct DialogTemplate {
    uint32_t style = 0;
    std::wstring windowClass;
    std::vector<DialogControl> controls;
};

// False when the bytes are not a well-formed extended template.
bool ReadDialogTemplate(const unsigned char* bytes, size_t size, DialogTemplate& dialog);
