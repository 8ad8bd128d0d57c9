// The print-log save: reads the printer's whole print log and writes it to the job's CSV file.
#pragma once

#include <cstdint>

// The job is a DeviceJob with the destination path; 6503 when the file was written.
int32_t SavePrintLogWorker(void* job);
