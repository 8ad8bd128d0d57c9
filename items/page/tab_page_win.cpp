// The basic settings page: bindings in page order, choices filled once, rows arranged per model.
#include "items/page/tab_page_win.h"

#include "core/messages_win.h"
#include "core/resource.h"
#include "core/result_codes.h"
#include "items/platform_win.h"
#include "win/resources.h"

#include <algorithm>

namespace {

Rect ToLayout(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

} // namespace

CTabBasic::CTabBasic() : DialogImpl(IDD_TAB_BASIC, nullptr) {
    bindings_ = MakeBasicBindings(CombosOf(combos_), TheItemPlatform());
    // The rows' controls from the table: the frames, the labels and the notes, then the buttons.
    std::vector<int> statics;
    auto add = [&](int id) {
        if (id && std::find(statics.begin(), statics.end(), id) == statics.end())
            statics.push_back(id);
    };
    for (const BasicItemDefinition& row : kBasicItems)
        add(row.frameId);
    for (const BasicItemDefinition& row : kBasicItems)
        add(row.labelId);
    for (const BasicItemDefinition& row : kBasicItems)
        add(row.noteId);
    for (int id : statics)
        statics_.push_back({id, win::Control()});
    for (const BasicItemDefinition& row : kBasicItems)
        if (row.buttonId)
            buttons_.push_back({row.buttonId, win::Control()});
}

void CTabBasic::DoDataExchange() {
    for (size_t row = 0; row < kBasicItemCount; ++row)
        combos_[row].Attach(Item(kBasicItems[row].comboId));
    for (auto& [id, control] : statics_)
        control.Attach(Item(id));
    for (auto& [id, control] : buttons_)
        control.Attach(Item(id));
    RecordRectangles();
}

void CTabBasic::RecordRectangles() {
    recorded_ = {};
    for (size_t row = 0; row < kBasicItemCount; ++row)
        recorded_.combos.push_back(
            {kBasicItems[row].comboId, ToLayout(win::Control(combos_[row].Handle()).RectInParent())});
    for (auto& [id, control] : statics_)
        recorded_.statics.push_back({id, ToLayout(control.RectInParent())});
    for (auto& [id, control] : buttons_)
        recorded_.buttons.push_back({id, ToLayout(control.RectInParent())});
}

void CTabBasic::OnDpiChanged(int) {
    RecordRectangles();
    ArrangeRows(arrangedFor_);
}

BOOL CTabBasic::OnInitDialog() {
    DoDataExchange();
    ModuleStrings strings(win::ResourceModule());
    for (const ItemBinding& binding : bindings_) {
        win::ComboBox list(static_cast<CComboBoxWin*>(binding.combo)->Handle());
        for (const std::wstring& text : binding.item->GetParameterList().GetOptionTexts(strings))
            list.AddString(text);
        list.SetCurSel(binding.item->GetParameterList().DefaultIndex());
    }
    return TRUE;
}

void CTabBasic::ArrangeRows(const ModelFeatures& model) {
    arrangedFor_ = model;
    arranged_ = true;
    const bool onScreen = ::IsWindowVisible(hwnd()) != FALSE;
    for (const Placement& place : ArrangeRowsLayout(recorded_, model)) {
        HWND control = Item(place.id);
        if (!control)
            continue;
        if (!onScreen) {
            // Nothing to repaint yet (the page is laid out before it is first shown): one move does it.
            ::SetWindowPos(control, nullptr, place.rect.left, place.rect.top,
                           place.rect.right - place.rect.left, place.rect.bottom - place.rect.top,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW |
                               (place.visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
            ::EnableWindow(control, place.enabled ? TRUE : FALSE);
            continue;
        }
        // Each control is taken away, moved and brought back, so that both its old and its new place repaint.
        ::EnableWindow(control, FALSE);
        ::ShowWindow(control, SW_HIDE);
        ::MoveWindow(control, place.rect.left, place.rect.top, place.rect.right - place.rect.left,
                     place.rect.bottom - place.rect.top, TRUE);
        ::EnableWindow(control, place.enabled ? TRUE : FALSE);
        ::ShowWindow(control, place.visible ? SW_SHOW : SW_HIDE);
    }
}

SettingItems CTabBasic::GetItems() {
    SettingItems items;
    for (size_t row = 0; row < kBasicItemCount; ++row) {
        const ItemBinding& binding = bindings_[row];
        if (!combos_[row].Handle() || (arranged_ && !TakesPart(row, arrangedFor_)))
            continue;
        binding.item->Prepare(binding.combo);
        items.push_back(binding.item);
    }
    return items;
}

bool CTabBasic::PreTranslateMessage(MSG& msg) {
    HWND focus = ::GetFocus();
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && focus && ::GetParent(focus) == hwnd() &&
        ::GetDlgCtrlID(focus) == kBasicItems[kCalibration].buttonId) {
        OnSendCalibration(IDC_SEND_CALIBRATION, BN_CLICKED);
        // The dialog manager would also take Enter as the main dialog's default button: it is used up here.
        return true;
    }
    return false;
}

bool CTabBasic::OnCommand(UINT id, UINT code) {
    static const Command table[] = {
        {static_cast<UINT>(kBasicItems[kCalibration].buttonId), BN_CLICKED, &CTabBasic::OnSendCalibration},
    };
    return Dispatch(table, id, code);
}

void CTabBasic::OnSendCalibration(UINT, UINT) {
    if (!printerContext_)
        return;
    const int32_t code = printerContext_->SendCalibration(bindings_[kCalibration]);
    const UINT icon = code == result::kCommandDone ? MB_ICONINFORMATION : MB_ICONERROR;
    ShowWindowMessageBox(hwnd(), MB_OK | icon, win::LoadResourceString(static_cast<UINT>(code)));
}
