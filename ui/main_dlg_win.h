// The main window: the printer list, the settings tab, the split Apply button, the menus and the routing of
// every command to its handler.
#pragma once

#include "comm/device_ops.h"
#include "core/model.h"
#include "items/page/tab_page_win.h"
#include "ops/operations_win.h"
#include "ui/split_button_win.h"
#include "win/controls.h"
#include "win/dialog.h"

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>

class CPrinterConfigToolDlg : public win::DialogImpl<CPrinterConfigToolDlg> {
public:
    // What the start-up layer above supplies: the option dialog lives there.
    struct Hooks {
        std::function<void()> optionSettings;
    };

    CPrinterConfigToolDlg(ModelCatalogue catalogue, std::wstring printerName, HWND parent, Hooks hooks);
    ~CPrinterConfigToolDlg() override;

    // The items of every tab's page in tab order, commands rebuilt from the current selections.
    SettingItems CollectSettingItems();
    const ModelRecord& CurrentModel() const;
    ModelFeatures Features() const;

    // Device operations.
    int32_t GetCurrentSettings();
    void RetrieveAtStartup();

    bool PreTranslateMessage(MSG& msg) override;

    static constexpr UINT kAfterInitMessage = WM_USER + 200;
    static constexpr UINT kAboutSystemCommand = 16;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged(int dpi) override;

private:
    // Window and model.
    void RebuildForModel();
    void UpdateCommandFileUi();
    void OnPrinterSelChange(UINT id, UINT code);
    void OnPrinterDropDown(UINT id, UINT code);
    LRESULT OnTabSelChange(const NMHDR& header);
    void SelectTab(int index);
    void FillPrinterNames();
    std::vector<std::wstring> ModelNames() const;
    void PaintIconWhenMinimised();
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnAfterInit(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM, LPARAM);
    void OnClose(UINT id, UINT code);
    void OnAbout(UINT id, UINT code);
    void OnOptionSettings(UINT id, UINT code);
    void ShowResult(int32_t code, int32_t successCode);
    bool Confirm(UINT messageId);
    void ShowError(int32_t code);

    // Device operations (device_commands_win.cpp).
    void OnCurrentSettings(UINT id, UINT code);
    void OnApply(UINT id, UINT code);
    void OnPrintInformationReport(UINT id, UINT code);
    void OnResetToFactoryDefaults(UINT id, UINT code);
    void OnDeleteTemplateAndDatabase(UINT id, UINT code);
    void OnDeletePrintLog(UINT id, UINT code);
    DeviceJob MakeJob(SettingItems items) const;
    // Runs one operation of the table as the window does: its question, the progress dialog or the calling
    // thread, the last-settings rule. Returns the result code, or 0 when the user said no.
    int32_t Perform(ops::Id id, DeviceJob& job);
    // Perform, then the result's message as the operation's row says.
    void PerformAndShow(ops::Id id, DeviceJob job);
    // 5023 shown, and true, when the operation needs the enabled rows' items and there are none.
    bool RefusedWithoutItems(ops::Id id, const SettingItems& items);

    // File operations (file_commands_win.cpp): the file dialog, then the operation.
    void RunFileCommand(ops::Id id, UINT filterId, const wchar_t* extension, bool save);
    void OnSavePrintLog(UINT id, UINT code);
    void OnSaveCommandFile(UINT id, UINT code);
    void OnImportSettings(UINT id, UINT code);
    void OnExportSettings(UINT id, UINT code);

    ModelCatalogue catalogue_;
    std::wstring printerName_;
    Hooks hooks_;
    CommServices services_;
    uint32_t modelIndex_ = 0;
    uint32_t builtForModel_ = UINT32_MAX; // the model the page was last laid out for
    std::wstring lastComboText_;
    PrinterContext printerContext_;
    CTabBasic page_;
    CPopupButton splitButton_;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HIMAGELIST images_ = nullptr;
    win::ComboBox printerList_;
    win::TabControl tab_;
    win::Button currentSettings_, apply_, exit_;
};
