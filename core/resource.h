/* Resource identifiers of lxdevset: the program's own resources and every language library share them. */
#pragma once

/* Dialog templates */
#define IDD_MAIN 102
#define IDD_SELECT 104
#define IDD_TAB_BASIC 130

/* Selection dialog controls */
#define IDC_SELECT_PRINTER 1126
#define IDC_SELECT_LABEL 1127

/* Strings used at start-up */
#define IDS_SYSMENU_ABOUT 101
#define IDS_APP_TITLE 201
#define IDS_VERSION 202
#define IDS_COPYRIGHT 203
#define IDS_TAB_BASIC 501
#define IDS_SAVE_COMMAND_FILE 604

/* Messages (result codes and notices share the identifiers) */
#define IDS_NOT_ADMINISTRATOR 5001
#define IDS_PRINTER_NOT_FOUND 5002
#define IDS_NO_COMPATIBLE_DRIVER 5003
#define IDS_SETTINGS_FILE_MISSING 5024

#define IDI_MAIN 128

/* Main dialog, its menus and icons */
#define IDR_MAIN_MENU 129
#define IDR_APPLY_MENU 139
#define IDI_MAIN_ICON 146
#define IDI_TAB_ICON 147
#define IDC_PRINTER_LABEL 1000
#define IDC_PRINTER_LIST 1001
#define IDC_TAB 1002
#define IDC_CURRENT_SETTINGS 1003
#define IDC_APPLY 1004
#define IDC_EXIT 1005
#define IDC_PAGE_FRAME 1096
#define IDC_SPLIT_APPLY 1138

/* Settings page controls */
#define IDC_POWER_FRAME 1006
#define IDC_POWER_ON 1008
#define IDC_POWER_ON_LABEL 1009
#define IDC_AUTO_OFF_AC_LABEL 1010
#define IDC_AUTO_OFF_AC 1011
#define IDC_CALIBRATION_NOTE 1012
#define IDC_AUTO_OFF_BATTERY_LABEL 1016
#define IDC_CALIBRATION 1018
#define IDC_AUTO_OFF_BATTERY 1022
#define IDC_CALIBRATION_LABEL 1027
#define IDC_PRINT_INFO 1032
#define IDC_REPORT_NOTE 1036
#define IDC_PRINT_INFO_LABEL 1098
#define IDC_SEND_CALIBRATION 1136

/* Menu commands */
#define ID_FILE_APPLY 32781
#define ID_FILE_SAVE_COMMAND_FILE 32785
#define ID_FILE_IMPORT 32773
#define ID_FILE_EXPORT 32774
#define ID_FILE_EXIT 32775
#define ID_TOOLS_SAVE_PRINT_LOG 32782
#define ID_TOOLS_PRINT_INFORMATION 32789
#define ID_TOOLS_RESET 32783
#define ID_TOOLS_DELETE_TEMPLATES 32784
#define ID_TOOLS_DELETE_PRINT_LOG 32779
#define ID_TOOLS_OPTIONS 32793
#define ID_HELP_ABOUT 32780
#define ID_SPLIT_APPLY 32791
#define ID_SPLIT_SAVE_COMMAND_FILE 32786

/* About, option and progress dialogs */
#define IDD_ABOUT 100
#define IDD_OPTIONS 105
#define IDD_PROGRESS 149
#define IDC_OPTION_NO_STARTUP_ERROR 1130
#define IDC_ABOUT_VERSION 1134
#define IDC_ABOUT_COPYRIGHT 1135
#define IDC_PROGRESS_BAR 1136
#define IDC_PROGRESS_CAPTION 1137
