// The exchange pattern (USB port, model check, command mode) and the work of each transaction.
#include "comm/transactions.h"

#include "core/result_codes.h"

TransactionCore::TransactionCore(const CommServices& services_, int32_t failureCode, int32_t failureCodeDrive)
    : services(services_), failureCode_(failureCode), failureCodeDrive_(failureCodeDrive) {}

int32_t TransactionCore::Fail() {
    // A printer that enumerates as a removable drive is in the wrong mode: say so rather than "not found".
    bool onDrive = false;
    if (services.drives) {
        LocalDrives drives(*services.drives);
        onDrive = !drives.FindPrinterDrives(model).empty();
    }
    return result = onDrive ? failureCodeDrive_ : failureCode_;
}

bool TransactionCore::Begin(const std::wstring& printerName_, const ModelRecord& modelRecord,
                            bool extraPrecondition) {
    printerName = printerName_;
    model = modelRecord;
    if (printerName.empty() || model.SeriesCode == 0 || model.ModelCode == 0 || !extraPrecondition) {
        Fail();
        return false;
    }
    return true;
}

bool TransactionCore::ConnectAndCheck() {
    std::wstring portName;
    if (!services.portLookup || !services.portLookup(printerName, portName)) {
        Fail();
        return false;
    }
    if (!IsUsbPortName(portName)) {
        result = result::kNotUsbPort;
        return false;
    }
    if (services.portLock && !(portHold = services.portLock(portName))) {
        result = result::kPortBusy;
        return false;
    }
    communicator = std::make_shared<CCommunicater>(portName, PortEnv{services.clock, services.device});
    if (!communicator->Port() || !communicator->Port()->Open()) {
        Fail();
        return false;
    }
    uint8_t status[kStatusBlockSize] = {};
    if (!communicator->RequestStatus(status)) {
        Fail();
        return false;
    }
    if (status[kStatusSeriesOffset] != model.SeriesCode || status[kStatusModelOffset] != model.ModelCode) {
        result = result::kWrongModel;
        return false;
    }
    if (!communicator->SetCommandMode()) {
        Fail();
        return false;
    }
    return true;
}

namespace {

void ShowAll(const SettingItems& items) {
    for (const auto& item : items)
        item->ShowCurSel();
}

} // namespace

CApplyTransaction::CApplyTransaction(SettingItems items, const CommServices& services,
                                     uint32_t showValuesPauseMs)
    : core_(services, result::kApplyFailed, result::kApplyFailedDrive), items_(std::move(items)),
      showValuesPauseMs_(showValuesPauseMs) {}

int32_t CApplyTransaction::Run(const std::wstring& printerName, const ModelRecord& modelRecord) {
    if (!core_.Begin(printerName, modelRecord, !items_.empty()) || !core_.ConnectAndCheck())
        return core_.result;
    if (!core_.communicator->SendSettings(items_))
        return core_.Fail();
    core_.Pause(kApplySettlePauseMs);
    // The printer took the bytes; a failed read-back is reported as such, not as a failed apply.
    if (!core_.communicator->ReadSettings(items_))
        return core_.result = result::kGetFailed;
    for (const auto& item : items_)
        if (!item->IsApplied())
            return core_.result = result::kNotApplied;
    ShowAll(items_);
    if (showValuesPauseMs_)
        core_.Pause(showValuesPauseMs_);
    return core_.Succeed(result::kApplyDone);
}

CGetTransaction::CGetTransaction(SettingItems items, const CommServices& services, uint32_t showValuesPauseMs)
    : core_(services, result::kGetFailed, result::kGetFailedDrive), items_(std::move(items)),
      showValuesPauseMs_(showValuesPauseMs) {}

int32_t CGetTransaction::Run(const std::wstring& printerName, const ModelRecord& modelRecord) {
    if (!core_.Begin(printerName, modelRecord, !items_.empty()) || !core_.ConnectAndCheck())
        return core_.result;
    if (!core_.communicator->ReadSettings(items_))
        return core_.Fail();
    ShowAll(items_);
    if (showValuesPauseMs_)
        core_.Pause(showValuesPauseMs_);
    return core_.Succeed(result::kGetDone);
}

CResetTransaction::CResetTransaction(SettingItems items, const CommServices& services)
    : core_(services, result::kSendFailed, result::kSendFailedDrive), items_(std::move(items)) {}

int32_t CResetTransaction::Run(const std::wstring& printerName, const ModelRecord& modelRecord) {
    if (!core_.Begin(printerName, modelRecord, true) || !core_.ConnectAndCheck())
        return core_.result;
    const auto& port = core_.communicator->Port();
    if (!port->Write(printer_command::kFactoryReset, sizeof printer_command::kFactoryReset))
        return core_.Fail();
    core_.Pause(kResetRestartPauseMs);
    bool awake = false;
    for (int attempt = 0; attempt < kCommandModeAttempts && !awake; ++attempt) {
        awake =
            port->Write(printer_command::kCommandMode, sizeof printer_command::kCommandMode) != kPortFalse;
        if (!awake)
            core_.Pause(kCommandModeRetryPauseMs);
    }
    if (!awake || !core_.communicator->ReadSettings(items_))
        return core_.Fail();
    ShowAll(items_);
    return core_.Succeed(result::kResetDone);
}

CCommandTransaction::CCommandTransaction(const uint8_t* bytes, uint32_t count, const CommServices& services)
    : core_(services, result::kSendFailed, result::kSendFailedDrive), bytes_(bytes), count_(count) {}

int32_t CCommandTransaction::Run(const std::wstring& printerName, const ModelRecord& modelRecord) {
    if (!core_.Begin(printerName, modelRecord, bytes_ != nullptr && count_ != 0) || !core_.ConnectAndCheck())
        return core_.result;
    if (!core_.communicator->Port()->Write(bytes_, count_))
        return core_.Fail();
    return core_.Succeed(result::kCommandDone);
}

CPrintLogTransaction::CPrintLogTransaction(const CommServices& services)
    : core_(services, result::kSendFailed, result::kSendFailedDrive) {}

int32_t CPrintLogTransaction::Run(const std::wstring& printerName, const ModelRecord& modelRecord) {
    records_.clear();
    if (!core_.Begin(printerName, modelRecord, true) || !core_.ConnectAndCheck())
        return core_.result;
    // A transfer that stops is a command that did not work; a log that cannot be right says so.
    switch (printlog::ReadPrintLog(core_.communicator->Port(), *core_.services.clock, records_)) {
    case printlog::ReadResult::kOk:
        break;
    case printlog::ReadResult::kCorrupt:
        return core_.result = result::kPrintLogCorrupt;
    case printlog::ReadResult::kTransferFailed:
        return core_.Fail();
    }
    return core_.Succeed(result::kCommandDone);
}
