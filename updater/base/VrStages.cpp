#include "updater/base/VrStages.h"

namespace {

// Up to ten components can be erased and written, each with its own stage.
const int32_t kMaxComponentIndex = 10;
const uint16_t kEraseComponentStringId = 171;
const uint16_t kWriteComponentStringId = 196;

struct PlainStage {
    int32_t stage;
    uint16_t stringId;
};

const PlainStage kPlainStages[] = {
    {2, 163},  {3, 164},  {4, 173},  {5, 166},  {28, 138}, {29, 167}, {30, 181},
    {31, 182}, {32, 183}, {34, 184}, {35, 185}, {36, 186}, {37, 187}, {38, 188},
    {39, 189}, {40, 190}, {41, 191}, {42, 192}, {43, 193}, {44, 194}, {45, 165},
    {46, 172}, {47, 218}, {48, 168}, {49, 169}, {50, 635},
};

bool NamesComponent(int32_t stage, int32_t base) {
    return stage > base && stage <= base + kMaxComponentIndex;
}

}  // namespace

VrStageText VrLookupStage(int32_t stage) {
    if (NamesComponent(stage, kVrStageEraseComponent)) {
        return {kEraseComponentStringId, static_cast<uint8_t>(stage - kVrStageEraseComponent)};
    }
    if (NamesComponent(stage, kVrStageWriteComponent)) {
        return {kWriteComponentStringId, static_cast<uint8_t>(stage - kVrStageWriteComponent)};
    }
    for (const PlainStage& plain : kPlainStages) {
        if (plain.stage == stage) return {plain.stringId, 0};
    }
    return {0, 0};
}
