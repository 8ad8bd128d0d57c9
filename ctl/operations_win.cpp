// Each command on one printer, from the same transactions, items and files as the window.
#include "ctl/operations_win.h"

#include "comm/device_ops.h"
#include "ops/operations_win.h"
#include "core/paths_win.h"
#include "core/printers.h"
#include "core/result_codes.h"
#include "core/rules.h"
#include "files/config_file_win.h"
#include "items/memory_items.h"

#include <windows.h>

namespace ctl {
namespace {

std::vector<ItemValue> Values(const MemoryItems& items, const ModelFeatures& features) {
    std::vector<ItemValue> values;
    for (const ItemBinding* binding : items.ActiveBindings(features))
        values.push_back(
            {binding->item->GetItemName(), binding->combo->GetCurSel(), binding->combo->GetText()});
    return values;
}

// The model of a driver as the spooler listed it when the run began; the transaction then asks the spooler
// for the printer's port itself, so a printer removed since then still fails as it should.
bool ModelOf(const Context& context, const std::wstring& driver, ModelRecord& model) {
    for (const ModelRecord& m : context.catalogue) {
        if (m.name == driver) {
            model = m;
            return true;
        }
    }
    return false;
}

} // namespace

double Seconds() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::vector<SettingChoices> KnownSettings(IItemPlatform& platform, IStringSource& strings) {
    MemoryItems items(platform, strings);
    std::vector<SettingChoices> settings;
    for (const ItemBinding& binding : items.Bindings())
        settings.push_back({binding.item->GetItemName(), static_cast<MemoryCombo*>(binding.combo)->texts});
    return settings;
}

bool ResolveSets(Context& context, const std::vector<ModelFeatures>& models, std::wstring& error) {
    const std::vector<SettingChoices> settings = KnownSettings(*context.platform, *context.strings);
    std::wstring names;
    for (const SettingChoices& s : settings)
        names += (names.empty() ? L"" : L", ") + s.name;
    const MemoryItems rows(*context.platform, *context.strings);
    context.resolvedSets.clear();
    for (const auto& [name, choice] : context.options.sets) {
        const SettingChoices* setting = FindSetting(settings, name);
        if (!setting) {
            error = L"no setting '" + name + L"'; the settings are " + names;
            return false;
        }
        const int index = ResolveChoice(*setting, choice, error);
        if (index < 0)
            return false;
        const size_t row = rows.Find(setting->name);
        for (const ModelFeatures& features : models) {
            if (row == kBasicItemCount || !TakesPart(row, features)) {
                error = setting->name + L" is not a setting of every selected printer's model";
                return false;
            }
        }
        context.resolvedSets.push_back({setting->name, index});
    }
    return true;
}

namespace {

// A job for one printer as the console runs it: nobody watches, so no pause to show values.
DeviceJob JobFor(const Context& context, const std::wstring& printer, const ModelRecord& model,
                 SettingItems items, const std::wstring& path = {}) {
    DeviceJob job{printer, path, model, std::move(items), context.services};
    job.showValuesPauseMs = 0;
    return job;
}

int32_t RunNamed(ops::Id id, DeviceJob& job) {
    return ops::Run(ops::Find(id), job);
}

} // namespace

PrinterResult RunOnPrinter(const Context& context, const std::wstring& printer, const std::wstring& port,
                           const std::wstring& driver) {
    const double start = Seconds();
    PrinterResult r;
    r.printer = printer;
    r.port = port;
    ModelRecord model;
    if (!ModelOf(context, driver, model)) {
        r.code = IDS_PRINTER_NOT_FOUND;
        r.seconds = Seconds() - start;
        return r;
    }
    r.model = model.name;
    const ModelFeatures features = FeaturesOf(model.name);
    MemoryItems items(*context.platform, *context.strings);
    const Options& o = context.options;
    DeviceJob job = JobFor(context, printer, model, items.Active(features));
    int32_t success = result::kNone;
    switch (o.command) {
    case Command::kGet:
        success = result::kGetDone;
        r.code = RunNamed(ops::Id::kGet, job);
        if (r.code == success) {
            r.values = Values(items, features);
            if (!o.out.empty()) {
                job.destinationPath = OutputPathFor(o.out, printer);
                const int32_t written = RunNamed(ops::Id::kExport, job);
                if (written != result::kExportDone)
                    r.code = written;
            }
        }
        break;
    case Command::kApply: {
        success = result::kApplyDone;
        // What is not changed stays as the printer has it: read first, as the window does when it opens.
        r.code = RunNamed(ops::Id::kGet, job);
        r.note = L"nothing was changed";
        if (r.code != result::kGetDone)
            break;
        r.before = Values(items, features);
        if (!o.file.empty()) {
            job.destinationPath = o.file;
            r.code = RunNamed(ops::Id::kImport, job);
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
            r.status = !changes ? L"unchanged" : L"would-change";
            r.note = !changes ? L"it already has these settings; nothing was written"
                              : L"--what-if: nothing was written";
            break;
        }
        job.items = items.Active(features); // their commands built from the selections as they now are
        r.code = RunNamed(ops::Id::kApply, job);
        // The settings went out before the read-back, so a failure after that may have left some applied.
        r.note = r.code == success ? L"" : L"the printer may have taken some of the settings";
        if (r.code == success)
            r.values = Values(items, features);
        break;
    }
    case Command::kVerify: {
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
        r.code = RunNamed(ops::Id::kGet, job);
        if (r.code != success)
            break;
        r.values = Values(items, features);
        const std::vector<ItemValue> wanted = Values(expected, features);
        for (size_t i = 0; i < wanted.size() && i < r.values.size(); ++i)
            if (named[i] && wanted[i].index != r.values[i].index)
                r.differences.push_back({wanted[i].item, wanted[i], r.values[i]});
        r.status = r.differences.empty() ? L"matches" : L"differs";
        r.note = r.differences.empty() ? L"matches the file" : L"differs from the file";
        break;
    }
    case Command::kReport:
    case Command::kReset:
    case Command::kDeleteTemplates:
    case Command::kDeleteLog:
    case Command::kSaveLog: {
        const ops::Operation* operation = ops::FindByName(CommandName(o.command));
        if (!operation)
            break;
        success = operation->success;
        if (o.command == Command::kSaveLog)
            job.destinationPath = OutputPathFor(o.out, printer);
        r.code = ops::Run(*operation, job);
        if (r.code == success && o.command == Command::kReset)
            r.values = Values(items, features);
        break;
    }
    default:
        break;
    }
    r.ok = r.code == success && r.differences.empty();
    if (o.command == Command::kVerify && r.code != success)
        r.status = L"unchecked";
    if (r.status.empty())
        r.status = !r.ok ? L"failed" : o.command == Command::kApply ? L"applied" : L"ok";
    r.seconds = Seconds() - start;
    return r;
}

PrinterResult BuildCommandFileFor(const Context& context) {
    const double start = Seconds();
    PrinterResult r;
    const Options& o = context.options;
    for (const ModelRecord& model : context.catalogue) {
        if (model.name != o.model)
            continue;
        r.model = model.name;
        MemoryItems items(*context.platform, *context.strings);
        DeviceJob job = JobFor(context, L"", model, items.Active(FeaturesOf(model.name)), o.file);
        r.code = RunNamed(ops::Id::kImport, job);
        if (r.code == result::kImportDone) {
            job.items = items.Active(FeaturesOf(model.name));
            job.destinationPath = o.out;
            r.code = RunNamed(ops::Id::kCommandFile, job);
        }
        r.ok = r.code == result::kFileCreated;
        r.status = r.ok ? L"ok" : L"failed";
        break;
    }
    r.seconds = Seconds() - start;
    return r;
}

} // namespace ctl
