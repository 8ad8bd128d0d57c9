// The split button's geometry from the item rectangle.
#include "ui/split_button_geometry.h"

namespace {

// A 96-DPI figure at this DPI, rounded to the nearest pixel and never below one.
int Scale(int pixels, int dpi) {
    if (dpi <= 0 || dpi == 96)
        return pixels;
    const int scaled = (pixels * dpi + 48) / 96;
    return scaled < 1 ? 1 : scaled;
}

} // namespace

int ArrowStripWidth(int dpi) {
    return Scale(16, dpi);
}

bool IsFaceClick(int x, int width, int dpi) {
    // The strip is the right-most columns, the separator's column included.
    return x < width - ArrowStripWidth(dpi);
}

SplitButtonGeometry ComputeSplitButton(const SplitRect& item, bool themed, bool pressed, int dpi) {
    SplitButtonGeometry g{};
    g.frame = item;
    // The classic face sits one pixel higher and follows the press by one pixel right and down.
    SplitRect r = item;
    if (!themed) {
        r.top -= 1;
        r.bottom -= 1;
        if (pressed) {
            r.left += 1;
            r.right += 1;
            r.top += 1;
            r.bottom += 1;
        }
    }
    const int strip = ArrowStripWidth(dpi);
    const int inset = Scale(4, dpi);
    g.separator = {r.right - strip, r.top + inset, r.right - strip, (r.bottom - r.top) - inset};

    // Three rows that narrow by one pixel on each side: a triangle pointing down.
    const int m = r.top + (r.bottom - r.top) / 2;
    const int shift = themed ? 0 : 1; // the classic arrow sits one pixel further right
    const int rowHeight = Scale(1, dpi);
    const int left = r.right - Scale(12, dpi) + shift;
    const int width = Scale(5, dpi);
    const int step = (width - 1) / 2 > 0 ? Scale(1, dpi) : 0;
    for (int row = 0; row < 3; ++row) {
        const int y = m + (row - 1) * rowHeight;
        g.arrow[row] = {left + row * step, y, left + width - row * step, y};
    }

    g.focus = {item.left + inset, item.top + inset, item.right - inset, item.bottom - inset};
    g.text = r;
    g.text.right -= Scale(12, dpi);
    return g;
}
