// The settings tab pages: modeless child dialogs of the main dialog that own their setting items and the
// drop-down lists that show them.
#pragma once

#include "items/basic_items.h"
#include "items/combo_win.h"
#include "items/row_layout.h"
#include "win/controls.h"
#include "win/dialog.h"

#include <array>
#include <memory>
#include <utility>
#include <vector>

// A tab page: where it sends what it sends at once, and the items it hands out for an operation.
class CTabBase : public win::Dialog {
public:
    using win::Dialog::Dialog;
    // Set by the main dialog before the page's window is created; not owned.
    void SetPrinterContext(const ICalibrationSender* context) { printerContext_ = context; }
    virtual SettingItems GetItems() = 0;

protected:
    const ICalibrationSender* printerContext_ = nullptr;
};

// The page of the five basic settings (template 130 of the language library).
class CTabBasic : public win::DialogImpl<CTabBasic, CTabBase> {
public:
    CTabBasic();

    // Creates the window as a child of the main dialog: binds the controls, records their rectangles and
    // fills the lists with their choices.
    bool CreatePage(HWND parent) { return Create(parent); }
    // Shows the rows the model has and closes the gap of a hidden one.
    void ArrangeRows(const ModelFeatures& model);
    // The items of the rows shown in page order, their commands rebuilt from the current selections.
    SettingItems GetItems() override;

    const std::vector<ItemBinding>& Bindings() const { return bindings_; }
    bool PreTranslateMessage(MSG& msg) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code) override;
    // The controls are back at the template's places for the new DPI: recorded afresh, then arranged again.
    void OnDpiChanged(int dpi) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void DoDataExchange();
    void RecordRectangles();
    void OnSendCalibration(UINT id, UINT code);

    std::array<CComboBoxWin, kBasicItemCount> combos_;
    std::vector<ItemBinding> bindings_; // indexed by BasicItem
    std::vector<std::pair<int, win::Control>> statics_;
    std::vector<std::pair<int, win::Control>> buttons_;
    RecordedLayout recorded_;
    ModelFeatures arrangedFor_;
    bool arranged_ = false; // until the first arrangement every row of the template is shown
};
