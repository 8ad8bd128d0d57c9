// The print-log save worker.
#include "comm/print_log_worker.h"

#include "comm/device_ops.h"
#include "core/result_codes.h"

int32_t SavePrintLogWorker(void* job) {
    if (!job)
        return result::kNone;
    return result::kSendFailed;
}
