/* French texts of lxdevset's language library (UTF-8; a no-break space before ":", "?" and inside « »). */
#pragma once

#define LX_LANGUAGE LANG_FRENCH, SUBLANG_FRENCH

#define STR_APP_TITLE "Paramètres du périphérique"
#define STR_VERSION "Version %s"
#define STR_COPYRIGHT "Copyright (C) %s Korvale Industries, Ltd."
#define STR_TAB_BASIC "Général"
#define STR_SAVE_COMMAND_FILE "Enregistrer dans un fichier de &commandes..."
#define STR_ENABLE "Activé"
#define STR_DISABLE "Désactivé"
#define STR_NO_AUTO_OFF "Jamais"
#define STR_10_MINUTES "10 minutes"
#define STR_20_MINUTES "20 minutes"
#define STR_30_MINUTES "30 minutes"
#define STR_40_MINUTES "40 minutes"
#define STR_50_MINUTES "50 minutes"
#define STR_60_MINUTES "60 minutes"
#define STR_REPORT_ALL "Tout"
#define STR_REPORT_USAGE_LOG "Journal d'utilisation"
#define STR_REPORT_SETTINGS "Paramètres de l'imprimante"
#define STR_NOT_ADMINISTRATOR "Des privilèges d'administrateur sont nécessaires pour démarrer cet outil."
#define STR_PRINTER_NOT_FOUND "L'imprimante spécifiée est introuvable."
#define STR_NO_COMPATIBLE_DRIVER "Aucun pilote d'imprimante compatible n'est installé."
#define STR_STARTUP_GET_FAILED "Impossible d'obtenir les paramètres actuels."
#define STR_STARTUP_USE_LAST "Les derniers paramètres définis vont être utilisés."
#define STR_STARTUP_LAST_UNREADABLE                                                                          \
    "Le fichier contenant les derniers paramètres définis ne peut pas être lu."
#define STR_STARTUP_USE_DEFAULTS "Les paramètres par défaut vont être utilisés."
#define STR_GET_FAILED                                                                                       \
    "Impossible d'obtenir les paramètres actuels.\nVérifiez que le bon modèle est connecté et que "      \
    "l'appareil est correctement branché et allumé."
#define STR_APPLY_FAILED                                                                                         \
    "Impossible d'appliquer les paramètres.\nVérifiez que le bon modèle est connecté et que l'appareil est " \
    "correctement branché et allumé."
#define STR_SEND_FAILED                                                                                      \
    "Impossible d'envoyer la commande.\nVérifiez que le bon modèle est connecté et que l'imprimante est " \
    "correctement branchée et allumée."
#define STR_STARTUP_NOT_USB                                                                                  \
    "Impossible d'obtenir les paramètres actuels, car le port de l'imprimante n'est pas un port USB."
#define STR_NOT_USB_PORT                                                                                      \
    "Cette fonction n'est pas disponible, car le port de l'imprimante n'est pas un port USB.\nSélectionnez " \
    "une imprimante connectée en USB."
#define STR_NOT_APPLIED "Les paramètres n'ont peut-être pas été définis correctement.\nVeuillez réessayer."
#define STR_WRONG_MODEL "Le modèle connecté n'est pas le bon."
#define STR_FILE_OPEN_FAILED "Impossible d'ouvrir le fichier.\nVérifiez que le fichier spécifié est correct."
#define STR_IMPORT_UNREADABLE                                                                                \
    "Impossible d'importer les paramètres, car ils ne peuvent pas être lus dans le fichier."
#define STR_FILE_SAVE_FAILED                                                                                 \
    "Impossible d'enregistrer le fichier.\nVérifiez qu'il est possible d'écrire dans le dossier spécifié."
#define STR_ALL_PAGES_DISABLED "Toutes les pages sont désactivées.\nAu moins une page doit être activée."
#define STR_SETTINGS_FILE_MISSING "Le fichier de paramètres est introuvable."
#define STR_IMPORT_WRONG_MODEL "Impossible d'importer les paramètres dans l'imprimante spécifiée."
#define STR_CONFIRM_RESET                                                                                    \
    "Les paramètres de l'imprimante, y compris les paramètres réseau, vont être rétablis aux valeurs "  \
    "d'usine.\n\nVoulez-vous continuer ?"
#define STR_CONFIRM_DELETE_TEMPLATES                                                                         \
    "Tout le contenu de la base de données et tous les modèles enregistrés sur l'imprimante vont être "  \
    "supprimés.\n\nVoulez-vous continuer ?"
#define STR_CONFIRM_DELETE_LOG                                                                               \
    "Tous les journaux d'impression enregistrés sur l'imprimante vont être supprimés.\n\nVoulez-vous "    \
    "continuer ?"
#define STR_CONFIRM_REPORT                                                                                   \
    "Le rapport d'informations de l'imprimante va être imprimé.\n\nVoulez-vous continuer ?"
#define STR_GET_DONE "Les valeurs actuelles ont été récupérées."
#define STR_APPLY_DONE "Les paramètres ont été appliqués."
#define STR_FILE_CREATED "Le fichier a été créé."
#define STR_COMMAND_DONE "La commande a été envoyée."
#define STR_RESET_DONE "L'imprimante va revenir à ses paramètres d'usine."
#define STR_DATA_DELETED "Les données ont été supprimées."
#define STR_IMPORT_DONE "Les paramètres ont été importés."
#define STR_FILTER_COMMAND_FILES "Fichiers de commandes (*.bin)|*.bin|Tous les fichiers (*.*)|*.*||"
#define STR_FILTER_CONFIG_FILES "Fichiers de configuration (*.dat)|*.dat|Tous les fichiers (*.*)|*.*||"
#define STR_FILTER_CSV_FILES "Fichiers CSV (*.csv)|*.csv|Tous les fichiers (*.*)|*.*||"
#define STR_PROGRESS_RETRIEVING_DATA "Récupération des données..."
#define STR_PROGRESS_DELETING "Suppression des données..."
#define STR_PROGRESS_APPLYING "Application des paramètres..."
#define STR_PROGRESS_GETTING "Récupération des paramètres actuels..."

#define STR_SYSMENU_ABOUT "À &propos de Paramètres du périphérique..."
#define STR_2_HOURS "2 heures"
#define STR_4_HOURS "4 heures"
#define STR_8_HOURS "8 heures"
#define STR_12_HOURS "12 heures"
#define STR_PRINTER_BUSY "L'imprimante est occupée.\nAttendez qu'elle ait terminé, puis réessayez."
#define STR_PRINTER_SILENT "L'imprimante ne répond pas.\nVérifiez qu'elle est allumée."
#define STR_APPLY_FAILED_DRIVE                                                                               \
    "Impossible d'appliquer les paramètres.\nL'imprimante est connectée en tant que lecteur amovible. "    \
    "Repassez-la en mode imprimante, puis réessayez."
#define STR_GET_FAILED_DRIVE                                                                                 \
    "Impossible d'obtenir les paramètres actuels.\nL'imprimante est connectée en tant que lecteur "        \
    "amovible. Repassez-la en mode imprimante, puis réessayez."
#define STR_SEND_FAILED_DRIVE                                                                                \
    "Impossible d'envoyer la commande.\nL'imprimante est connectée en tant que lecteur amovible. "          \
    "Repassez-la en mode imprimante, puis réessayez."
#define STR_STARTUP_DRIVE_NOTE                                                                               \
    "Si l'imprimante est connectée en tant que lecteur amovible (mode stockage de masse), repassez-la en "  \
    "mode imprimante."
#define STR_UNEXPECTED_FAILURE "Une erreur inattendue a interrompu l'opération."
#define STR_BACKUP_IN_THE_WAY                                                                                \
    "Une copie de l'ancien fichier avec l'extension supplémentaire .bak se trouve à côté et n'a pas pu " \
    "être supprimée. Supprimez-la avant d'enregistrer de nouveau sous ce nom."
#define STR_PRINT_LOG_CORRUPT "Le journal d'impression envoyé par l'imprimante était endommagé, même après une nouvelle demande. Aucun fichier n'a été enregistré."
#define STR_PRINT_LOG_NO_CSV "Le journal d'impression n'a pas pu être converti en fichier CSV. Aucun fichier n'a été enregistré."
#define STR_PATH_TOO_LONG "Le fichier ne peut pas être enregistré car son chemin est trop long.\nChoisissez un dossier ou un nom de fichier au chemin plus court."
#define STR_DEVICE_NAME "Le fichier ne peut pas être enregistré car son nom est réservé à un périphérique (comme NUL, CON, PRN, AUX, COM1 ou LPT1).\nChoisissez un autre nom de fichier."
#define STR_TARGET_IS_FOLDER "Le fichier ne peut pas être enregistré car un dossier porte ce nom.\nChoisissez un autre nom de fichier."
#define STR_TARGET_READ_ONLY "Le fichier ne peut pas être enregistré car le fichier existant est en lecture seule.\nChoisissez un autre nom de fichier."
#define STR_FILE_IN_USE "Le fichier ne peut pas être enregistré car un autre programme l'utilise.\nFermez ce programme ou choisissez un autre nom de fichier."
#define STR_FOLDER_MISSING "Le fichier ne peut pas être enregistré car son dossier n'existe pas.\nChoisissez un dossier existant."
#define STR_PORT_BUSY "Un autre programme communique avec l'imprimante sur ce port.\nAttendez qu'il ait terminé et réessayez."
#define STR_PROGRESS_RESETTING "Réinitialisation de l'imprimante..."

#define TXT_OK "OK"
#define TXT_CANCEL "Annuler"

#define TXT_SELECT_LABEL "&Sélectionnez une imprimante :"

#define TXT_MENU_FILE "&Fichier"
#define TXT_MENU_APPLY "&Appliquer les paramètres à l'imprimante"
#define TXT_MENU_IMPORT "&Importer..."
#define TXT_MENU_EXPORT "&Exporter..."
#define TXT_MENU_EXIT "&Quitter"
#define TXT_MENU_TOOLS "&Outils"
#define TXT_MENU_SAVE_PRINT_LOG "&Enregistrer le journal d'impression dans un fichier..."
#define TXT_MENU_PRINT_INFORMATION "Imprimer le &rapport d'informations..."
#define TXT_MENU_RESET "Rétablir les paramètres d'&usine..."
#define TXT_MENU_DELETE_TEMPLATES "Supprimer les &modèles et la base de données..."
#define TXT_MENU_DELETE_PRINT_LOG "Supprimer le &journal d'impression..."
#define TXT_MENU_OPTIONS "&Options..."
#define TXT_MENU_HELP "&Aide"
#define TXT_MENU_ABOUT "À &propos..."
#define TXT_SPLIT_APPLY "A&ppliquer"
#define TXT_SPLIT_SAVE_COMMAND_FILE "Enregistrer dans un fichier de &commandes..."

#define TXT_ABOUT_CAPTION "Informations de version"
#define TXT_OPTIONS_CAPTION "Options"
#define TXT_OPTION_NO_STARTUP_ERROR                                                                          \
    "&Ne pas afficher de message d'erreur si les paramètres actuels ne peuvent pas être obtenus au "       \
    "démarrage."
#define TXT_PROGRESS_CAPTION "Progression"

#define TXT_PRINTER_LABEL "&Imprimante :"
#define TXT_CURRENT_SETTINGS "Paramètres a&ctuels"
#define TXT_APPLY "A&ppliquer"
#define TXT_EXIT "&Quitter"

#define TXT_POWER_FRAME "Alimentation"
#define TXT_POWER_ON_LABEL "&Mise sous tension au branchement :"
#define TXT_AUTO_OFF_AC_LABEL "Arrêt automatique (a&dapteur secteur) :"
#define TXT_AUTO_OFF_BATTERY_LABEL "Arrêt automatique (&batterie) :"
#define TXT_PRINT_INFO_LABEL "Contenu du &rapport d'informations :"
#define TXT_REPORT_NOTE "Définit le contenu du rapport imprimé depuis le menu Outils."
#define TXT_CALIBRATION_LABEL "Éta&lonnage :"
#define TXT_SEND_CALIBRATION "&Envoyer"
#define TXT_CALIBRATION_NOTE                                                                                 \
    "« Envoyer » transmet immédiatement la valeur d'étalonnage, sans appliquer les autres paramètres."

/* Longer texts: a wider label, a wider button, room for a third line of the option text. */
#define POS_MAIN_PRINTER_LABEL 8, 5, 50, 10
#define POS_MAIN_CURRENT 230, 3, 108, 14
#define POS_MAIN_PRINTER_LIST 61, 3, 150, 59
#define SIZE_OPTIONS 207, 76
#define POS_OPTION_CHECK 10, 12, 187, 28
#define POS_OPTION_OK 93, 56, 50, 14
#define POS_OPTION_CANCEL 148, 56, 50, 14
