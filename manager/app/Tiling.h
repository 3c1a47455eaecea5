// Pictures repeated over a span (the gauge's bars, a tiled button face):
// whole tiles from the start, the last one cut to what is left.
#pragma once

#include <vector>

struct Tile {
    int offset;  // from the span's start
    int length;  // the tile's, or less for the last
};

// No tiles for an empty span or a picture without length.
std::vector<Tile> TileSpan(int length, int tileLength);
