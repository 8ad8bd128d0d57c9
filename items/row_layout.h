// Where the settings page's controls go for a model: one of the first and third rows is hidden and the rows
// below it close the gap. Every arrangement starts from the rectangles recorded when the page was created, so
// switching models back and forth never drifts.
#pragma once

#include "core/rules.h"

#include <vector>

struct RecordedControl {
    int id;
    Rect rect;
};

// The recorded rectangles, each list in the page's order: drop-down lists (binding order), statics (the frame
// first), buttons.
struct RecordedLayout {
    std::vector<RecordedControl> combos;
    std::vector<RecordedControl> statics;
    std::vector<RecordedControl> buttons;
};

struct Placement {
    int id;
    Rect rect;
    bool enabled;
    bool visible;
};

// The page's row identifiers: the first, second and third rows' lists and labels, and the frame around them.
struct RowIds {
    int firstCombo, secondCombo, thirdCombo;
    int firstLabel, thirdLabel;
    int frame;
};

// Final placement of every recorded control for a model: without a power-on row the first row is hidden,
// without a battery row the third, and the rows below close the gap. Controls whose id is missing from the
// lists are left out.
std::vector<Placement> ArrangeRowsLayout(const RecordedLayout& recorded, const RowIds& rows,
                                         const ModelFeatures& model);
