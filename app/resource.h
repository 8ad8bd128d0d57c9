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
