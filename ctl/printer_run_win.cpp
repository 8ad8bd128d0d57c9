// Each command on one printer, from the same transactions, items and files as the window.
#include "ctl/printer_run_win.h"

#include "comm/device_ops.h"
#include "core/result_codes.h"
#include "core/rules.h"
#include "files/config_file_win.h"
#include "items/memory_items.h"
#include "ops/operations_win.h"

#include <windows.h>

#include <optional>

namespace ctl {
namespace {

std::vector<ItemValue> Values(const MemoryItems& items, const ModelFeatures& features) {
    std::vector<ItemValue> values;
    for (const ItemBinding* binding : items.ActiveBindings(features))
        values.push_back(
            {binding->item->GetItemName(), binding->combo->GetCurSel(), binding->combo->GetText()});
    return values;
}

// A job for one printer as the console runs it: nobody watches, so no pause to show values.
DeviceJob JobFor(const Context& context, const std::wstring& printer, const ModelRecord& model,
                 SettingItems items, const std::wstring& path = {}) {
    DeviceJob job{printer, path, model, std::move(items), context.services};
    job.showValuesPauseMs = 0;
    return job;
}

} // namespace

double Seconds() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

PrinterResult RunOnPrinter(const Context& context, const PlannedPrinter& printer) {
    const double start = Seconds();
    PrinterResult r;
    r.printer = printer.name;
    r.port = printer.port;
    r.model = printer.model.name;
    const ModelRecord& model = printer.model;
    const ModelFeatures features = FeaturesOf(model.name);
    MemoryItems items(*context.platform, *context.strings);
    const Options& o = context.options;
    DeviceJob job = JobFor(context, printer.name, model, items.Active(features));
    int32_t success = result::kNone;
    std::optional<Status> decided; // the outcomes beyond success and failure
    switch (o.command) {
    case ops::Id::kGet:
        success = result::kGetDone;
        r.code = ops::Run(ops::Id::kGet, job);
        if (r.code == success) {
            r.values = Values(items, features);
            if (!o.out.empty()) {
                job.destinationPath = OutputPathFor(o.out, printer.name);
                const int32_t written = ops::Run(ops::Id::kExport, job);
                if (written != result::kExportDone)
                    r.code = written;
            }
        }
        break;
    case ops::Id::kApply: {
        success = result::kApplyDone;
        // What is not changed stays as the printer has it: read first, as the window does when it opens.
        r.code = ops::Run(ops::Id::kGet, job);
        r.note = L"nothing was changed";
        if (r.code != result::kGetDone)
            break;
        r.before = Values(items, features);
        if (!o.file.empty()) {
            job.destinationPath = o.file;
            r.code = ops::Run(ops::Id::kImport, job);
            if (r.code != result::kImportDone)
                break;
        }
        for (const auto& [name, index] : context.resolvedSets)
            if (const size_t row = items.Find(name); row < kBasicItemCount)
                items.Bindings()[row].combo->SetCurSel(index);
        r.values = Values(items, features);
        bool changes = false;
        for (size_t i = 0; i < r.values.size() && i < r.before.size(); ++i)
            changes = changes || r.values[i].index != r.before[i].index;
        if (!changes || o.whatIf) {
            // Nothing is written: the printer already has the settings, or the user only asked what would
            // change.
            r.code = success = result::kGetDone;
            decided = !changes ? Status::kUnchanged : Status::kWouldChange;
            r.note = !changes ? L"it already has these settings; nothing was written"
                              : L"--what-if: nothing was written";
            break;
        }
        job.items = items.Active(features); // their commands built from the selections as they now are
        r.code = ops::Run(ops::Id::kApply, job);
        // The settings went out before the read-back, so a failure after that may have left some applied.
        r.note = r.code == success ? L"" : L"the printer may have taken some of the settings";
        if (r.code == success)
            r.values = Values(items, features);
        break;
    }
    case ops::Id::kVerify: {
        success = result::kGetDone;
        if (!CheckConfigFileProperty(o.file, model)) {
            r.code = result::kImportWrongModel;
            break;
        }
        MemoryItems expected(*context.platform, *context.strings);
        std::vector<bool> named;
        for (const auto& item : expected.Active(features)) {
            named.push_back(item->LoadFromProfile(o.file));
            item->ShowCurSel();
        }
        r.code = ops::Run(ops::Id::kGet, job);
        if (r.code != success)
            break;
        r.values = Values(items, features);
        const std::vector<ItemValue> wanted = Values(expected, features);
        for (size_t i = 0; i < wanted.size() && i < r.values.size(); ++i)
            if (named[i] && wanted[i].index != r.values[i].index)
                r.differences.push_back({wanted[i].item, wanted[i], r.values[i]});
        decided = r.differences.empty() ? Status::kMatches : Status::kDiffers;
        r.note = r.differences.empty() ? L"matches the file" : L"differs from the file";
        break;
    }
    case ops::Id::kReport:
    case ops::Id::kReset:
    case ops::Id::kDeleteTemplates:
    case ops::Id::kDeleteLog:
    case ops::Id::kSaveLog: {
        const ops::Operation& operation = ops::Find(o.command);
        success = operation.success;
        if (o.command == ops::Id::kSaveLog)
            job.destinationPath = OutputPathFor(o.out, printer.name);
        r.code = ops::Run(operation, job);
        if (r.code == success && o.command == ops::Id::kReset)
            r.values = Values(items, features);
        break;
    }
    default:
        break;
    }
    r.ok = r.code == success && r.differences.empty();
    if (o.command == ops::Id::kVerify && r.code != success)
        decided = Status::kUnchecked;
    r.status = decided                        ? *decided
               : !r.ok                        ? Status::kFailed
               : o.command == ops::Id::kApply ? Status::kApplied
                                              : Status::kOk;
    r.seconds = Seconds() - start;
    return r;
}

PrinterResult BuildCommandFileFor(const Context& context) {
    const double start = Seconds();
    PrinterResult r;
    const Options& o = context.options;
    if (const ModelRecord* found = FindModel(context.catalogue, o.model)) {
        const ModelRecord& model = *found;
        r.model = model.name;
        MemoryItems items(*context.platform, *context.strings);
        DeviceJob job = JobFor(context, L"", model, items.Active(FeaturesOf(model.name)), o.file);
        r.code = ops::Run(ops::Id::kImport, job);
        if (r.code == result::kImportDone) {
            job.items = items.Active(FeaturesOf(model.name));
            job.destinationPath = o.out;
            r.code = ops::Run(ops::Id::kCommandFile, job);
        }
        r.ok = r.code == result::kFileCreated;
        r.status = r.ok ? Status::kOk : Status::kFailed;
    }
    r.seconds = Seconds() - start;
    return r;
}

} // namespace ctl
