/* English texts of lxdevset: the program's own resources and the English language library. */
#pragma once

#define LX_LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US

/* Strings */
#define STR_APP_TITLE "Device settings"
#define STR_VERSION "Version %s"
#define STR_COPYRIGHT "Copyright (C) %s Korvale Industries, Ltd."
#define STR_TAB_BASIC "Basic"
#define STR_SAVE_COMMAND_FILE "Save in Command File"
#define STR_ENABLE "Enable"
#define STR_DISABLE "Disable"
#define STR_NO_AUTO_OFF "None"
#define STR_10_MINUTES "10 Minutes"
#define STR_20_MINUTES "20 Minutes"
#define STR_30_MINUTES "30 Minutes"
#define STR_40_MINUTES "40 Minutes"
#define STR_50_MINUTES "50 Minutes"
#define STR_60_MINUTES "60 Minutes"
#define STR_REPORT_ALL "All"
#define STR_REPORT_USAGE_LOG "Usage Log"
#define STR_REPORT_SETTINGS "Printer Settings"
#define STR_NOT_ADMINISTRATOR "Administrator privileges are required in order to start this tool."
#define STR_PRINTER_NOT_FOUND "The specified printer cannot be found."
#define STR_NO_COMPATIBLE_DRIVER "No compatible printer driver is installed."
#define STR_STARTUP_GET_FAILED "Failed to acquire the current settings."
#define STR_STARTUP_USE_LAST "The parameters will be set to the previously specified settings."
#define STR_STARTUP_LAST_UNREADABLE                                                                          \
    "The file where the previously specified settings have been saved cannot be read."
#define STR_STARTUP_USE_DEFAULTS "The parameters will be set to their default settings."
#define STR_GET_FAILED                                                                                       \
    "Failed to acquire the current settings. \nCheck that the correct model is connected and that the unit " \
    "is correctly connected and turned on."
#define STR_APPLY_FAILED                                                                                     \
    "Failed to apply settings.\nCheck that the correct model is connected and that the unit is correctly "   \
    "connected and turned on."
#define STR_SEND_FAILED                                                                                      \
    "Failed to send the command.\nCheck that the correct model is connected and that the printer is "        \
    "correctly connected and turned on."
#define STR_STARTUP_NOT_USB                                                                                  \
    "Failed to retrieve the current settings since the printer port is not a USB port."
#define STR_NOT_USB_PORT                                                                                     \
    "Since the printer port is not a USB port, this function is not available.\nSpecify the printer "        \
    "installed in USB connection."
#define STR_NOT_APPLIED "The settings may not have been set correctly.\nTry setting them again."
#define STR_WRONG_MODEL "The wrong model is connected. "
#define STR_FILE_OPEN_FAILED "Failed to open the file.\nCheck that the specified file is correct."
#define STR_IMPORT_UNREADABLE "The settings cannot be imported since they cannot be read from the file."
#define STR_FILE_SAVE_FAILED                                                                                 \
    "The file cannot be saved.\nMake sure that it is possible to write to the specified folder."
#define STR_ALL_PAGES_DISABLED "All pages are disabled. \nAt least one page should be enabled."
#define STR_SETTINGS_FILE_MISSING "The settings file cannot be found."
#define STR_IMPORT_WRONG_MODEL "The settings cannot be imported to the specified printer."
#define STR_CONFIRM_RESET                                                                                    \
    "Printer settings, including the network settings, will return to the factory defaults.\n\nOK to "       \
    "continue?"
#define STR_CONFIRM_DELETE_TEMPLATES                                                                         \
    "All database contents and templates saved on the printer will be deleted.\n\nOK to continue?"
#define STR_CONFIRM_DELETE_LOG "All print logs saved on the printer will be deleted.\n\nOK to continue?"
#define STR_CONFIRM_REPORT "The printer information will be printed.\n\nOK to continue?"
#define STR_GET_DONE "The current values were retrieved."
#define STR_APPLY_DONE "The settings are specified."
#define STR_FILE_CREATED "The file was created."
#define STR_COMMAND_DONE "The command has been sent."
#define STR_RESET_DONE "The printer will return to its factory default condition."
#define STR_DATA_DELETED "The data was deleted."
#define STR_IMPORT_DONE "The settings were imported."
#define STR_FILTER_COMMAND_FILES "Command Files (*.bin)|*.bin|All files (*.*)|*.*||"
#define STR_FILTER_CONFIG_FILES "Config Files (*.dat)|*.dat|All files (*.*)|*.*||"
#define STR_FILTER_CSV_FILES "CSV Files (*.csv)|*.csv|All files (*.*)|*.*||"
#define STR_PROGRESS_RETRIEVING_DATA "Retrieving data..."
#define STR_PROGRESS_DELETING "Deleting data..."
#define STR_PROGRESS_APPLYING "Applying settings..."
#define STR_PROGRESS_GETTING "Retrieving current setting..."

/* Strings only a language library carries */
#define STR_SYSMENU_ABOUT "&About Device settings..."
#define STR_2_HOURS "2 Hours"
#define STR_4_HOURS "4 Hours"
#define STR_8_HOURS "8 Hours"
#define STR_12_HOURS "12 Hours"
#define STR_PRINTER_BUSY "The printer is busy.\nWait until it has finished and try again."
#define STR_PRINTER_SILENT "The printer did not answer.\nCheck that it is turned on."
#define STR_APPLY_FAILED_DRIVE                                                                               \
    "Failed to apply settings.\nThe printer is connected as a removable drive. Switch it to printer mode "   \
    "and try again."
#define STR_GET_FAILED_DRIVE                                                                                 \
    "Failed to acquire the current settings.\nThe printer is connected as a removable drive. Switch it to "  \
    "printer mode and try again."
#define STR_SEND_FAILED_DRIVE                                                                                \
    "Failed to send the command.\nThe printer is connected as a removable drive. Switch it to printer mode " \
    "and try again."
#define STR_STARTUP_DRIVE_NOTE                                                                               \
    "If the printer is connected as a removable drive (mass storage mode), switch it back to printer mode."
#define STR_UNEXPECTED_FAILURE "An unexpected error stopped the operation."
#define STR_BACKUP_IN_THE_WAY                                                                                \
    "A copy of the earlier file with the added extension .bak is beside it and could not be removed. "       \
    "Remove it before you save to this name again."
#define STR_PRINT_LOG_CORRUPT "The print log the printer sent was damaged, even when asked again. No file was saved."
#define STR_PRINT_LOG_NO_CSV "The print log could not be turned into a CSV file. No file was saved."
#define STR_PATH_TOO_LONG "The file cannot be saved because its path is too long.\nChoose a folder or file name with a shorter path."
#define STR_DEVICE_NAME "The file cannot be saved because its name is reserved for a device (such as NUL, CON, PRN, AUX, COM1 or LPT1).\nChoose another file name."
#define STR_TARGET_IS_FOLDER "The file cannot be saved because a folder of that name is there.\nChoose another file name."
#define STR_TARGET_READ_ONLY "The file cannot be saved because the file there is read-only.\nChoose another file name."
#define STR_FILE_IN_USE "The file cannot be saved because another program is using it.\nClose that program or choose another file name."
#define STR_FOLDER_MISSING "The file cannot be saved because its folder does not exist.\nChoose an existing folder."
#define STR_PORT_BUSY "Another program is communicating with the printer on this port.\nWait until it has finished and try again."
#define STR_PROGRESS_RESETTING "Resetting the printer..."

/* Buttons every dialog shares */
#define TXT_OK "OK"
#define TXT_CANCEL "Cancel"

/* Selection dialog */
#define TXT_SELECT_LABEL "&Select a printer:"

/* Menus */
#define TXT_MENU_FILE "&File"
#define TXT_MENU_APPLY "&Apply Setting to the Printer"
#define TXT_MENU_IMPORT "&Import..."
#define TXT_MENU_EXPORT "&Export..."
#define TXT_MENU_EXIT "E&xit"
#define TXT_MENU_TOOLS "&Tools"
#define TXT_MENU_SAVE_PRINT_LOG "&Save Print Log in File..."
#define TXT_MENU_PRINT_INFORMATION "&Print Information Report..."
#define TXT_MENU_RESET "&Reset to Factory Defaults..."
#define TXT_MENU_DELETE_TEMPLATES "&Delete Template and Database..."
#define TXT_MENU_DELETE_PRINT_LOG "Delete Print &Log..."
#define TXT_MENU_OPTIONS "Option Settings..."
#define TXT_MENU_HELP "&Help"
#define TXT_MENU_ABOUT "&About..."
#define TXT_SPLIT_APPLY "&Apply"
#define TXT_SPLIT_SAVE_COMMAND_FILE "&Save in Command File..."

/* About, option and progress dialogs */
#define TXT_ABOUT_CAPTION "Version Information"
#define TXT_OPTIONS_CAPTION "Option Settings"
#define TXT_OPTION_NO_STARTUP_ERROR                                                                          \
    "&Do not display an error message if the current settings cannot be retrieved at startup."
#define TXT_PROGRESS_CAPTION "Progress"

/* Main dialog */
#define TXT_PRINTER_LABEL "&Printer:"
#define TXT_CURRENT_SETTINGS "&Current Settings"
#define TXT_APPLY "&Apply"
#define TXT_EXIT "E&xit"

/* Settings page */
#define TXT_POWER_FRAME "Power"
#define TXT_POWER_ON_LABEL "Power &on when plugged in:"
#define TXT_AUTO_OFF_AC_LABEL "Auto power off (AC a&dapter):"
#define TXT_AUTO_OFF_BATTERY_LABEL "Auto power off (&battery):"
#define TXT_PRINT_INFO_LABEL "Printer &information report:"
#define TXT_REPORT_NOTE "Choose what the report printed from the Tools menu contains."
#define TXT_CALIBRATION_LABEL "Ca&libration:"
#define TXT_SEND_CALIBRATION "&Send"
#define TXT_CALIBRATION_NOTE                                                                                 \
    "Send takes the calibration value over at once, without applying the other settings."
