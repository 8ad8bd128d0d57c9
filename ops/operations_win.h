// The operations run on a DeviceJob: each row's worker, and the rules every front end applies around it (no
// items, the last-settings file). The window and the console only ask, show and run what a row says.
#pragma once

#include "comm/device_ops.h"
#include "ops/operations.h"

#include <cstdint>
#include <functional>

namespace ops {

// The worker of a row; null for the console's own commands (list, verify, settings, help), which compose
// others.
DeviceWorker WorkerOf(Id id);

// How a front end has the worker run: the console on its own thread, the window behind its progress dialog.
using WorkerRunner = std::function<int32_t(const Operation& operation, DeviceJob& job)>;

// Runs the operation: 5023 when it needs items and has none; else the worker (on the calling thread, or as
// `runWorker` has it run), then the last-settings rule; the result code. No question is asked: the caller has
// asked it or was told not to.
int32_t Run(const Operation& operation, DeviceJob& job, const WorkerRunner& runWorker = {});
inline int32_t Run(Id id, DeviceJob& job) {
    return Run(Find(id), job);
}

// Workers of the file operations: export and the command file write job.destinationPath from the job's
// items; import reads it into them.
int32_t ExportWorker(void* job);
int32_t ImportWorker(void* job);
int32_t CommandFileWorker(void* job);

} // namespace ops
