// The main dialog's file commands: export and import of configuration files, command files.
#include "ui/main_dlg_win.h"

#include "core/resource.h"
#include "core/result_codes.h"
#include "files/command_file_win.h"
#include "files/config_file_win.h"
#include "files/file_dialog_win.h"
#include "win/resources.h"

void CPrinterConfigToolDlg::OnExportSettings(UINT, UINT) {
    const SettingItems items = CollectSettingItems();
    if (items.empty()) {
        ShowError(result::kAllPagesDisabled);
        return;
    }
    FileDialogRequest request;
    request.save = true;
    request.filter = win::LoadResourceString(IDS_FILTER_CONFIG_FILES);
    request.defaultExtension = L"dat";
    request.defaultName = CurrentModel().ModelID + L"ut";
    std::wstring path;
    if (!ShowFileDialog(hwnd(), request, path))
        return;
    const int32_t code = ExportConfigFile(path, CurrentModel(), items);
    if (code == result::kExportDone)
        SaveLastSettings(CurrentModel().name);
    else
        ShowError(code);
}

void CPrinterConfigToolDlg::OnImportSettings(UINT, UINT) {
    FileDialogRequest request;
    request.save = false;
    request.filter = win::LoadResourceString(IDS_FILTER_CONFIG_FILES);
    request.defaultExtension = L"dat";
    request.overwritePrompt = false;
    std::wstring path;
    if (!ShowFileDialog(hwnd(), request, path))
        return;
    int32_t flags[1] = {0};
    const int32_t code = ReadConfigFile(path, CurrentModel(), CollectSettingItems(), flags, 1);
    if (code != result::kImportDone)
        ShowError(code);
}

void CPrinterConfigToolDlg::OnSaveCommandFile(UINT, UINT) {
    FileDialogRequest request;
    request.filter = win::LoadResourceString(IDS_FILTER_COMMAND_FILES);
    const SettingItems items = CollectSettingItems();
    if (items.empty()) {
        ShowError(result::kAllPagesDisabled);
        return;
    }
    request.save = true;
    request.defaultExtension = L"bin";
    request.defaultName = CurrentModel().ModelID + L"ut";
    std::wstring path;
    if (!ShowFileDialog(hwnd(), request, path))
        return;
    const int32_t code = WriteCommandFile(path, CurrentModel(), items);
    if (code == result::kFileCreated)
        SaveLastSettings(CurrentModel().name);
    else
        ShowError(code);
}
