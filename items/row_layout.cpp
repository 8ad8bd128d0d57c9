// The row arrangement as a sequence of moves over the recorded rectangles; the last move of a control wins.
#include "items/row_layout.h"

#include <map>

namespace {

class Arrangement {
public:
    explicit Arrangement(const RecordedLayout& recorded) : recorded_(recorded) {
        for (const auto* list : {&recorded.combos, &recorded.statics, &recorded.buttons})
            for (const auto& control : *list)
                state_[control.id] = {control.id, control.rect, true, true};
    }

    int Top(int id) const {
        for (const auto& control : recorded_.combos)
            if (control.id == id)
                return control.rect.top;
        return 0;
    }

    // Moves every control of the list from `fromId` to its end by `shift`, from their recorded places.
    void MoveFrom(const std::vector<RecordedControl>& list, int fromId, int shift) {
        bool on = false;
        for (const auto& control : list) {
            on = on || control.id == fromId;
            if (on)
                Move(control, shift);
        }
    }
    void MoveAll(const std::vector<RecordedControl>& list, int shift) {
        for (const auto& control : list)
            Move(control, shift);
    }
    // The frame keeps its recorded top and grows (or, with a negative shift, shrinks) at the bottom.
    void Resize(int frameId, int shift) {
        for (const auto& control : recorded_.statics) {
            if (control.id != frameId)
                continue;
            Rect rect = control.rect;
            rect.bottom += shift;
            state_[frameId] = {frameId, rect, true, true};
        }
    }
    void SetShown(int id, bool shown) {
        auto it = state_.find(id);
        if (it != state_.end())
            it->second.enabled = it->second.visible = shown;
    }

    std::vector<Placement> Result() const {
        std::vector<Placement> out;
        for (const auto* list : {&recorded_.combos, &recorded_.statics, &recorded_.buttons})
            for (const auto& control : *list)
                out.push_back(state_.at(control.id));
        return out;
    }

private:
    void Move(const RecordedControl& control, int shift) {
        Rect rect = control.rect;
        rect.top += shift;
        rect.bottom += shift;
        state_[control.id] = {control.id, rect, true, true};
    }

    const RecordedLayout& recorded_;
    std::map<int, Placement> state_;
};

} // namespace

std::vector<Placement> ArrangeRowsLayout(const RecordedLayout& recorded, const RowIds& rows,
                                         const ModelFeatures& model) {
    Arrangement a(recorded);
    // Without a power-on row: everything from the second row up by one row pitch.
    const int d1 = model.powerOnRow ? 0 : a.Top(rows.firstCombo) - a.Top(rows.secondCombo);
    a.MoveFrom(recorded.combos, rows.firstCombo, d1);
    a.Resize(rows.frame, d1);
    a.MoveFrom(recorded.statics, rows.firstLabel, d1);
    a.MoveAll(recorded.buttons, d1);
    a.SetShown(rows.firstCombo, model.powerOnRow);
    a.SetShown(rows.firstLabel, model.powerOnRow);
    // Without a battery row: everything below it up by the pitch of the second and third rows.
    const int d2 = model.batteryRow ? 0 : a.Top(rows.secondCombo) - a.Top(rows.thirdCombo);
    const int total = d1 + d2;
    a.MoveFrom(recorded.combos, rows.thirdCombo, total);
    a.Resize(rows.frame, total);
    a.MoveFrom(recorded.statics, rows.thirdLabel, total);
    a.MoveAll(recorded.buttons, total);
    a.SetShown(rows.thirdCombo, model.batteryRow);
    a.SetShown(rows.thirdLabel, model.batteryRow);
    return a.Result();
}
