// The main dialog's file commands: export and import of configuration files, command files, the print log.
#include "ui/main_dlg_win.h"

#include "core/resource.h"
#include "core/result_codes.h"
#include "files/file_dialog_win.h"
#include "win/resources.h"

namespace {

// The file dialog of a file command; the name it offers is the model's, whatever the kind of file.
FileDialogRequest RequestFor(UINT filterId, const wchar_t* extension, const ModelRecord& model, bool save) {
    FileDialogRequest request;
    request.save = save;
    request.filter = win::LoadResourceString(filterId);
    request.defaultExtension = extension;
    if (save)
        request.defaultName = model.ModelID + L"ut";
    else
        request.overwritePrompt = false;
    return request;
}

} // namespace

void CPrinterConfigToolDlg::RunFileCommand(ops::Id id, UINT filterId, const wchar_t* extension, bool save) {
    DeviceJob job =
        MakeJob(ops::Find(id).items == ops::Items::kNone ? SettingItems{} : CollectSettingItems());
    if (RefusedWithoutItems(id, job.items))
        return;
    if (!ShowFileDialog(hwnd(), RequestFor(filterId, extension, job.model, save), job.destinationPath))
        return;
    PerformAndShow(id, std::move(job));
}

void CPrinterConfigToolDlg::OnExportSettings(UINT, UINT) {
    RunFileCommand(ops::Id::kExport, IDS_FILTER_CONFIG_FILES, L"dat", true);
}

void CPrinterConfigToolDlg::OnImportSettings(UINT, UINT) {
    RunFileCommand(ops::Id::kImport, IDS_FILTER_CONFIG_FILES, L"dat", false);
}

void CPrinterConfigToolDlg::OnSaveCommandFile(UINT, UINT) {
    RunFileCommand(ops::Id::kCommandFile, IDS_FILTER_COMMAND_FILES, L"bin", true);
}

void CPrinterConfigToolDlg::OnSavePrintLog(UINT, UINT) {
    RunFileCommand(ops::Id::kSaveLog, IDS_FILTER_CSV_FILES, L"csv", true);
}
