// The operations both front ends offer, declared once: name, confirmation, progress caption, success code,
// worker, the administrator rule and the last-settings rule. The window and the console only ask, show and
// run what a row says.
#pragma once

#include "comm/device_ops.h"

#include <cstdint>
#include <functional>
#include <string>

namespace ops {

enum class Id {
    kGet,
    kApply,
    kReset,
    kReport,
    kDeleteTemplates,
    kDeleteLog,
    kExport,
    kImport,
    kCommandFile,
    kPrintLog,
};

// What the operation does with the setting items of the enabled rows.
enum class Items {
    kNone,     // works without them
    kAny,      // takes them as they are, none included
    kRequired, // refused with 5023 when no row takes part
};

struct Operation {
    Id id;
    const wchar_t* name;      // as the console names it
    uint32_t confirmation;    // the question asked before anything happens; 0 for none
    uint32_t progressCaption; // the progress dialog's caption; 0 runs on the calling thread
    int32_t success;          // the result code of success
    bool quietOnSuccess;      // the window says nothing when it succeeds
    bool needsAdministrator;  // it changes printers or lxdevset's files
    bool savesLastSettings;   // success writes the model's last-settings file from the job's items
    Items items;
    DeviceWorker worker; // takes a DeviceJob
};

const Operation& Find(Id id);
// The operation of that console name; null when none.
const Operation* FindByName(const std::wstring& name);

// How a front end has the worker run: the console on its own thread, the window behind its progress dialog.
using WorkerRunner = std::function<int32_t(const Operation& operation, DeviceJob& job)>;

// Runs the operation: 5023 when it needs items and has none; else the worker (on the calling thread, or as
// `runWorker` has it run), then the last-settings rule; the result code. No question is asked: the caller has
// asked it or was told not to.
int32_t Run(const Operation& operation, DeviceJob& job, const WorkerRunner& runWorker = {});

// Workers of the file operations: export and the command file write job.destinationPath from the job's
// items; import reads it into them.
int32_t ExportWorker(void* job);
int32_t ImportWorker(void* job);
int32_t CommandFileWorker(void* job);

} // namespace ops
