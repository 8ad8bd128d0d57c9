// The basic settings page: bindings in page order, choices filled once, rows arranged per model.
#include "items/page/tab_page_win.h"

#include "core/messages_win.h"
#include "core/resource.h"
#include "core/result_codes.h"
#include "items/platform_win.h"
#include "win/resources.h"

namespace {

const RowIds kRows{
    IDC_POWER_ON,   IDC_AUTO_OFF_AC, IDC_AUTO_OFF_BATTERY, IDC_POWER_ON_LABEL, IDC_AUTO_OFF_BATTERY_LABEL,
    IDC_POWER_FRAME};

Rect ToLayout(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

} // namespace

CTabBasic::CTabBasic() : DialogImpl(IDD_TAB_BASIC, nullptr) {
    IItemPlatform& platform = TheItemPlatform();
    bindings_ =
        MakeBasicBindings({&combos_[0], &combos_[1], &combos_[2], &combos_[3], &combos_[4]}, platform);
    for (int id : {IDC_POWER_FRAME, IDC_POWER_ON_LABEL, IDC_AUTO_OFF_AC_LABEL, IDC_AUTO_OFF_BATTERY_LABEL,
                   IDC_PRINT_INFO_LABEL, IDC_CALIBRATION_LABEL, IDC_REPORT_NOTE, IDC_CALIBRATION_NOTE})
        statics_.push_back({id, win::Control()});
    buttons_.push_back({IDC_SEND_CALIBRATION, win::Control()});
}

void CTabBasic::DoDataExchange() {
    for (size_t i = 0; i < bindings_.size(); ++i)
        combos_[i].Attach(Item(bindings_[i].controlId));
    for (auto& [id, control] : statics_)
        control.Attach(Item(id));
    for (auto& [id, control] : buttons_)
        control.Attach(Item(id));
    RecordRectangles();
}

void CTabBasic::RecordRectangles() {
    recorded_ = {};
    for (size_t i = 0; i < bindings_.size(); ++i)
        recorded_.combos.push_back(
            {bindings_[i].controlId, ToLayout(win::Control(combos_[i].Handle()).RectInParent())});
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
    const bool onScreen = ::IsWindowVisible(hwnd()) != FALSE;
    for (const Placement& place : ArrangeRowsLayout(recorded_, kRows, model)) {
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
    for (const ItemBinding& binding : bindings_) {
        HWND list = static_cast<CComboBoxWin*>(binding.combo)->Handle();
        if (!list || !::IsWindowEnabled(list))
            continue;
        binding.item->Prepare(binding.combo);
        items.push_back(binding.item);
    }
    return items;
}

bool CTabBasic::PreTranslateMessage(MSG& msg) {
    HWND focus = ::GetFocus();
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && focus && ::GetParent(focus) == hwnd() &&
        ::GetDlgCtrlID(focus) == IDC_SEND_CALIBRATION) {
        OnSendCalibration(IDC_SEND_CALIBRATION, BN_CLICKED);
        // The dialog manager would also take Enter as the main dialog's default button: it is used up here.
        return true;
    }
    return false;
}

bool CTabBasic::OnCommand(UINT id, UINT code) {
    static const Command table[] = {
        {IDC_SEND_CALIBRATION, BN_CLICKED, &CTabBasic::OnSendCalibration},
    };
    return Dispatch(table, id, code);
}

void CTabBasic::OnSendCalibration(UINT, UINT) {
    if (!printerContext_)
        return;
    const ItemBinding* calibration = nullptr;
    for (const ItemBinding& binding : bindings_)
        if (binding.controlId == IDC_CALIBRATION)
            calibration = &binding;
    if (!calibration)
        return;
    const int32_t code = printerContext_->SendCalibration(*calibration);
    const UINT icon = code == result::kCommandDone ? MB_ICONINFORMATION : MB_ICONERROR;
    ShowWindowMessageBox(hwnd(), MB_OK | icon, win::LoadResourceString(static_cast<UINT>(code)));
}
