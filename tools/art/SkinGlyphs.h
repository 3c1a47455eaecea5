// The symbols on the skin's buttons and panels. Each is drawn on a design
// grid of 24 by 24 and scaled to the square it is given, so one design
// serves every size.
#pragma once

#include "SkinPaint.h"

enum class Glyph {
    kArrowRight,  // copy to the player
    kArrowLeft,   // copy to the PC
    kTrash,       // delete
    kRefresh,
    kFormat,      // a memory card wiped clean
    kSpeech,      // text to speech
    kMinimise,
    kClose,
    kPlay,
    kStop,
    kDocument,    // the file menu: delete, exit
    kCopy,        // the copy menu
    kHelp,
    kChip,        // the player's own memory: drive 1
    kCard,        // a memory card: drive 2
    kMonitor,     // the PC
    kPlayer,
    kFunnel,      // the filter
    kSpeaker,     // the volume
    kMenuMark,    // a small triangle: this button opens a menu
};

// The glyph fitted into the square of `size` pixels at (x, y).
Shape GlyphShape(Glyph glyph, int x, int y, int size);

// Any shape drawn on the 24 by 24 design grid, fitted the same way.
Shape DesignShape(Shape design, int x, int y, int size);
