// Device operations: the jobs handed to worker threads, the workers, the single-command operations and the
// printer context that sends the calibration value at once.
#pragma once

#include "comm/transactions.h"
#include "core/model.h"

#include <cstdint>
#include <string>

// What a command handler hands to its worker function. The worker copies it before the exchange starts; the
// handler keeps it alive until the progress dialog has closed.
struct DeviceJob {
    std::wstring printerName;
    std::wstring destinationPath; // the file a file operation writes or reads; empty otherwise
    ModelRecord model;
    SettingItems items;    // empty for the operations that need none
    CommServices services; // the platform the exchange goes through
    // The pause after reading or applying in which a person sees the values; 0 where nobody watches.
    uint32_t showValuesPauseMs = kShowValuesPauseMs;
};

// The signature of every worker: the job's address in, a result code out.
using DeviceWorker = int32_t (*)(void* job);

int32_t GetSettingsWorker(void* job);
int32_t ApplySettingsWorker(void* job);
int32_t ResetWorker(void* job);
int32_t DeleteTemplateWorker(void* job);
int32_t DeletePrintLogWorker(void* job);
int32_t PrintReportWorker(void* job);

// Operations that send one command. The two deletions wait 16000 ms after a successful send while the
// printer works and then report 6506.
int32_t PrintInformationReport(const std::wstring& printerName, const ModelRecord& model,
                               const CommServices& services);
int32_t DeleteTemplateAndDatabase(const std::wstring& printerName, const ModelRecord& model,
                                  const CommServices& services);
int32_t DeletePrintLog(const std::wstring& printerName, const ModelRecord& model,
                       const CommServices& services);
int32_t SendCalibrationValue(const std::wstring& printerName, const ModelRecord& model, uint8_t value,
                             const CommServices& services);

constexpr uint32_t kDeletionWorkPauseMs = 16000;

// What the settings page works for: the selected printer and model. The main dialog keeps it current.
class PrinterContext : public ICalibrationSender {
public:
    explicit PrinterContext(const CommServices& services) : services_(services) {}
    void Refresh(const std::wstring& printerName, const ModelRecord& model) {
        printerName_ = printerName;
        model_ = model;
    }
    const ModelRecord& Model() const { return model_; }

    // Sends the value of the choice selected in the calibration row's list at once, on the calling thread; a
    // result code (6504 on success). Without a selection nothing is sent and the result is 5010.
    int32_t SendCalibration(const ItemBinding& binding) const override;

private:
    CommServices services_;
    std::wstring printerName_;
    ModelRecord model_;
};
