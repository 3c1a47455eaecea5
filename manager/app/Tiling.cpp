#include "manager/app/Tiling.h"

std::vector<Tile> TileSpan(int length, int tileLength) {
    std::vector<Tile> tiles;
    if (length <= 0 || tileLength <= 0) return tiles;
    for (int offset = 0; offset < length; offset += tileLength) {
        tiles.push_back({offset, offset + tileLength <= length ? tileLength : length - offset});
    }
    return tiles;
}
