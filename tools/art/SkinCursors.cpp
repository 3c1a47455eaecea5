#include "SkinCursors.h"

#include <iterator>
#include <string>
#include <vector>

namespace {

// '#' black, '.' white, ' ' the screen; the hot spot is the fingertip's
// first white pixel, marked 'o'.
const char* const kPointing[] = {
    "     ##",
    "    #o.#",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..###",
    "    #..#..###",
    "    #..#..#..##",
    " ## #..#..#..#.#",
    "#..##........#..#",
    "#...#...........#",
    " #..............#",
    "  #.............#",
    "  #.............#",
    "   #............#",
    "   #...........#",
    "    #..........#",
    "    #..........#",
    "     #........#",
    "     #........#",
    "     ##########",
};

// Pressing, the finger is pushed three rows into the hand, with two lines
// of motion above it.
std::vector<std::string> Hand(bool pressed) {
    const std::vector<std::string> pointing(std::begin(kPointing), std::end(kPointing));
    if (!pressed) return pointing;
    std::vector<std::string> hand = {"", "", " #       #", "  #     #"};
    hand.insert(hand.end(), pointing.begin(), pointing.begin() + 2);
    hand.insert(hand.end(), pointing.begin() + 5, pointing.end());
    return hand;
}

const int kSize = 32;
const int kRowBytes = kSize / 8;

Bytes CursorFile(const std::vector<std::string>& art) {
    std::vector<uint8_t> colour(kRowBytes * kSize, 0), mask(kRowBytes * kSize, 0xFF);
    int hotX = 0, hotY = 0;
    for (int y = 0; y < kSize; ++y) {
        const std::string row = y < static_cast<int>(art.size()) ? art[y] : std::string();
        const int length = static_cast<int>(row.size());
        // Bitmap rows run from the bottom up.
        const int at = (kSize - 1 - y) * kRowBytes;
        for (int x = 0; x < kSize; ++x) {
            const char pixel = x < length ? row[x] : ' ';
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            if (pixel == ' ') continue;
            mask[at + x / 8] &= static_cast<uint8_t>(~bit);
            if (pixel != '#') colour[at + x / 8] |= bit;
            if (pixel == 'o') hotX = x, hotY = y;
        }
    }
    const uint32_t imageBytes = 40 + 2 * 4 + 2 * kRowBytes * kSize;
    Bytes out;
    out.U16(0), out.U16(2), out.U16(1);  // a cursor file with one image
    out.U8(kSize), out.U8(kSize), out.U8(2), out.U8(0);
    out.U16(static_cast<uint16_t>(hotX)), out.U16(static_cast<uint16_t>(hotY));
    out.U32(imageBytes), out.U32(6 + 16);
    BitmapInfoHeader(out, kSize, 2 * kSize, 1, 2 * kRowBytes * kSize, 2);
    out.U32(0x000000), out.U32(0xFFFFFF);  // palette: black, white
    out.Append(colour);
    out.Append(mask);
    return out;
}

}  // namespace

Bytes HandCursor(bool pressed) { return CursorFile(Hand(pressed)); }
