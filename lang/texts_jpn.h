/* Japanese texts of lxdevset's language library (UTF-8), in the Japanese system font of dialogs. */
#pragma once

#define LX_LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT
#define LX_FONT 9, "MS UI Gothic", 400, 0, 0x80

#define STR_APP_TITLE "デバイス設定"
#define STR_VERSION "バージョン %s"
#define STR_COPYRIGHT "Copyright (C) %s Korvale Industries, Ltd."
#define STR_TAB_BASIC "基本設定"
#define STR_SAVE_COMMAND_FILE "コマンド ファイルに保存(&S)..."
#define STR_ENABLE "有効"
#define STR_DISABLE "無効"
#define STR_NO_AUTO_OFF "なし"
#define STR_10_MINUTES "10 分"
#define STR_20_MINUTES "20 分"
#define STR_30_MINUTES "30 分"
#define STR_40_MINUTES "40 分"
#define STR_50_MINUTES "50 分"
#define STR_60_MINUTES "60 分"
#define STR_REPORT_ALL "すべて"
#define STR_REPORT_USAGE_LOG "使用履歴"
#define STR_REPORT_SETTINGS "プリンター設定"
#define STR_NOT_ADMINISTRATOR "このツールを起動するには管理者権限が必要です。"
#define STR_PRINTER_NOT_FOUND "指定されたプリンターが見つかりません。"
#define STR_NO_COMPATIBLE_DRIVER "対応するプリンター ドライバーがインストールされていません。"
#define STR_STARTUP_GET_FAILED "現在の設定を取得できませんでした。"
#define STR_STARTUP_USE_LAST "前回指定した設定を使用します。"
#define STR_STARTUP_LAST_UNREADABLE "前回指定した設定を保存したファイルを読み込めません。"
#define STR_STARTUP_USE_DEFAULTS "既定の設定を使用します。"
#define STR_GET_FAILED                                                                                                                                         \
    "現在の設定を取得できませんでした。\n正しいモデルが接続されていること、本体が正しく接続されて電源が入っ" \
    "ていることを確認してください。"
#define STR_APPLY_FAILED                                                                                                                                       \
    "設定を適用できませんでした。\n正しいモデルが接続されていること、本体が正しく接続されて電源が入っている" \
    "ことを確認してください。"
#define STR_SEND_FAILED                                                                                                                                        \
    "コマンドを送信できませんでした。\n正しいモデルが接続されていること、プリンターが正しく接続されて電源が" \
    "入っていることを確認してください。"
#define STR_STARTUP_NOT_USB "プリンターのポートが USB ポートではないため、現在の設定を取得できませんでした。"
#define STR_NOT_USB_PORT                                                                                             \
    "プリンターのポートが USB ポートではないため、この機能は使用できません。\nUSB " \
    "で接続されたプリンターを指定してください。"
#define STR_NOT_APPLIED "設定が正しく反映されていない可能性があります。\nもう一度設定してください。"
#define STR_WRONG_MODEL "接続されているモデルが違います。"
#define STR_FILE_OPEN_FAILED "ファイルを開けませんでした。\n指定したファイルが正しいことを確認してください。"
#define STR_IMPORT_UNREADABLE "ファイルから設定を読み込めないため、インポートできません。"
#define STR_FILE_SAVE_FAILED                                                                                 \
    "ファイルを保存できません。\n指定したフォルダーに書き込めることを確認してください。"
#define STR_ALL_PAGES_DISABLED                                                                               \
    "すべてのページが無効になっています。\n少なくとも 1 つのページを有効にしてください。"
#define STR_SETTINGS_FILE_MISSING "設定ファイルが見つかりません。"
#define STR_IMPORT_WRONG_MODEL "指定されたプリンターには、この設定をインポートできません。"
#define STR_CONFIRM_RESET                                                                                    \
    "ネットワーク設定を含むプリンターの設定が、工場出荷時の状態に戻ります。\n\n続行してもよろしいですか?"
#define STR_CONFIRM_DELETE_TEMPLATES                                                                                                                          \
    "プリンターに保存されているデータベースの内容とテンプレートがすべて削除されます。\n\n続行してもよろしい" \
    "ですか?"
#define STR_CONFIRM_DELETE_LOG                                                                               \
    "プリンターに保存されている印刷ログがすべて削除されます。\n\n続行してもよろしいですか?"
#define STR_CONFIRM_REPORT "プリンター情報を印刷します。\n\n続行してもよろしいですか?"
#define STR_GET_DONE "現在の値を取得しました。"
#define STR_APPLY_DONE "設定を適用しました。"
#define STR_FILE_CREATED "ファイルを作成しました。"
#define STR_COMMAND_DONE "コマンドを送信しました。"
#define STR_RESET_DONE "プリンターを工場出荷時の状態に戻します。"
#define STR_DATA_DELETED "データを削除しました。"
#define STR_IMPORT_DONE "設定をインポートしました。"
#define STR_FILTER_COMMAND_FILES "コマンド ファイル (*.bin)|*.bin|すべてのファイル (*.*)|*.*||"
#define STR_FILTER_CONFIG_FILES "設定ファイル (*.dat)|*.dat|すべてのファイル (*.*)|*.*||"
#define STR_FILTER_CSV_FILES "CSV ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*||"
#define STR_PROGRESS_RETRIEVING_DATA "データを取得しています..."
#define STR_PROGRESS_DELETING "データを削除しています..."
#define STR_PROGRESS_APPLYING "設定を適用しています..."
#define STR_PROGRESS_GETTING "現在の設定を取得しています..."

#define STR_SYSMENU_ABOUT "デバイス設定のバージョン情報(&A)..."
#define STR_2_HOURS "2 時間"
#define STR_4_HOURS "4 時間"
#define STR_8_HOURS "8 時間"
#define STR_12_HOURS "12 時間"
#define STR_PRINTER_BUSY "プリンターは処理中です。\n処理が終わるまで待ってから、もう一度実行してください。"
#define STR_PRINTER_SILENT "プリンターから応答がありません。\n電源が入っていることを確認してください。"
#define STR_APPLY_FAILED_DRIVE                                                                                                                          \
    "設定を適用できませんでした。\nプリンターがリムーバブル ドライブとして接続されています。プリンター " \
    "モードに切り替えてから、もう一度実行してください。"
#define STR_GET_FAILED_DRIVE                                                                                 \
    "現在の設定を取得できませんでした。\nプリンターがリムーバブル "             \
    "ドライブとして接続されています。プリンター モードに切り替えてから、もう一度実行してください。"
#define STR_SEND_FAILED_DRIVE                                                                                                                                 \
    "コマンドを送信できませんでした。\nプリンターがリムーバブル ドライブとして接続されています。プリンター " \
    "モードに切り替えてから、もう一度実行してください。"
#define STR_STARTUP_DRIVE_NOTE                                                                                                                        \
    "プリンターがリムーバブル ドライブ (マス ストレージ モード) として接続されている場合は、プリンター " \
    "モードに戻してください。"
#define STR_UNEXPECTED_FAILURE "予期しないエラーにより操作が中止されました。"
#define STR_BACKUP_IN_THE_WAY                                                                                \
    "以前のファイルのコピー (拡張子 .bak 付き) "                                             \
    "が同じ場所にあり、削除できませんでした。この名前で再度保存する前に削除してください。"
#define STR_PRINT_LOG_CORRUPT "プリンターから送られた印刷ログは、再要求しても破損していました。ファイルは保存されませんでした。"
#define STR_PRINT_LOG_NO_CSV "印刷ログを CSV ファイルに変換できませんでした。ファイルは保存されませんでした。"
#define STR_PATH_TOO_LONG "パスが長すぎるため、ファイルを保存できません。\n短いパスのフォルダーまたはファイル名を選んでください。"
#define STR_DEVICE_NAME "名前がデバイス用に予約されているため (NUL、CON、PRN、AUX、COM1、LPT1 など)、ファイルを保存できません。\n別のファイル名を選んでください。"
#define STR_TARGET_IS_FOLDER "同じ名前のフォルダーがあるため、ファイルを保存できません。\n別のファイル名を選んでください。"
#define STR_TARGET_READ_ONLY "既存のファイルが読み取り専用のため、ファイルを保存できません。\n別のファイル名を選んでください。"
#define STR_FILE_IN_USE "別のプログラムが使用中のため、ファイルを保存できません。\nそのプログラムを閉じるか、別のファイル名を選んでください。"
#define STR_FOLDER_MISSING "フォルダーが存在しないため、ファイルを保存できません。\n既存のフォルダーを選んでください。"
#define STR_PORT_BUSY "別のプログラムがこのポートのプリンターと通信しています。\n終了するまで待ってから、もう一度お試しください。"
#define STR_PROGRESS_RESETTING "プリンターをリセットしています..."

#define TXT_OK "OK"
#define TXT_CANCEL "キャンセル"

#define TXT_SELECT_LABEL "プリンターを選択してください(&S):"

#define TXT_MENU_FILE "ファイル(&F)"
#define TXT_MENU_APPLY "設定をプリンターに適用(&A)"
#define TXT_MENU_IMPORT "インポート(&I)..."
#define TXT_MENU_EXPORT "エクスポート(&E)..."
#define TXT_MENU_EXIT "終了(&X)"
#define TXT_MENU_TOOLS "ツール(&T)"
#define TXT_MENU_SAVE_PRINT_LOG "印刷ログをファイルに保存(&S)..."
#define TXT_MENU_PRINT_INFORMATION "プリンター情報を印刷(&P)..."
#define TXT_MENU_RESET "工場出荷時の設定に戻す(&R)..."
#define TXT_MENU_DELETE_TEMPLATES "テンプレートとデータベースを削除(&D)..."
#define TXT_MENU_DELETE_PRINT_LOG "印刷ログを削除(&L)..."
#define TXT_MENU_OPTIONS "オプション設定(&O)..."
#define TXT_MENU_HELP "ヘルプ(&H)"
#define TXT_MENU_ABOUT "バージョン情報(&A)..."
#define TXT_SPLIT_APPLY "適用(&A)"
#define TXT_SPLIT_SAVE_COMMAND_FILE "コマンド ファイルに保存(&S)..."

#define TXT_ABOUT_CAPTION "バージョン情報"
#define TXT_OPTIONS_CAPTION "オプション設定"
#define TXT_OPTION_NO_STARTUP_ERROR                                                                          \
    "起動時に現在の設定を取得できなかった場合に、エラー メッセージを表示しない(&D)"
#define TXT_PROGRESS_CAPTION "進行状況"

#define TXT_PRINTER_LABEL "プリンター(&P):"
#define TXT_CURRENT_SETTINGS "現在の設定(&C)"
#define TXT_APPLY "適用(&A)"
#define TXT_EXIT "終了(&X)"

#define TXT_POWER_FRAME "電源"
#define TXT_POWER_ON_LABEL "接続時に電源を入れる(&O):"
#define TXT_AUTO_OFF_AC_LABEL "自動電源オフ (AC アダプター)(&D):"
#define TXT_AUTO_OFF_BATTERY_LABEL "自動電源オフ (バッテリー)(&B):"
#define TXT_PRINT_INFO_LABEL "情報レポートの内容(&I):"
#define TXT_REPORT_NOTE "[ツール] メニューから印刷するレポートの内容を選択します。"
#define TXT_CALIBRATION_LABEL "キャリブレーション(&L):"
#define TXT_SEND_CALIBRATION "送信(&S)"
#define TXT_CALIBRATION_NOTE "[送信] を押すと、ほかの設定を適用せずにキャリブレーション値をすぐに送信します。"
