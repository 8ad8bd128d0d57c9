// Where the split button's parts lie: the face and the arrow strip, the separator, the arrow's rows, the
// focus rectangle and the text. The figures are those of a 96-DPI screen, exact there, and scale with the
// window's DPI. All coordinates are the button's own: in a mirrored button they are mirrored with it, so the
// strip stays at the button's trailing end.
#pragma once

#include "core/rules.h"

#include <vector>

struct SplitLine {
    int x1, y1, x2, y2; // end point excluded, as LineTo draws
};

struct SplitButtonGeometry {
    SplitLine separator;
    int separatorWidth = 1;       // columns from separator.x1 on
    std::vector<SplitLine> arrow; // one-pixel rows narrowing to a point: 5, 3 and 1 pixels at 96 DPI
    Rect focus;
    Rect text;
};

// A 96-DPI length at this DPI, rounded to the nearest pixel and never below one.
int ScaleForDpi(int pixels, int dpi);

// The arrow strip's width at this DPI (16 pixels at 96).
int ArrowStripWidth(int dpi);

// True when a click at x (client coordinates) of a button `width` pixels wide falls on the face.
bool IsFaceClick(int x, int width, int dpi);

// The parts for an item rectangle; `themed` chooses the visual-style layout, `pressed` the classic pressed
// shift.
SplitButtonGeometry ComputeSplitButton(const Rect& item, bool themed, bool pressed, int dpi);
