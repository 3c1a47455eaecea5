#include "SkinGeometry.h"

#include <map>

#include "manager/app/SkinElements.h"

namespace {

Box At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// The shown elements by the lower id of their string; the others are hidden.
const std::map<unsigned, Box>& Places() {
    static const std::map<unsigned, Box> places = {
        // Top bar: the four menu buttons, the filter, minimise and close.
        {148, At(154, 17, 40, 26)},
        {150, At(198, 17, 40, 26)},
        {152, At(242, 17, 40, 26)},
        {154, At(286, 17, 40, 26)},
        {107, At(364, 19, 132, 160)},
        {103, At(724, 17, 26, 26)},
        {105, At(756, 17, 26, 26)},
        // The PC: folder tree and file list.
        {126, At(20, 92, 176, 346)},
        {128, At(200, 92, 232, 346)},
        // Between the two sides: the copies either way, and delete.
        {123, At(446, 160, 44, 40)},
        {121, At(446, 210, 44, 40)},
        {117, At(446, 290, 44, 40)},
        // The player: its drives, the gauge, its files and their capacity.
        {144, At(528, 64, 38, 24)},
        {146, At(570, 64, 38, 24)},
        {132, At(618, 70, 160, 12)},
        {130, At(504, 92, 276, 270)},
        // Capacity: a column per drive, a row each for total, free and used.
        {134, At(528, 386, 120, 14)},
        {136, At(528, 402, 120, 14)},
        {140, At(528, 418, 120, 14)},
        {138, At(656, 386, 120, 14)},
        {174, At(656, 402, 120, 14)},
        {142, At(656, 418, 120, 14)},
        // The deck: format, refresh, speech, volume, the wheel's play, stop, position.
        {119, At(30, 466, 44, 44)},
        {115, At(80, 466, 44, 44)},
        {176, At(130, 466, 44, 44)},
        {112, At(220, 476, 110, 26)},
        {109, At(376, 480, 48, 48)},
        {110, At(466, 484, 32, 32)},
        {111, At(512, 476, 262, 26)},
    };
    return places;
}

std::string ElementString(unsigned stringId) {
    Box place;
    if (!ElementPlace(stringId, place)) return "0,0,0,0,0";
    return "1," + std::to_string(place.left) + "," + std::to_string(place.top) + "," +
           std::to_string(place.right - place.left) + "," + std::to_string(place.bottom - place.top);
}

std::string Entry(unsigned id, const std::string& text) {
    return "    " + std::to_string(id) + " \"" + text + "\"\n";
}

}  // namespace

Shape WindowOutline() {
    const Shape whole =
        Union(Union(RoundRectShape(kBody, kBodyCorner), RoundRectShape(kLug, kLugCorner)), EllipseShape(kWheel));
    return Minus(whole, RoundRectShape(kLugSlot, 3));
}

bool ElementPlace(unsigned stringId, Box& place) {
    auto found = Places().find(stringId);
    if (found == Places().end()) return false;
    place = found->second;
    return true;
}

std::string LayoutScript() {
    std::string script =
        "// The skin's layout: the window's size and every element's string (the\n"
        "// visibility digit, then x, y, width and height). Written by skin-art-gen\n"
        "// from the geometry it draws the pictures by; do not edit.\n"
        "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\n"
        "\n"
        "STRINGTABLE\n"
        "BEGIN\n";
    for (const SkinElementSlot& element : SkinElements()) {
        const std::string text = ElementString(element.string.id);
        script += Entry(element.string.id, text);
        if (element.string.paired) script += Entry(element.string.id + 1, text);
    }
    for (const SkinResource size : {kSkinWidth, kSkinHeight}) {
        const int value = size.id == kSkinWidth.id ? kWindowWidth : kWindowHeight;
        script += Entry(size.id, std::to_string(value)) + Entry(size.id + 1, std::to_string(value));
    }
    return script + "END\n";
}
