/* Figures of every dialog template in dialog units (left, top, width, height), font and mirroring: the English
   layout. A language header defines whichever of these its texts need otherwise before it is included. */
#pragma once

#ifndef LX_FONT
#define LX_FONT 8, "MS Shell Dlg", 400, 0, 0x1
#endif
/* Extended style added to every template: a right-to-left language mirrors its dialogs. */
#ifndef LX_EXSTYLE
#define LX_EXSTYLE 0
#endif

/* Selection dialog */
#ifndef SIZE_SELECT
#define SIZE_SELECT 162, 68
#endif
#ifndef POS_SELECT_LABEL
#define POS_SELECT_LABEL 7, 7, 146, 17
#endif
#ifndef POS_SELECT_PRINTER
#define POS_SELECT_PRINTER 7, 26, 146, 40
#endif
#ifndef POS_SELECT_OK
#define POS_SELECT_OK 21, 46, 50, 14
#endif
#ifndef POS_SELECT_CANCEL
#define POS_SELECT_CANCEL 91, 47, 50, 14
#endif

/* About dialog */
#ifndef SIZE_ABOUT
#define SIZE_ABOUT 210, 83
#endif
#ifndef POS_ABOUT_ICON
#define POS_ABOUT_ICON 11, 17, 20, 20
#endif
#ifndef POS_ABOUT_NAME
#define POS_ABOUT_NAME 40, 10, 133, 8
#endif
#ifndef POS_ABOUT_VERSION
#define POS_ABOUT_VERSION 40, 25, 142, 12
#endif
#ifndef POS_ABOUT_COPYRIGHT
#define POS_ABOUT_COPYRIGHT 40, 41, 140, 17
#endif
#ifndef POS_ABOUT_OK
#define POS_ABOUT_OK 79, 63, 50, 14
#endif

/* Option dialog */
#ifndef SIZE_OPTIONS
#define SIZE_OPTIONS 207, 68
#endif
#ifndef POS_OPTION_CHECK
#define POS_OPTION_CHECK 10, 16, 187, 18
#endif
#ifndef POS_OPTION_OK
#define POS_OPTION_OK 93, 48, 50, 14
#endif
#ifndef POS_OPTION_CANCEL
#define POS_OPTION_CANCEL 148, 48, 50, 14
#endif

/* Progress dialog */
#ifndef SIZE_PROGRESS
#define SIZE_PROGRESS 184, 46
#endif
#ifndef POS_PROGRESS_CAPTION
#define POS_PROGRESS_CAPTION 8, 6, 169, 17
#endif
#ifndef POS_PROGRESS_BAR
#define POS_PROGRESS_BAR 7, 29, 169, 12
#endif

/* Main dialog */
#ifndef SIZE_MAIN
#define SIZE_MAIN 345, 344
#endif
#ifndef POS_MAIN_PRINTER_LABEL
#define POS_MAIN_PRINTER_LABEL 8, 5, 46, 10
#endif
#ifndef POS_MAIN_PRINTER_LIST
#define POS_MAIN_PRINTER_LIST 61, 3, 150, 59
#endif
#ifndef POS_MAIN_CURRENT
#define POS_MAIN_CURRENT 244, 3, 94, 14
#endif
#ifndef POS_MAIN_TAB
#define POS_MAIN_TAB 7, 21, 332, 301
#endif
#ifndef POS_MAIN_PAGE_FRAME
#define POS_MAIN_PAGE_FRAME 11, 36, 326, 284
#endif
#ifndef POS_MAIN_APPLY
#define POS_MAIN_APPLY 209, 325, 62, 14
#endif
#ifndef POS_MAIN_EXIT
#define POS_MAIN_EXIT 276, 325, 62, 14
#endif

/* Settings page: labels in one column, lists in the next; the rows keep the same pitch in every language. */
#ifndef SIZE_PAGE
#define SIZE_PAGE 326, 284
#endif
#ifndef POS_PAGE_POWER_FRAME
#define POS_PAGE_POWER_FRAME 7, 7, 312, 74
#endif
#ifndef POS_PAGE_POWER_ON_LABEL
#define POS_PAGE_POWER_ON_LABEL 17, 24, 150, 10
#endif
#ifndef POS_PAGE_POWER_ON
#define POS_PAGE_POWER_ON 175, 22, 132, 80
#endif
#ifndef POS_PAGE_AC_LABEL
#define POS_PAGE_AC_LABEL 17, 42, 150, 10
#endif
#ifndef POS_PAGE_AC
#define POS_PAGE_AC 175, 40, 132, 120
#endif
#ifndef POS_PAGE_BATTERY_LABEL
#define POS_PAGE_BATTERY_LABEL 17, 60, 150, 10
#endif
#ifndef POS_PAGE_BATTERY
#define POS_PAGE_BATTERY 175, 58, 132, 120
#endif
#ifndef POS_PAGE_INFO_LABEL
#define POS_PAGE_INFO_LABEL 17, 96, 150, 10
#endif
#ifndef POS_PAGE_INFO
#define POS_PAGE_INFO 175, 94, 132, 80
#endif
#ifndef POS_PAGE_REPORT_NOTE
#define POS_PAGE_REPORT_NOTE 17, 110, 290, 10
#endif
#ifndef POS_PAGE_CALIBRATION_LABEL
#define POS_PAGE_CALIBRATION_LABEL 17, 132, 150, 10
#endif
#ifndef POS_PAGE_CALIBRATION
#define POS_PAGE_CALIBRATION 175, 130, 80, 120
#endif
#ifndef POS_PAGE_SEND
#define POS_PAGE_SEND 261, 129, 46, 14
#endif
#ifndef POS_PAGE_CALIBRATION_NOTE
#define POS_PAGE_CALIBRATION_NOTE 17, 148, 290, 20
#endif
