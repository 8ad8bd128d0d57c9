// The console's run over printers: plan, workers, summary.
#include "ctl/run.h"

#include "core/result_codes.h"
#include "ctl/config_check.h"
#include "ctl/json.h"
#include "ctl/report.h"
#include "items/memory_items.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <thread>

namespace ctl {

const wchar_t* StatusName(Status status) {
    switch (status) {
    case Status::kOk:
        return L"ok";
    case Status::kFailed:
        return L"failed";
    case Status::kApplied:
        return L"applied";
    case Status::kUnchanged:
        return L"unchanged";
    case Status::kWouldChange:
        return L"would-change";
    case Status::kMatches:
        return L"matches";
    case Status::kDiffers:
        return L"differs";
    case Status::kUnchecked:
        return L"unchecked";
    }
    return L"failed";
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
        const size_t row = static_cast<size_t>(setting - settings.data());
        for (const ModelFeatures& features : models) {
            if (!TakesPart(row, features)) {
                error = setting->name + L" is not a setting of every selected printer's model";
                return false;
            }
        }
        context.resolvedSets.push_back({setting->name, index});
    }
    return true;
}

std::wstring CheckConfigFileFor(const Context& context, IRunHost& host, const std::wstring& modelName) {
    std::wstring text, error;
    if (!host.ReadConfigText(context.options.file, text, error))
        return error;
    const ModelFeatures features = FeaturesOf(modelName);
    const std::vector<SettingChoices> known = KnownSettings(*context.platform, *context.strings);
    std::vector<SettingChoices> settings;
    for (size_t row = 0; row < known.size(); ++row)
        if (TakesPart(row, features))
            settings.push_back(known[row]);
    const std::wstring reason = CheckConfigText(text, modelName, settings);
    return reason.empty() ? reason : context.options.file + L": " + reason;
}

std::wstring SettingsHint(const std::wstring& model, const std::wstring& reason) {
    if (reason.find(L"the file is for ") != std::wstring::npos)
        return L"select only printers of the file's model; lxdevctl list shows each printer's model";
    return L"lxdevctl settings --model \"" + model + L"\" lists the settings and choices its files may hold";
}

std::wstring CheckOutputs(const Context& context, IRunHost& host, const std::vector<std::wstring>& printers) {
    const std::wstring& out = context.options.out;
    std::map<std::wstring, std::wstring> writer; // path folded to lower case -> the printer that writes it
    std::vector<std::wstring> folders;
    for (const std::wstring& printer : printers.empty() ? std::vector<std::wstring>{L""} : printers) {
        const std::wstring path = OutputPathFor(out, printer);
        const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
        const int32_t problem = host.OutputProblem(path);
        if (problem == result::kFolderMissing)
            return L"the folder " + folder + L" of " + path + L" does not exist";
        if (problem != result::kNone) {
            std::wstring why = OneLine(context.strings->LoadText(static_cast<uint32_t>(problem)));
            if (!why.empty() && why.back() == L'.')
                why.pop_back(); // "; nothing was sent" follows
            return path + L": " + why;
        }
        const auto [taken, added] = writer.emplace(LowerCase(path), printer);
        if (!added)
            return L"'" + taken->second + L"' and '" + printer + L"' would both be written to " + path +
                   L"; name them apart in --out";
        if (std::find(folders.begin(), folders.end(), LowerCase(folder)) == folders.end()) {
            folders.push_back(LowerCase(folder));
            if (!host.FolderTakesNewFile(path))
                return L"cannot write in the folder " + folder + L" of " + path;
        }
    }
    return L"";
}

Refusal PlanRun(Context& context, IRunHost& host, std::vector<PlannedPrinter>& plan) {
    const Options& o = context.options;
    plan.clear();
    std::vector<InstalledPrinter> installed;
    uint32_t error = 0;
    if (!host.ListPrinters(installed, error))
        return {kExitUnexpected,
                L"the spooler did not list its printers (error " + std::to_wstring(error) +
                    L"); nothing was sent",
                {}};
    std::vector<std::wstring> available;
    std::map<std::wstring, PlannedPrinter> byName;
    for (const InstalledPrinter& p : installed) {
        if (const ModelRecord* model = FindModel(context.catalogue, p.driver)) {
            available.push_back(p.name);
            byName.emplace(p.name, PlannedPrinter{p.name, p.port, *model});
        }
    }
    std::vector<std::wstring> unmatched;
    const std::vector<std::wstring> chosen = SelectPrinters(available, o.printers, o.all, unmatched);
    if (!unmatched.empty()) {
        std::wstring list;
        for (const std::wstring& u : unmatched)
            list += (list.empty() ? L"'" : L", '") + u + L"'";
        return {kExitNoMatch,
                L"no installed printer of a supported model matches " + list + L"; nothing was sent",
                {}};
    }
    if (chosen.empty())
        return {kExitNoMatch, L"no installed printer of a supported model; nothing was sent", {}};
    if (!o.out.empty()) {
        const std::wstring reason = CheckOutputs(context, host, chosen);
        if (!reason.empty())
            return {kExitUsage, reason + L"; nothing was sent", {}};
    }
    for (const std::wstring& name : chosen)
        plan.push_back(byName.at(name));
    std::vector<ModelFeatures> features;
    for (const PlannedPrinter& p : plan)
        features.push_back(FeaturesOf(p.model.name));
    std::wstring why;
    if (o.command == ops::Id::kApply && !ResolveSets(context, features, why))
        return {kExitUsage, why + L"; nothing was sent",
                L"lxdevctl settings lists every setting and its choices"};
    // The file is checked for every model it will meet, before the first printer is contacted.
    std::vector<std::wstring> checkedModels;
    for (const PlannedPrinter& p : plan) {
        if (o.file.empty() ||
            std::find(checkedModels.begin(), checkedModels.end(), p.model.name) != checkedModels.end())
            continue;
        checkedModels.push_back(p.model.name);
        const std::wstring reason = CheckConfigFileFor(context, host, p.model.name);
        if (!reason.empty())
            return {kExitUsage,
                    reason + (plan.size() > 1 ? L" ('" + p.name + L"' is one)" : L"") + L"; nothing was sent",
                    SettingsHint(p.model.name, reason)};
    }
    return {};
}

RunOutcome ExecuteRun(const std::vector<PlannedPrinter>& plan, IRunHost& host,
                      const std::atomic<bool>& interrupted, const RunEvents& events) {
    std::mutex mutex;
    size_t finished = 0;
    RunOutcome outcome;
    std::vector<std::wstring> running;
    const double runStart = host.Seconds();
    auto progress = [&] {
        if (events.progress)
            events.progress(finished, plan.size(), running);
    };
    auto worker = [&](const std::vector<size_t>& group) {
        for (size_t index : group) {
            const PlannedPrinter& printer = plan[index];
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (interrupted) {
                    outcome.notStarted.push_back(printer.name);
                    continue;
                }
                running.push_back(printer.name);
                progress();
            }
            const double started = host.Seconds() - runStart;
            PrinterResult r = host.RunOnPrinter(printer);
            r.started = started;
            std::lock_guard<std::mutex> lock(mutex);
            running.erase(std::find(running.begin(), running.end(), printer.name));
            ++finished;
            if (events.finished)
                events.finished(r);
            outcome.results.push_back(std::move(r));
            progress();
        }
    };
    std::vector<std::wstring> ports;
    for (const PlannedPrinter& p : plan)
        ports.push_back(p.port);
    std::vector<std::thread> threads;
    for (const std::vector<size_t>& group : GroupByPort(ports))
        threads.emplace_back(worker, group);
    for (std::thread& t : threads)
        t.join();
    std::sort(outcome.results.begin(), outcome.results.end(),
              [](const PrinterResult& a, const PrinterResult& b) {
                  return LowerCase(a.printer) < LowerCase(b.printer);
              });
    std::sort(outcome.notStarted.begin(), outcome.notStarted.end());
    return outcome;
}

std::wstring Summary(ops::Id command, size_t planned, const RunOutcome& outcome) {
    size_t succeeded = 0, differing = 0, unchecked = 0;
    std::wstring failedNames;
    for (const PrinterResult& r : outcome.results) {
        succeeded += r.ok;
        differing += r.status == Status::kDiffers;
        unchecked += r.status == Status::kUnchecked;
        if (!r.ok)
            failedNames +=
                (failedNames.empty() ? L" (" : L", ") + std::wstring(L"'") + Printable(r.printer) + L"'";
    }
    if (!failedNames.empty())
        failedNames += L")";
    const size_t failed = outcome.results.size() - succeeded;
    std::wstring summary = std::to_wstring(planned) + (planned == 1 ? L" printer: " : L" printers: ");
    if (command == ops::Id::kVerify)
        summary += std::to_wstring(succeeded) + L" match, " + std::to_wstring(differing) + L" differ, " +
                   std::to_wstring(unchecked) + L" could not be checked" + failedNames;
    else
        summary +=
            std::to_wstring(succeeded) + L" succeeded, " + std::to_wstring(failed) + L" failed" + failedNames;
    if (!outcome.notStarted.empty()) {
        summary += L", " + std::to_wstring(outcome.notStarted.size()) + L" not started (interrupted):";
        for (const std::wstring& name : outcome.notStarted)
            summary += L" '" + Printable(name) + L"'";
    }
    return summary;
}

int ExitCodeOf(const RunOutcome& outcome) {
    if (!outcome.notStarted.empty())
        return kExitInterrupted;
    bool failed = false;
    for (const PrinterResult& r : outcome.results) {
        if (r.status == Status::kUnchecked)
            return kExitUnchecked;
        failed = failed || !r.ok;
    }
    return failed ? kExitFailed : kExitOk;
}

} // namespace ctl
