// Result codes of the printer exchanges: string-table identifiers that name the message the user sees.
#pragma once

#include <cstdint>

namespace result {

constexpr int32_t kNone = 0;                // no message
constexpr int32_t kGetFailed = 5008;        // reading the current settings failed
constexpr int32_t kApplyFailed = 5009;      // applying the settings failed
constexpr int32_t kSendFailed = 5010;       // sending a command failed
constexpr int32_t kNotUsbPort = 5012;       // the printer's port is not a USB port
constexpr int32_t kNotApplied = 5014;       // a value read back differs from the value applied
constexpr int32_t kWrongModel = 5015;       // the connected printer is another model
constexpr int32_t kApplyFailedDrive = 5028; // as kApplyFailed, printer attached as a removable drive
constexpr int32_t kGetFailedDrive = 5029;   // as kGetFailed, printer attached as a removable drive
constexpr int32_t kSendFailedDrive = 5030;  // as kSendFailed, printer attached as a removable drive
constexpr int32_t kGetDone = 6501;          // the current settings were read
constexpr int32_t kApplyDone = 6502;        // the settings were applied
constexpr int32_t kCommandDone = 6504;      // the command was sent
constexpr int32_t kResetDone = 6505;        // the printer was reset

} // namespace result
