// The split button's geometry from the item rectangle.
#include "ui/split_button_geometry.h"

int ScaleForDpi(int pixels, int dpi) {
    if (dpi <= 0 || dpi == 96)
        return pixels;
    const int scaled = (pixels * dpi + 48) / 96;
    return scaled < 1 ? 1 : scaled;
}

int ArrowStripWidth(int dpi) {
    return ScaleForDpi(16, dpi);
}

bool IsFaceClick(int x, int width, int dpi) {
    // The strip is the right-most columns, the separator's column included.
    return x < width - ArrowStripWidth(dpi);
}

SplitButtonGeometry ComputeSplitButton(const Rect& item, bool themed, bool pressed, int dpi) {
    SplitButtonGeometry g{};
    const int pixel = ScaleForDpi(1, dpi);
    // The classic face sits one pixel higher and follows the press by one pixel right and down.
    Rect r = item;
    if (!themed) {
        r.top -= pixel;
        r.bottom -= pixel;
        if (pressed) {
            r.left += pixel;
            r.right += pixel;
            r.top += pixel;
            r.bottom += pixel;
        }
    }
    const int strip = ArrowStripWidth(dpi);
    const int inset = ScaleForDpi(4, dpi);
    g.separator = {r.right - strip, r.top + inset, r.right - strip, (r.bottom - r.top) - inset};
    g.separatorWidth = pixel;

    // A triangle pointing down: rows one pixel high that narrow by one pixel on each side, from a top row of
    // an odd width so that it ends in a single pixel, centred on the middle row m.
    int width = ScaleForDpi(5, dpi);
    if (width % 2 == 0)
        ++width;
    const int rows = (width + 1) / 2;
    const int m = r.top + (r.bottom - r.top) / 2;
    const int left =
        r.right - ScaleForDpi(12, dpi) + (themed ? 0 : pixel); // the classic arrow one further right
    const int top = m - (rows - 1) / 2;
    for (int row = 0; row < rows; ++row)
        g.arrow.push_back({left + row, top + row, left + width - row, top + row});

    g.focus = {item.left + inset, item.top + inset, item.right - inset, item.bottom - inset};
    g.text = r;
    g.text.right -= ScaleForDpi(12, dpi);
    return g;
}
