// The four kinds of exchange with a printer: apply settings, read them, reset the printer, send one command.
#pragma once

#include "core/model.h"
#include "comm/communicator.h"
#include "comm/local_drives.h"
#include "comm/print_log.h"
#include "core/result_codes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The platform services a transaction reaches through; what the pointers point to outlives the transaction.
struct CommServices {
    IClock* clock = nullptr;
    IPortDevice* device = nullptr;
    IDriveQuery* drives = nullptr;
    // The spooler's port name of a printer; false when the printer cannot be opened or read.
    std::function<bool(const std::wstring& printerName, std::wstring& portName)> portLookup;
    // Holds a port against other programs for a whole exchange, so two never interleave on one printer;
    // null when the port stayed taken too long. Released on the thread that took it, when the exchange ends.
    std::function<std::shared_ptr<void>(const std::wstring& portName)> portLock;
};

// Fixed pauses of the exchanges, in milliseconds.
constexpr uint32_t kApplySettlePauseMs = 1000;
constexpr uint32_t kShowValuesPauseMs = 2000;
constexpr uint32_t kResetRestartPauseMs = 16000;
constexpr uint32_t kCommandModeRetryPauseMs = 500;
constexpr int kCommandModeAttempts = 8;

// The steps every exchange shares; not polymorphic, each transaction embeds one.
class TransactionCore {
public:
    TransactionCore(const CommServices& services, int32_t failureCode, int32_t failureCodeDrive);

    // Stores the target and checks the name and model codes; false sets the failure code.
    bool Begin(const std::wstring& printerName, const ModelRecord& modelRecord, bool extraPrecondition);
    // Finds the USB port, checks the model and switches to command mode; false leaves the result set.
    bool ConnectAndCheck();
    int32_t Fail();
    int32_t Succeed(int32_t code) { return result = code; }

    void Pause(uint32_t ms) { services.clock->Sleep(ms); }

    CommServices services; // a copy: the transaction may outlive the caller's set
    int32_t result = result::kNone;
    std::wstring printerName;
    ModelRecord model;
    std::shared_ptr<void> portHold; // before the communicator: released after the port is closed
    std::shared_ptr<CCommunicater> communicator;

private:
    int32_t failureCode_;
    int32_t failureCodeDrive_;
};

// Applying and reading end with a pause in which a person sees the values; a caller without a person passes
// 0. The printer's own pauses stay whatever is passed.
class CApplyTransaction {
public:
    CApplyTransaction(SettingItems items, const CommServices& services,
                      uint32_t showValuesPauseMs = kShowValuesPauseMs);
    int32_t Run(const std::wstring& printerName, const ModelRecord& modelRecord);

private:
    TransactionCore core_;
    SettingItems items_;
    uint32_t showValuesPauseMs_;
};

class CGetTransaction {
public:
    CGetTransaction(SettingItems items, const CommServices& services,
                    uint32_t showValuesPauseMs = kShowValuesPauseMs);
    int32_t Run(const std::wstring& printerName, const ModelRecord& modelRecord);

private:
    TransactionCore core_;
    SettingItems items_;
    uint32_t showValuesPauseMs_;
};

class CResetTransaction {
public:
    CResetTransaction(SettingItems items, const CommServices& services);
    int32_t Run(const std::wstring& printerName, const ModelRecord& modelRecord);

private:
    TransactionCore core_;
    SettingItems items_;
};

// Reads the printer's whole print log after the usual checks; the failure codes are those of sending a
// command.
class CPrintLogTransaction {
public:
    explicit CPrintLogTransaction(const CommServices& services);
    // 6504 when the whole log was read; the records are then in Records().
    int32_t Run(const std::wstring& printerName, const ModelRecord& modelRecord);
    const std::vector<printlog::Record>& Records() const { return records_; }

private:
    TransactionCore core_;
    std::vector<printlog::Record> records_;
};

class CCommandTransaction {
public:
    // The bytes stay the caller's and must outlive Run.
    CCommandTransaction(const uint8_t* bytes, uint32_t count, const CommServices& services);
    int32_t Run(const std::wstring& printerName, const ModelRecord& modelRecord);

private:
    TransactionCore core_;
    const uint8_t* bytes_;
    uint32_t count_;
};
