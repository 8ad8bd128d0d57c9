/* German texts of lxdevset's language library (UTF-8). */
#pragma once

#define LX_LANGUAGE LANG_GERMAN, SUBLANG_GERMAN

#define STR_APP_TITLE "Geräteeinstellungen"
#define STR_VERSION "Version %s"
#define STR_COPYRIGHT "Copyright (C) %s Korvale Industries, Ltd."
#define STR_TAB_BASIC "Allgemein"
#define STR_SAVE_COMMAND_FILE "In Befehlsdatei &speichern..."
#define STR_ENABLE "Aktiviert"
#define STR_DISABLE "Deaktiviert"
#define STR_NO_AUTO_OFF "Nie"
#define STR_10_MINUTES "10 Minuten"
#define STR_20_MINUTES "20 Minuten"
#define STR_30_MINUTES "30 Minuten"
#define STR_40_MINUTES "40 Minuten"
#define STR_50_MINUTES "50 Minuten"
#define STR_60_MINUTES "60 Minuten"
#define STR_REPORT_ALL "Alles"
#define STR_REPORT_USAGE_LOG "Nutzungsprotokoll"
#define STR_REPORT_SETTINGS "Druckereinstellungen"
#define STR_NOT_ADMINISTRATOR "Zum Starten dieses Programms sind Administratorrechte erforderlich."
#define STR_PRINTER_NOT_FOUND "Der angegebene Drucker wurde nicht gefunden."
#define STR_NO_COMPATIBLE_DRIVER "Es ist kein kompatibler Druckertreiber installiert."
#define STR_STARTUP_GET_FAILED "Die aktuellen Einstellungen konnten nicht abgerufen werden."
#define STR_STARTUP_USE_LAST "Es werden die zuletzt festgelegten Einstellungen verwendet."
#define STR_STARTUP_LAST_UNREADABLE                                                                          \
    "Die Datei mit den zuletzt festgelegten Einstellungen kann nicht gelesen werden."
#define STR_STARTUP_USE_DEFAULTS "Es werden die Standardeinstellungen verwendet."
#define STR_GET_FAILED                                                                                       \
    "Die aktuellen Einstellungen konnten nicht abgerufen werden.\nPrüfen Sie, ob das richtige Modell "      \
    "angeschlossen ist und ob das Gerät richtig verbunden und eingeschaltet ist."
#define STR_APPLY_FAILED                                                                                      \
    "Die Einstellungen konnten nicht übernommen werden.\nPrüfen Sie, ob das richtige Modell angeschlossen " \
    "ist und ob das Gerät richtig verbunden und eingeschaltet ist."
#define STR_SEND_FAILED                                                                                       \
    "Der Befehl konnte nicht gesendet werden.\nPrüfen Sie, ob das richtige Modell angeschlossen ist und ob " \
    "der Drucker richtig verbunden und eingeschaltet ist."
#define STR_STARTUP_NOT_USB                                                                                  \
    "Die aktuellen Einstellungen konnten nicht abgerufen werden, da der Druckeranschluss kein "              \
    "USB-Anschluss ist."
#define STR_NOT_USB_PORT                                                                                       \
    "Diese Funktion ist nicht verfügbar, da der Druckeranschluss kein USB-Anschluss ist.\nWählen Sie einen " \
    "über USB angeschlossenen Drucker."
#define STR_NOT_APPLIED                                                                                      \
    "Die Einstellungen wurden möglicherweise nicht richtig übernommen.\nVersuchen Sie es erneut."
#define STR_WRONG_MODEL "Es ist ein falsches Modell angeschlossen."
#define STR_FILE_OPEN_FAILED                                                                                 \
    "Die Datei konnte nicht geöffnet werden.\nPrüfen Sie, ob die angegebene Datei richtig ist."
#define STR_IMPORT_UNREADABLE                                                                                \
    "Die Einstellungen können nicht importiert werden, da sie nicht aus der Datei gelesen werden können."
#define STR_FILE_SAVE_FAILED                                                                                 \
    "Die Datei kann nicht gespeichert werden.\nStellen Sie sicher, dass in den angegebenen Ordner "          \
    "geschrieben werden kann."
#define STR_ALL_PAGES_DISABLED "Alle Seiten sind deaktiviert.\nMindestens eine Seite muss aktiviert sein."
#define STR_SETTINGS_FILE_MISSING "Die Einstellungsdatei wurde nicht gefunden."
#define STR_IMPORT_WRONG_MODEL "Die Einstellungen können nicht in den angegebenen Drucker importiert werden."
#define STR_CONFIRM_RESET                                                                                    \
    "Die Druckereinstellungen werden einschließlich der Netzwerkeinstellungen auf die Werkseinstellungen "  \
    "zurückgesetzt.\n\nMöchten Sie fortfahren?"
#define STR_CONFIRM_DELETE_TEMPLATES                                                                         \
    "Alle auf dem Drucker gespeicherten Vorlagen und Datenbankinhalte werden gelöscht.\n\nMöchten Sie "    \
    "fortfahren?"
#define STR_CONFIRM_DELETE_LOG                                                                               \
    "Alle auf dem Drucker gespeicherten Druckprotokolle werden gelöscht.\n\nMöchten Sie fortfahren?"
#define STR_CONFIRM_REPORT "Der Informationsbericht des Druckers wird gedruckt.\n\nMöchten Sie fortfahren?"
#define STR_GET_DONE "Die aktuellen Werte wurden abgerufen."
#define STR_APPLY_DONE "Die Einstellungen wurden übernommen."
#define STR_FILE_CREATED "Die Datei wurde erstellt."
#define STR_COMMAND_DONE "Der Befehl wurde gesendet."
#define STR_RESET_DONE "Der Drucker wird auf die Werkseinstellungen zurückgesetzt."
#define STR_DATA_DELETED "Die Daten wurden gelöscht."
#define STR_IMPORT_DONE "Die Einstellungen wurden importiert."
#define STR_FILTER_COMMAND_FILES "Befehlsdateien (*.bin)|*.bin|Alle Dateien (*.*)|*.*||"
#define STR_FILTER_CONFIG_FILES "Konfigurationsdateien (*.dat)|*.dat|Alle Dateien (*.*)|*.*||"
#define STR_FILTER_CSV_FILES "CSV-Dateien (*.csv)|*.csv|Alle Dateien (*.*)|*.*||"
#define STR_PROGRESS_RETRIEVING_DATA "Daten werden abgerufen..."
#define STR_PROGRESS_DELETING "Daten werden gelöscht..."
#define STR_PROGRESS_APPLYING "Einstellungen werden übernommen..."
#define STR_PROGRESS_GETTING "Aktuelle Einstellungen werden abgerufen..."

#define STR_SYSMENU_ABOUT "&Info über Geräteeinstellungen..."
#define STR_2_HOURS "2 Stunden"
#define STR_4_HOURS "4 Stunden"
#define STR_8_HOURS "8 Stunden"
#define STR_12_HOURS "12 Stunden"
#define STR_PRINTER_BUSY                                                                                     \
    "Der Drucker ist beschäftigt.\nWarten Sie, bis er fertig ist, und versuchen Sie es erneut."
#define STR_PRINTER_SILENT "Der Drucker antwortet nicht.\nPrüfen Sie, ob er eingeschaltet ist."
#define STR_APPLY_FAILED_DRIVE                                                                               \
    "Die Einstellungen konnten nicht übernommen werden.\nDer Drucker ist als Wechseldatenträger "          \
    "angeschlossen. Schalten Sie ihn in den Druckermodus um und versuchen Sie es erneut."
#define STR_GET_FAILED_DRIVE                                                                                 \
    "Die aktuellen Einstellungen konnten nicht abgerufen werden.\nDer Drucker ist als Wechseldatenträger "  \
    "angeschlossen. Schalten Sie ihn in den Druckermodus um und versuchen Sie es erneut."
#define STR_SEND_FAILED_DRIVE                                                                                \
    "Der Befehl konnte nicht gesendet werden.\nDer Drucker ist als Wechseldatenträger angeschlossen. "      \
    "Schalten Sie ihn in den Druckermodus um und versuchen Sie es erneut."
#define STR_STARTUP_DRIVE_NOTE                                                                               \
    "Wenn der Drucker als Wechseldatenträger (Massenspeichermodus) angeschlossen ist, schalten Sie ihn "    \
    "wieder in den Druckermodus um."
#define STR_UNEXPECTED_FAILURE "Ein unerwarteter Fehler hat den Vorgang abgebrochen."
#define STR_BACKUP_IN_THE_WAY                                                                                \
    "Neben der Datei liegt eine Kopie der früheren Datei mit der zusätzlichen Endung .bak, die nicht "     \
    "entfernt werden konnte. Entfernen Sie sie, bevor Sie erneut unter diesem Namen speichern."
#define STR_PRINT_LOG_CORRUPT "Das vom Drucker gesendete Druckprotokoll war beschädigt, auch nach erneuter Anforderung. Es wurde keine Datei gespeichert."
#define STR_PRINT_LOG_NO_CSV "Das Druckprotokoll konnte nicht in eine CSV-Datei umgewandelt werden. Es wurde keine Datei gespeichert."
#define STR_PATH_TOO_LONG "Die Datei kann nicht gespeichert werden, weil ihr Pfad zu lang ist.\nWählen Sie einen Ordner oder Dateinamen mit kürzerem Pfad."
#define STR_DEVICE_NAME "Die Datei kann nicht gespeichert werden, weil ihr Name für ein Gerät reserviert ist (etwa NUL, CON, PRN, AUX, COM1 oder LPT1).\nWählen Sie einen anderen Dateinamen."
#define STR_TARGET_IS_FOLDER "Die Datei kann nicht gespeichert werden, weil dort ein Ordner dieses Namens ist.\nWählen Sie einen anderen Dateinamen."
#define STR_TARGET_READ_ONLY "Die Datei kann nicht gespeichert werden, weil die vorhandene Datei schreibgeschützt ist.\nWählen Sie einen anderen Dateinamen."
#define STR_FILE_IN_USE "Die Datei kann nicht gespeichert werden, weil ein anderes Programm sie verwendet.\nSchließen Sie dieses Programm oder wählen Sie einen anderen Dateinamen."
#define STR_FOLDER_MISSING "Die Datei kann nicht gespeichert werden, weil ihr Ordner nicht existiert.\nWählen Sie einen vorhandenen Ordner."
#define STR_PORT_BUSY "Ein anderes Programm kommuniziert mit dem Drucker an diesem Anschluss.\nWarten Sie, bis es fertig ist, und versuchen Sie es erneut."
#define STR_PROGRESS_RESETTING "Der Drucker wird zurückgesetzt..."

#define TXT_OK "OK"
#define TXT_CANCEL "Abbrechen"

#define TXT_SELECT_LABEL "&Drucker auswählen:"

#define TXT_MENU_FILE "&Datei"
#define TXT_MENU_APPLY "Einstellungen an den Drucker &übertragen"
#define TXT_MENU_IMPORT "&Importieren..."
#define TXT_MENU_EXPORT "&Exportieren..."
#define TXT_MENU_EXIT "&Beenden"
#define TXT_MENU_TOOLS "E&xtras"
#define TXT_MENU_SAVE_PRINT_LOG "Druckprotokoll in Datei &speichern..."
#define TXT_MENU_PRINT_INFORMATION "&Informationsbericht drucken..."
#define TXT_MENU_RESET "Auf &Werkseinstellungen zurücksetzen..."
#define TXT_MENU_DELETE_TEMPLATES "&Vorlagen und Datenbank löschen..."
#define TXT_MENU_DELETE_PRINT_LOG "Druck&protokoll löschen..."
#define TXT_MENU_OPTIONS "&Optionen..."
#define TXT_MENU_HELP "&Hilfe"
#define TXT_MENU_ABOUT "&Info..."
#define TXT_SPLIT_APPLY "&Übernehmen"
#define TXT_SPLIT_SAVE_COMMAND_FILE "In Befehlsdatei &speichern..."

#define TXT_ABOUT_CAPTION "Versionsinformationen"
#define TXT_OPTIONS_CAPTION "Optionen"
#define TXT_OPTION_NO_STARTUP_ERROR                                                                          \
    "&Keine Fehlermeldung anzeigen, wenn die aktuellen Einstellungen beim Programmstart nicht abgerufen "    \
    "werden können."
#define TXT_PROGRESS_CAPTION "Fortschritt"

#define TXT_PRINTER_LABEL "D&rucker:"
#define TXT_CURRENT_SETTINGS "&Aktuelle Einstellungen"
#define TXT_APPLY "&Übernehmen"
#define TXT_EXIT "&Beenden"

#define TXT_POWER_FRAME "Stromversorgung"
#define TXT_POWER_ON_LABEL "&Einschalten beim Anschließen:"
#define TXT_AUTO_OFF_AC_LABEL "Automatisch aus (&Netzteil):"
#define TXT_AUTO_OFF_BATTERY_LABEL "Automatisch aus (A&kku):"
#define TXT_PRINT_INFO_LABEL "Inhalt des &Informationsberichts:"
#define TXT_REPORT_NOTE "Legt fest, was der über das Menü „Extras“ gedruckte Bericht enthält."
#define TXT_CALIBRATION_LABEL "Ka&librierung:"
#define TXT_SEND_CALIBRATION "&Senden"
#define TXT_CALIBRATION_NOTE                                                                                 \
    "„Senden“ überträgt den Kalibrierungswert sofort, ohne die übrigen Einstellungen zu übernehmen."

/* Longer texts: a wider button, room for a third line of the option text. */
#define POS_MAIN_CURRENT 224, 3, 114, 14
#define POS_MAIN_PRINTER_LIST 61, 3, 150, 59
#define SIZE_OPTIONS 207, 76
#define POS_OPTION_CHECK 10, 12, 187, 28
#define POS_OPTION_OK 93, 56, 50, 14
#define POS_OPTION_CANCEL 148, 56, 50, 14
