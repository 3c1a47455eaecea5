// Draws the pictures of Tavlo's skin library SkinRes.dll and writes them,
// with the resource script of the skin's layout strings, into the folder
// given on the command line:
//
//   background.bmp    the window's background (2003, 2004); magenta outside
//                     the window's outline, from which RgnBack.rgn is made
//   <button>.bmp      one strip per button: normal, hover, down, disabled, mask
//   gauge-used.bmp    the capacity gauge's tiles (2024, 2025)
//   gauge-free.bmp
//   tavlo.ico         the program's icon (6000)
//   hand.cur          the hand cursors (3044, 3043)
//   hand-pressed.cur
//   SkinLayout.rc     the window's size and every element's string
//
// The bytes are the same on every run and every machine: integer arithmetic
// throughout, no time stamps.
#include <cstdio>
#include <fstream>
#include <string>

#include "SkinBackground.h"
#include "SkinButtons.h"
#include "SkinCursors.h"
#include "SkinGeometry.h"
#include "SkinIcon.h"

namespace {

bool SaveText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin-art-gen <output folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const Picture background = Background();
    bool written = background.BitmapFile().Save(folder + "background.bmp");
    for (const ButtonStrip& button : ButtonStrips(background)) {
        written = button.strip.BitmapFile().Save(folder + button.fileName) && written;
    }
    written = GaugeTile(true).BitmapFile().Save(folder + "gauge-used.bmp") && written;
    written = GaugeTile(false).BitmapFile().Save(folder + "gauge-free.bmp") && written;
    written = TavloIcon().Save(folder + "tavlo.ico") && written;
    written = HandCursor(false).Save(folder + "hand.cur") && written;
    written = HandCursor(true).Save(folder + "hand-pressed.cur") && written;
    written = SaveText(folder + "SkinLayout.rc", LayoutScript()) && written;
    return written ? 0 : 1;
}
