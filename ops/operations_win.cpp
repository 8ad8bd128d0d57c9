// The workers of the operation table and the rules every front end applies after an operation.
#include "ops/operations_win.h"

#include "core/paths_win.h"
#include "core/resource.h"
#include "core/result_codes.h"
#include "files/command_file_win.h"
#include "files/config_file_win.h"
#include "files/print_log_file_win.h"

namespace ops {
namespace {

struct WorkerRow {
    Id id;
    DeviceWorker worker;
};

constexpr WorkerRow kWorkers[] = {
    {Id::kList, nullptr},
    {Id::kGet, &GetSettingsWorker},
    {Id::kApply, &ApplySettingsWorker},
    {Id::kVerify, nullptr},
    {Id::kReport, &PrintReportWorker},
    {Id::kReset, &ResetWorker},
    {Id::kDeleteTemplates, &DeleteTemplateWorker},
    {Id::kDeleteLog, &DeletePrintLogWorker},
    {Id::kSaveLog, &SavePrintLogWorker},
    {Id::kCommandFile, &CommandFileWorker},
    {Id::kSettings, nullptr},
    {Id::kHelp, nullptr},
    {Id::kExport, &ExportWorker},
    {Id::kImport, &ImportWorker},
};

constexpr bool EveryIdHasItsWorker() {
    if (sizeof kWorkers / sizeof kWorkers[0] != kOperationCount)
        return false;
    for (size_t i = 0; i < kOperationCount; ++i)
        if (static_cast<size_t>(kWorkers[i].id) != i)
            return false;
    return true;
}
static_assert(EveryIdHasItsWorker(), "kWorkers has one row per id, in the order of the ids");

} // namespace

DeviceWorker WorkerOf(Id id) {
    return kWorkers[static_cast<size_t>(id)].worker;
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
    const DeviceWorker worker = WorkerOf(operation.id);
    if (!worker)
        return result::kUnexpectedFailure; // a command of the console's own, which has no worker to run
    const int32_t code = runWorker ? runWorker(operation, job) : worker(&job);
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
