// Result codes of the operations: each is the string-table identifier of the message the user sees.
#pragma once

#include "core/resource.h"

#include <cstdint>

namespace result {

constexpr int32_t kNone = 0;                                 // no message
constexpr int32_t kGetFailed = IDS_GET_FAILED;               // reading the current settings failed
constexpr int32_t kApplyFailed = IDS_APPLY_FAILED;           // applying the settings failed
constexpr int32_t kSendFailed = IDS_SEND_FAILED;             // sending a command failed
constexpr int32_t kNotUsbPort = IDS_NOT_USB_PORT;            // the printer's port is not a USB port
constexpr int32_t kNotApplied = IDS_NOT_APPLIED;             // a value read back differs from the one applied
constexpr int32_t kWrongModel = IDS_WRONG_MODEL;             // the connected printer is another model
constexpr int32_t kFileOpenFailed = IDS_FILE_OPEN_FAILED;    // a file could not be created or opened
constexpr int32_t kImportUnreadable = IDS_IMPORT_UNREADABLE; // a configuration file could not be read
constexpr int32_t kFileSaveFailed = IDS_FILE_SAVE_FAILED;    // a file could not be written
constexpr int32_t kAllPagesDisabled = IDS_ALL_PAGES_DISABLED;  // no setting takes part
constexpr int32_t kImportWrongModel = IDS_IMPORT_WRONG_MODEL;  // the file belongs to another model
constexpr int32_t kApplyFailedDrive = IDS_APPLY_FAILED_DRIVE;  // as kApplyFailed, printer attached as a drive
constexpr int32_t kGetFailedDrive = IDS_GET_FAILED_DRIVE;      // as kGetFailed, printer attached as a drive
constexpr int32_t kSendFailedDrive = IDS_SEND_FAILED_DRIVE;    // as kSendFailed, printer attached as a drive
constexpr int32_t kGetDone = IDS_GET_DONE;                     // the current settings were read
constexpr int32_t kApplyDone = IDS_APPLY_DONE;                 // the settings were applied
constexpr int32_t kFileCreated = IDS_FILE_CREATED;             // a file was written
constexpr int32_t kCommandDone = IDS_COMMAND_DONE;             // the command was sent
constexpr int32_t kResetDone = IDS_RESET_DONE;                 // the printer was reset
constexpr int32_t kDataDeleted = IDS_DATA_DELETED;             // the printer deleted the data
constexpr int32_t kImportDone = IDS_IMPORT_DONE;               // the settings were imported
constexpr int32_t kExportDone = IDS_EXPORT_DONE;               // the settings were exported
constexpr int32_t kUnexpectedFailure = IDS_UNEXPECTED_FAILURE; // the program's own fault, not the printer's
constexpr int32_t kBackupInTheWay = IDS_BACKUP_IN_THE_WAY;  // a command file's .bak copy could not be removed
constexpr int32_t kPrintLogCorrupt = IDS_PRINT_LOG_CORRUPT; // the print log read cannot be right
constexpr int32_t kPrintLogNoCsv = IDS_PRINT_LOG_NO_CSV;    // the print log could not be made into a CSV file

constexpr int32_t kPathTooLong = IDS_PATH_TOO_LONG; // an output path longer than the file functions take
constexpr int32_t kDeviceName = IDS_DEVICE_NAME;    // an output name that Windows takes for a device
constexpr int32_t kTargetIsFolder = IDS_TARGET_IS_FOLDER; // a folder is where the file would go
constexpr int32_t kTargetReadOnly = IDS_TARGET_READ_ONLY; // a read-only file is where the file would go
constexpr int32_t kFileInUse = IDS_FILE_IN_USE;           // another program holds the file
constexpr int32_t kFolderMissing = IDS_FOLDER_MISSING;    // the output's folder does not exist
constexpr int32_t kPortBusy = IDS_PORT_BUSY;              // another program kept the printer's port too long

} // namespace result
