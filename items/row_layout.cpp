// The row arrangement over the recorded rectangles, driven by the basic settings' table.
#include "items/row_layout.h"

#include "items/basic_items.h"

#include <map>

namespace {

// The recorded top of a row's drop-down list; 0 when it was not recorded.
int TopOf(const RecordedLayout& recorded, size_t row) {
    for (const RecordedControl& control : recorded.combos)
        if (control.id == kBasicItems[row].comboId)
            return control.rect.top;
    return 0;
}

// The row a control belongs to (its list, label, note or button); kBasicItemCount for none.
size_t RowOf(int id) {
    for (size_t row = 0; row < kBasicItemCount; ++row) {
        const BasicItemDefinition& r = kBasicItems[row];
        if (id == r.comboId || id == r.labelId || id == r.noteId || id == r.buttonId)
            return row;
    }
    return kBasicItemCount;
}

} // namespace

std::vector<Placement> ArrangeRowsLayout(const RecordedLayout& recorded, const ModelFeatures& model) {
    // How far each row moves: the pitches of the hidden rows at or above it, added up.
    int shift[kBasicItemCount] = {};
    std::map<int, int> frameShrink; // frame id -> the pitches of the hidden rows inside it
    int total = 0;
    for (size_t row = 0; row < kBasicItemCount; ++row) {
        if (!TakesPart(row, model)) {
            const int pitch = row == 0 ? TopOf(recorded, 0) - TopOf(recorded, 1)
                                       : TopOf(recorded, row - 1) - TopOf(recorded, row);
            total += pitch;
            if (kBasicItems[row].frameId)
                frameShrink[kBasicItems[row].frameId] += pitch;
        }
        shift[row] = total;
    }
    std::vector<Placement> out;
    for (const auto* list : {&recorded.combos, &recorded.statics, &recorded.buttons}) {
        for (const RecordedControl& control : *list) {
            Placement place{control.id, control.rect, true, true};
            const size_t row = RowOf(control.id);
            if (row < kBasicItemCount) {
                place.rect.top += shift[row];
                place.rect.bottom += shift[row];
                place.enabled = place.visible = TakesPart(row, model);
            } else if (frameShrink.count(control.id)) {
                // A frame keeps its recorded top and shrinks at the bottom.
                place.rect.bottom += frameShrink[control.id];
            }
            out.push_back(place);
        }
    }
    return out;
}
