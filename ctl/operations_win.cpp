// Each command on one printer, from the same transactions, items and files as the window.
#include "ctl/operations_win.h"

#include "comm/device_ops.h"
#include "core/paths_win.h"
#include "core/printers.h"
#include "core/result_codes.h"
#include "core/rules.h"
#include "files/command_file_win.h"
#include "files/config_file_win.h"
#include "files/print_log_file_win.h"
#include "items/memory_items.h"

#include <windows.h>

namespace ctl {
namespace {

std::vector<ItemValue> Values(const MemoryItems& items, bool wireless) {
    std::vector<ItemValue> values;
    for (const ItemBinding* binding : items.ActiveBindings(wireless))
        values.push_back(
            {binding->item->GetItemName(), binding->combo->GetCurSel(), binding->combo->GetText()});
    return values;
}

// The transactions' way of finding a model: the printer's driver among the catalogue's names.
bool ModelOf(const Context& context, const std::wstring& printer, ModelRecord& model) {
    size_t index = 0;
    if (!FindModelIndex(context.catalogue, printer, index))
        return false;
    model = context.catalogue[index];
    return true;
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

bool ResolveSets(Context& context, const std::vector<bool>& wirelessModels, std::wstring& error) {
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
        const ItemBinding* binding = rows.Find(setting->name);
        for (bool wireless : wirelessModels) {
            if (!binding || !MemoryItems::TakesPart(*binding, wireless)) {
                error = setting->name + L" is not a setting of every selected printer's model";
                return false;
            }
        }
        context.resolvedSets.push_back({setting->name, index});
    }
    return true;
}

PrinterResult RunOnPrinter(const Context& context, const std::wstring& printer, const std::wstring& port) {
    const double start = Seconds();
    PrinterResult r;
    r.printer = printer;
    r.port = port;
    ModelRecord model;
    if (!ModelOf(context, printer, model)) {
        // Removed from the spooler, or its driver changed, since the run began.
        r.code = IDS_PRINTER_NOT_FOUND;
        r.seconds = Seconds() - start;
        return r;
    }
    r.model = model.name;
    const bool wireless = IsWirelessModel(model.name);
    MemoryItems items(*context.platform, *context.strings);
    const Options& o = context.options;
    int32_t success = result::kNone;
    switch (o.command) {
    case Command::kGet:
        success = result::kGetDone;
        r.code = CGetTransaction(items.Active(wireless), context.services).Run(printer, model);
        if (r.code == success) {
            r.values = Values(items, wireless);
            if (!o.out.empty()) {
                const int32_t written =
                    ExportConfigFile(OutputPathFor(o.out, printer), model, items.Active(wireless));
                if (written != result::kExportDone)
                    r.code = written;
            }
        }
        break;
    case Command::kApply: {
        success = result::kApplyDone;
        // What is not changed stays as the printer has it: read first, as the window does when it opens.
        r.code = CGetTransaction(items.Active(wireless), context.services).Run(printer, model);
        if (r.code != result::kGetDone)
            break;
        if (!o.file.empty()) {
            int32_t flags[1] = {0};
            r.code = ReadConfigFile(o.file, model, items.Active(wireless), flags, 1);
            if (r.code != result::kImportDone)
                break;
        }
        for (const auto& [name, index] : context.resolvedSets)
            if (const ItemBinding* binding = items.Find(name))
                binding->combo->SetCurSel(index);
        const SettingItems active = items.Active(wireless);
        r.code = CApplyTransaction(active, context.services).Run(printer, model);
        if (r.code == success) {
            WriteLastSettingsFile(LastSettingsFilePath(model.name), model, active);
            r.values = Values(items, wireless);
        }
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
        for (const auto& item : expected.Active(wireless)) {
            named.push_back(item->LoadFromProfile(o.file));
            item->ShowCurSel();
        }
        r.code = CGetTransaction(items.Active(wireless), context.services).Run(printer, model);
        if (r.code != success)
            break;
        r.values = Values(items, wireless);
        const std::vector<ItemValue> wanted = Values(expected, wireless);
        for (size_t i = 0; i < wanted.size() && i < r.values.size(); ++i)
            if (named[i] && wanted[i].index != r.values[i].index)
                r.differences.push_back({wanted[i].item, wanted[i], r.values[i]});
        r.note = r.differences.empty() ? L"matches the file" : L"differs from the file";
        break;
    }
    case Command::kReport:
        success = result::kCommandDone;
        r.code = PrintInformationReport(printer, model, context.services);
        break;
    case Command::kReset:
        success = result::kResetDone;
        r.code = CResetTransaction(items.Active(wireless), context.services).Run(printer, model);
        if (r.code == success)
            r.values = Values(items, wireless);
        break;
    case Command::kDeleteTemplates:
        success = result::kDataDeleted;
        r.code = DeleteTemplateAndDatabase(printer, model, context.services);
        break;
    case Command::kDeleteLog:
        success = result::kDataDeleted;
        r.code = DeletePrintLog(printer, model, context.services);
        break;
    case Command::kSaveLog: {
        success = result::kFileCreated;
        DeviceJob job{printer, OutputPathFor(o.out, printer), model, {}, context.services};
        r.code = SavePrintLogWorker(&job);
        break;
    }
    default:
        break;
    }
    r.ok = r.code == success && r.differences.empty();
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
        int32_t flags[1] = {0};
        const bool wireless = IsWirelessModel(model.name);
        r.code = ReadConfigFile(o.file, model, items.Active(wireless), flags, 1);
        if (r.code == result::kImportDone)
            r.code = WriteCommandFile(o.out, model, items.Active(wireless));
        r.ok = r.code == result::kFileCreated;
        break;
    }
    r.seconds = Seconds() - start;
    return r;
}

} // namespace ctl
