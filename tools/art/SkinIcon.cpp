#include "SkinIcon.h"

#include "SkinPalette.h"

namespace {

// Lengths in 32ths of the icon, so one drawing serves every size.
Box Scaled(int size, int left, int top, int right, int bottom) {
    return {left * size / 32, top * size / 32, right * size / 32, bottom * size / 32};
}

IconImage PlayerIcon(int size) {
    Picture icon(size, size, {0, 0, 0, 0});
    const Box all = {0, 0, size, size};
    const Box body = Scaled(size, 5, 0, 27, 32);
    const int corner = size * 5 / 32;
    icon.Paint(all, RoundRectShape(body, corner), Solid(kEdge));
    icon.Paint(all, RoundRectShape(Inset(body, 1), corner - 1), Vertical(kBodyTop, kBodyBottom, body.top, body.bottom));
    const Box screen = Scaled(size, 8, 3, 24, 14);
    icon.Paint(all, RectShape(screen), Solid(kEdge));
    icon.Paint(all, RectShape(Inset(screen, 1)), Vertical(kLcdTop, kLcdBottom, screen.top, screen.bottom));
    // A note on the display: a head and a stem with a flag.
    const Box head = Scaled(size, 12, 9, 17, 13);
    const int stemX = head.right - 1;
    const Shape note = Union(Union(EllipseShape(head), RectShape({stemX - 1, screen.top + 2, stemX, head.top + 2})),
                             StrokeShape({stemX, screen.top + 2}, {stemX + size / 8, screen.top + 2 + size / 16}, 1));
    icon.Paint(all, note, Solid(kLcdInk));
    const Box wheel = Scaled(size, 9, 16, 23, 30);
    icon.Paint(all, EllipseShape(wheel), Solid(kEdge));
    icon.Paint(all, EllipseShape(Inset(wheel, 1)), Vertical(kSilverTop, kSilverBottom, wheel.top, wheel.bottom));
    const Box button = Scaled(size, 13, 20, 19, 26);
    icon.Paint(all, EllipseShape(button), Vertical(Rgb(255, 206, 104), Rgb(232, 136, 24), button.top, button.bottom));
    return icon.Icon();
}

}  // namespace

Bytes TavloIcon() { return IconFile({PlayerIcon(16), PlayerIcon(32), PlayerIcon(48)}); }
