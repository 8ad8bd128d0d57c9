// Where the settings page's controls go for a model: a row the model does not show is hidden and the rows
// below it close the gap. Every arrangement starts from the rectangles recorded when the page was created, so
// switching models back and forth never drifts.
#pragma once

#include "core/rules.h"

#include <vector>

struct RecordedControl {
    int id;
    Rect rect;
};

// The recorded rectangles, each list in the page's order: drop-down lists (row order), statics (frames
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

// Final placement of every recorded control for a model, row by row of the basic settings' table: the
// controls of a row the model does not show are hidden, those of that row and every row below it move up by
// the row's pitch (the distance from the row above, or to the row below for the first row), and a frame
// around the row shrinks by as much. Controls of the table that are not recorded are left out.
std::vector<Placement> ArrangeRowsLayout(const RecordedLayout& recorded, const ModelFeatures& model);
