// The operation table and the rules every front end applies after an operation.
#include "ops/operations_win.h"

#include "core/paths_win.h"
#include "core/resource.h"
#include "core/result_codes.h"
#include "files/command_file_win.h"
#include "files/config_file_win.h"
#include "files/print_log_file_win.h"

namespace ops {
namespace {

const Operation kOperations[] = {
    // id, name, confirmation, progress caption, success, quiet on success, administrator, last settings,
    // items,
    // worker
    {Id::kGet, L"get", 0, IDS_PROGRESS_GETTING, result::kGetDone, false, false, false, Items::kRequired,
     &GetSettingsWorker},
    {Id::kApply, L"apply", 0, IDS_PROGRESS_APPLYING, result::kApplyDone, false, true, true, Items::kRequired,
     &ApplySettingsWorker},
    {Id::kReset, L"reset", IDS_CONFIRM_RESET, IDS_PROGRESS_RESETTING, result::kResetDone, false, true, false,
     Items::kAny, &ResetWorker},
    {Id::kReport, L"report", IDS_CONFIRM_REPORT, 0, result::kCommandDone, false, false, false, Items::kNone,
     &PrintReportWorker},
    {Id::kDeleteTemplates, L"delete-templates", IDS_CONFIRM_DELETE_TEMPLATES, IDS_PROGRESS_DELETING,
     result::kDataDeleted, false, true, false, Items::kNone, &DeleteTemplateWorker},
    {Id::kDeleteLog, L"delete-log", IDS_CONFIRM_DELETE_LOG, IDS_PROGRESS_DELETING, result::kDataDeleted,
     false, true, false, Items::kNone, &DeletePrintLogWorker},
    {Id::kExport, L"export", 0, 0, result::kExportDone, true, false, true, Items::kRequired, &ExportWorker},
    {Id::kImport, L"import", 0, 0, result::kImportDone, true, false, false, Items::kAny, &ImportWorker},
    {Id::kCommandFile, L"command-file", 0, 0, result::kFileCreated, true, false, true, Items::kRequired,
     &CommandFileWorker},
    {Id::kPrintLog, L"save-log", 0, IDS_PROGRESS_RETRIEVING_DATA, result::kFileCreated, false, false, false,
     Items::kNone, &SavePrintLogWorker},
};

} // namespace

const Operation& Find(Id id) {
    for (const Operation& operation : kOperations)
        if (operation.id == id)
            return operation;
    return kOperations[0]; // every id has its row
}

const Operation* FindByName(const std::wstring& name) {
    for (const Operation& operation : kOperations)
        if (name == operation.name)
            return &operation;
    return nullptr;
}

namespace {

void Finish(const Operation& operation, const DeviceJob& job, int32_t code) {
    // The fallback of the next start-up: what the printer was last given or the user last saved. A failure
    // to keep it does not undo what the operation did, so it is not the operation's result.
    if (operation.savesLastSettings && code == operation.success && !job.model.name.empty())
        WriteLastSettingsFile(LastSettingsFilePath(job.model.name), job.model, job.items);
}

} // namespace

int32_t Run(const Operation& operation, DeviceJob& job, const WorkerRunner& runWorker) {
    if (operation.items == Items::kRequired && job.items.empty())
        return result::kAllPagesDisabled;
    const int32_t code = runWorker ? runWorker(operation, job) : operation.worker(&job);
    Finish(operation, job, code);
    return code;
}

int32_t ExportWorker(void* job) {
    const DeviceJob& j = *static_cast<const DeviceJob*>(job);
    return ExportConfigFile(j.destinationPath, j.model, j.items);
}

int32_t ImportWorker(void* job) {
    const DeviceJob& j = *static_cast<const DeviceJob*>(job);
    int32_t flags[1] = {0};
    return ReadConfigFile(j.destinationPath, j.model, j.items, flags, 1);
}

int32_t CommandFileWorker(void* job) {
    const DeviceJob& j = *static_cast<const DeviceJob*>(job);
    return WriteCommandFile(j.destinationPath, j.model, j.items);
}

} // namespace ops
