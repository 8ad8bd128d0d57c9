// The main dialog's device operations: jobs behind the progress dialog, single commands, the first reading.
#include "ui/main_dlg_win.h"

#include "app/settings/settings_win.h"
#include "comm/progress/progress_dlg_win.h"
#include "core/messages_win.h"
#include "core/paths_win.h"
#include "core/resource.h"
#include "core/result_codes.h"
#include "core/text_format.h"
#include "files/config_file_win.h"
#include "win/resources.h"

DeviceJob CPrinterConfigToolDlg::MakeJob(SettingItems items) const {
    DeviceJob job;
    job.printerName = printerName_;
    job.model = CurrentModel();
    job.items = std::move(items);
    job.services = services_;
    return job;
}

int32_t CPrinterConfigToolDlg::Perform(ops::Id id, DeviceJob& job) {
    const ops::Operation& operation = ops::Find(id);
    if (operation.confirmation && !Confirm(operation.confirmation))
        return result::kNone;
    // Long operations run behind the progress dialog; the first reading has no parent, as the main window is
    // not shown yet.
    return ops::Run(operation, job, [&](const ops::Operation& op, DeviceJob& j) {
        const DeviceWorker worker = ops::WorkerOf(op.id);
        if (!op.progressCaption)
            return worker(&j);
        CProgressDlg progress(id == ops::Id::kGet ? nullptr : hwnd(), worker, &j,
                              win::LoadResourceString(op.progressCaption));
        progress.DoModal();
        return progress.result;
    });
}

void CPrinterConfigToolDlg::PerformAndShow(ops::Id id, DeviceJob job) {
    const ops::Operation& operation = ops::Find(id);
    const int32_t code = Perform(id, job);
    if (code == result::kNone || (code == operation.success && operation.quietOnSuccess))
        return;
    ShowResult(code, operation.success);
}

bool CPrinterConfigToolDlg::RefusedWithoutItems(ops::Id id, const SettingItems& items) {
    if (ops::Find(id).items != ops::Items::kRequired || !items.empty())
        return false;
    ShowError(result::kAllPagesDisabled);
    return true;
}

int32_t CPrinterConfigToolDlg::GetCurrentSettings() {
    DeviceJob job = MakeJob(CollectSettingItems());
    return Perform(ops::Id::kGet, job);
}

void CPrinterConfigToolDlg::OnCurrentSettings(UINT, UINT) {
    ShowResult(GetCurrentSettings(), result::kGetDone);
}

void CPrinterConfigToolDlg::OnApply(UINT, UINT) {
    PerformAndShow(ops::Id::kApply, MakeJob(CollectSettingItems()));
}

void CPrinterConfigToolDlg::OnPrintInformationReport(UINT, UINT) {
    PerformAndShow(ops::Id::kReport, MakeJob({}));
}

void CPrinterConfigToolDlg::OnResetToFactoryDefaults(UINT, UINT) {
    PerformAndShow(ops::Id::kReset, MakeJob(CollectSettingItems()));
}

void CPrinterConfigToolDlg::OnDeleteTemplateAndDatabase(UINT, UINT) {
    PerformAndShow(ops::Id::kDeleteTemplates, MakeJob({}));
}

void CPrinterConfigToolDlg::OnDeletePrintLog(UINT, UINT) {
    PerformAndShow(ops::Id::kDeleteLog, MakeJob({}));
}

void CPrinterConfigToolDlg::RetrieveAtStartup() {
    const int32_t code = GetCurrentSettings();
    if (code == result::kGetDone)
        return;
    const std::wstring lastSettings = LastSettingsFilePath(CurrentModel().name);
    const SettingItems items = CollectSettingItems();
    const bool haveLastSettings = PathExists(lastSettings);
    int32_t imported = result::kNone;
    if (haveLastSettings) {
        int32_t flags[1] = {0};
        imported = ReadConfigFile(lastSettings, CurrentModel(), items, flags, 1);
    }
    if (NoDisplayStartupError(SettingsPathBesideProgram()))
        return;
    const std::wstring first =
        win::LoadResourceString(code == result::kNotUsbPort ? IDS_STARTUP_NOT_USB : IDS_STARTUP_GET_FAILED);
    const std::wstring second =
        win::LoadResourceString(haveLastSettings ? IDS_STARTUP_USE_LAST : IDS_STARTUP_USE_DEFAULTS);
    const std::wstring third =
        code == result::kGetFailedDrive ? win::LoadResourceString(IDS_STARTUP_DRIVE_NOTE) : std::wstring();
    const std::wstring text = third.empty() ? FormatText(L"%s\n%s", {first, second})
                                            : FormatText(L"%s\n%s\n\n%s", {first, second, third});
    ShowWindowMessageBox(hwnd(), MB_OK | MB_ICONEXCLAMATION, text);
    if (haveLastSettings && imported != result::kImportDone)
        ShowWindowMessageBox(hwnd(), MB_OK | MB_ICONEXCLAMATION,
                             FormatText(L"%s\n%s", {win::LoadResourceString(IDS_STARTUP_LAST_UNREADABLE),
                                                    win::LoadResourceString(IDS_STARTUP_USE_DEFAULTS)}));
}
