// Workers of the long device operations and the operations that send one command.
#include "comm/device_ops.h"

#include "core/result_codes.h"
#include "items/setting_item.h"

namespace {

// A single command after the start checks: nothing is sent for an empty name or a model without codes.
int32_t SendOneCommand(const std::wstring& printerName, const ModelRecord& model, const uint8_t* bytes,
                       uint32_t count, const CommServices& services) {
    if (printerName.empty() || model.SeriesCode == 0 || model.ModelCode == 0)
        return result::kSendFailed;
    CCommandTransaction transaction(bytes, count, services);
    return transaction.Run(printerName, model);
}

int32_t SendAndWait(const std::wstring& printerName, const ModelRecord& model, const uint8_t* bytes,
                    uint32_t count, const CommServices& services) {
    const int32_t code = SendOneCommand(printerName, model, bytes, count, services);
    if (code != result::kCommandDone)
        return code;
    services.clock->Sleep(kDeletionWorkPauseMs);
    return result::kDataDeleted;
}

template <class Transaction> int32_t RunTransactionWorker(void* job) {
    if (!job)
        return result::kNone;
    // The worker's own copy: the handler's job is not touched again until the dialog has closed.
    const DeviceJob copy = *static_cast<const DeviceJob*>(job);
    Transaction transaction(copy.items, copy.services);
    return transaction.Run(copy.printerName, copy.model);
}

template <class Transaction> int32_t RunShowingTransactionWorker(void* job) {
    if (!job)
        return result::kNone;
    const DeviceJob copy = *static_cast<const DeviceJob*>(job);
    Transaction transaction(copy.items, copy.services, copy.showValuesPauseMs);
    return transaction.Run(copy.printerName, copy.model);
}

} // namespace

int32_t GetSettingsWorker(void* job) {
    return RunShowingTransactionWorker<CGetTransaction>(job);
}

int32_t ApplySettingsWorker(void* job) {
    return RunShowingTransactionWorker<CApplyTransaction>(job);
}

int32_t ResetWorker(void* job) {
    return RunTransactionWorker<CResetTransaction>(job);
}

int32_t DeleteTemplateWorker(void* job) {
    if (!job)
        return result::kNone;
    const DeviceJob copy = *static_cast<const DeviceJob*>(job);
    return DeleteTemplateAndDatabase(copy.printerName, copy.model, copy.services);
}

int32_t DeletePrintLogWorker(void* job) {
    if (!job)
        return result::kNone;
    const DeviceJob copy = *static_cast<const DeviceJob*>(job);
    return DeletePrintLog(copy.printerName, copy.model, copy.services);
}

int32_t PrintReportWorker(void* job) {
    if (!job)
        return result::kNone;
    const DeviceJob copy = *static_cast<const DeviceJob*>(job);
    return PrintInformationReport(copy.printerName, copy.model, copy.services);
}

int32_t PrintInformationReport(const std::wstring& printerName, const ModelRecord& model,
                               const CommServices& services) {
    return SendOneCommand(printerName, model, printer_command::kInformationReport,
                          sizeof printer_command::kInformationReport, services);
}

int32_t DeleteTemplateAndDatabase(const std::wstring& printerName, const ModelRecord& model,
                                  const CommServices& services) {
    return SendAndWait(printerName, model, printer_command::kDeleteTemplates,
                       sizeof printer_command::kDeleteTemplates, services);
}

int32_t DeletePrintLog(const std::wstring& printerName, const ModelRecord& model,
                       const CommServices& services) {
    return SendAndWait(printerName, model, printer_command::kDeletePrintLog,
                       sizeof printer_command::kDeletePrintLog, services);
}

int32_t SendCalibrationValue(const std::wstring& printerName, const ModelRecord& model, uint8_t value,
                             const CommServices& services) {
    const uint8_t command[] = {printer_command::kCalibrationTakeOver[0],
                               printer_command::kCalibrationTakeOver[1], value};
    return SendOneCommand(printerName, model, command, sizeof command, services);
}

int32_t PrinterContext::SendCalibration(const ItemBinding& binding) const {
    if (!binding.combo || !binding.item)
        return result::kSendFailed;
    const int index = binding.combo->GetCurSel();
    const auto& entries = binding.item->GetParameterList().GetParameters();
    if (index < 0 || static_cast<size_t>(index) >= entries.size())
        return result::kSendFailed;
    return SendCalibrationValue(printerName_, model_, entries[static_cast<size_t>(index)].paramValue,
                                services_);
}
