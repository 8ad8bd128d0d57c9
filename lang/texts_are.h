/* Arabic texts of lxdevset's language library (UTF-8): every dialog mirrored, right to left. */
#pragma once

#define LX_LANGUAGE LANG_ARABIC, SUBLANG_ARABIC_UAE
#define LX_EXSTYLE WS_EX_LAYOUTRTL

#define STR_APP_TITLE "إعدادات الجهاز"
#define STR_VERSION "الإصدار %s"
#define STR_COPYRIGHT "حقوق النشر © %s Korvale Industries, Ltd."
#define STR_TAB_BASIC "أساسي"
#define STR_SAVE_COMMAND_FILE "&حفظ في ملف أوامر..."
#define STR_ENABLE "تمكين"
#define STR_DISABLE "تعطيل"
#define STR_NO_AUTO_OFF "أبدًا"
#define STR_10_MINUTES "10 دقائق"
#define STR_20_MINUTES "20 دقيقة"
#define STR_30_MINUTES "30 دقيقة"
#define STR_40_MINUTES "40 دقيقة"
#define STR_50_MINUTES "50 دقيقة"
#define STR_60_MINUTES "60 دقيقة"
#define STR_REPORT_ALL "الكل"
#define STR_REPORT_USAGE_LOG "سجل الاستخدام"
#define STR_REPORT_SETTINGS "إعدادات الطابعة"
#define STR_NOT_ADMINISTRATOR "يلزم امتلاك صلاحيات المسؤول لتشغيل هذه الأداة."
#define STR_PRINTER_NOT_FOUND "تعذر العثور على الطابعة المحددة."
#define STR_NO_COMPATIBLE_DRIVER "لم يتم تثبيت برنامج تشغيل طابعة متوافق."
#define STR_STARTUP_GET_FAILED "تعذر الحصول على الإعدادات الحالية."
#define STR_STARTUP_USE_LAST "سيتم استخدام الإعدادات المحددة سابقًا."
#define STR_STARTUP_LAST_UNREADABLE "تعذرت قراءة الملف الذي حُفظت فيه الإعدادات المحددة سابقًا."
#define STR_STARTUP_USE_DEFAULTS "سيتم استخدام الإعدادات الافتراضية."
#define STR_GET_FAILED                                                                                                                                                                      \
    "تعذر الحصول على الإعدادات الحالية.\nتأكد من توصيل الطراز الصحيح، ومن أن الجهاز موصول بشكل صحيح وقيد " \
    "التشغيل."
#define STR_APPLY_FAILED                                                                                     \
    "تعذر تطبيق الإعدادات.\nتأكد من توصيل الطراز الصحيح، ومن أن الجهاز موصول بشكل صحيح وقيد التشغيل."
#define STR_SEND_FAILED                                                                                      \
    "تعذر إرسال الأمر.\nتأكد من توصيل الطراز الصحيح، ومن أن الطابعة موصولة بشكل صحيح وقيد التشغيل."
#define STR_STARTUP_NOT_USB "تعذر الحصول على الإعدادات الحالية لأن منفذ الطابعة ليس منفذ USB."
#define STR_NOT_USB_PORT "هذه الوظيفة غير متاحة لأن منفذ الطابعة ليس منفذ USB.\nحدد طابعة موصولة عبر USB."
#define STR_NOT_APPLIED "ربما لم يتم ضبط الإعدادات بشكل صحيح.\nحاول ضبطها مرة أخرى."
#define STR_WRONG_MODEL "الطراز الموصول غير صحيح."
#define STR_FILE_OPEN_FAILED "تعذر فتح الملف.\nتأكد من صحة الملف المحدد."
#define STR_IMPORT_UNREADABLE "لا يمكن استيراد الإعدادات لأنه تتعذر قراءتها من الملف."
#define STR_FILE_SAVE_FAILED "لا يمكن حفظ الملف.\nتأكد من إمكانية الكتابة في المجلد المحدد."
#define STR_ALL_PAGES_DISABLED "كل الصفحات معطلة.\nيجب تمكين صفحة واحدة على الأقل."
#define STR_SETTINGS_FILE_MISSING "تعذر العثور على ملف الإعدادات."
#define STR_IMPORT_WRONG_MODEL "لا يمكن استيراد الإعدادات إلى الطابعة المحددة."
#define STR_CONFIRM_RESET                                                                                    \
    "ستعود إعدادات الطابعة، بما فيها إعدادات الشبكة، إلى إعدادات المصنع الافتراضية.\n\nهل تريد المتابعة؟"
#define STR_CONFIRM_DELETE_TEMPLATES                                                                         \
    "سيتم حذف كل محتويات قاعدة البيانات والقوالب المحفوظة على الطابعة.\n\nهل تريد المتابعة؟"
#define STR_CONFIRM_DELETE_LOG "سيتم حذف كل سجلات الطباعة المحفوظة على الطابعة.\n\nهل تريد المتابعة؟"
#define STR_CONFIRM_REPORT "ستتم طباعة تقرير معلومات الطابعة.\n\nهل تريد المتابعة؟"
#define STR_GET_DONE "تم الحصول على القيم الحالية."
#define STR_APPLY_DONE "تم تطبيق الإعدادات."
#define STR_FILE_CREATED "تم إنشاء الملف."
#define STR_COMMAND_DONE "تم إرسال الأمر."
#define STR_RESET_DONE "ستعود الطابعة إلى إعدادات المصنع الافتراضية."
#define STR_DATA_DELETED "تم حذف البيانات."
#define STR_IMPORT_DONE "تم استيراد الإعدادات."
#define STR_FILTER_COMMAND_FILES "ملفات الأوامر (*.bin)|*.bin|كل الملفات (*.*)|*.*||"
#define STR_FILTER_CONFIG_FILES "ملفات التكوين (*.dat)|*.dat|كل الملفات (*.*)|*.*||"
#define STR_FILTER_CSV_FILES "ملفات CSV (*.csv)|*.csv|كل الملفات (*.*)|*.*||"
#define STR_PROGRESS_RETRIEVING_DATA "جارٍ الحصول على البيانات..."
#define STR_PROGRESS_DELETING "جارٍ حذف البيانات..."
#define STR_PROGRESS_APPLYING "جارٍ تطبيق الإعدادات..."
#define STR_PROGRESS_GETTING "جارٍ الحصول على الإعدادات الحالية..."

#define STR_SYSMENU_ABOUT "&حول إعدادات الجهاز..."
#define STR_2_HOURS "ساعتان"
#define STR_4_HOURS "4 ساعات"
#define STR_8_HOURS "8 ساعات"
#define STR_12_HOURS "12 ساعة"
#define STR_PRINTER_BUSY "الطابعة مشغولة.\nانتظر حتى تنتهي، ثم حاول مرة أخرى."
#define STR_PRINTER_SILENT "لم تستجب الطابعة.\nتأكد من أنها قيد التشغيل."
#define STR_APPLY_FAILED_DRIVE                                                                                                                                                              \
    "تعذر تطبيق الإعدادات.\nالطابعة موصولة كمحرك أقراص قابل للإزالة. بدّلها إلى وضع الطابعة، ثم حاول مرة " \
    "أخرى."
#define STR_GET_FAILED_DRIVE                                                                                                                                                                   \
    "تعذر الحصول على الإعدادات الحالية.\nالطابعة موصولة كمحرك أقراص قابل للإزالة. بدّلها إلى وضع الطابعة، " \
    "ثم حاول مرة أخرى."
#define STR_SEND_FAILED_DRIVE                                                                                \
    "تعذر إرسال الأمر.\nالطابعة موصولة كمحرك أقراص قابل للإزالة. بدّلها إلى وضع الطابعة، ثم حاول مرة أخرى."
#define STR_STARTUP_DRIVE_NOTE                                                                               \
    "إذا كانت الطابعة موصولة كمحرك أقراص قابل للإزالة (وضع التخزين الكبير)، فأعدها إلى وضع الطابعة."
#define STR_UNEXPECTED_FAILURE "أوقف خطأ غير متوقع العملية."
#define STR_BACKUP_IN_THE_WAY                                                                                                                                                         \
    "توجد بجانب الملف نسخة من الملف السابق بالامتداد الإضافي ‎.bak‎ تعذر حذفها. احذفها قبل الحفظ بهذا " \
    "الاسم مرة أخرى."
#define STR_PRINT_LOG_CORRUPT "كان سجل الطباعة الذي أرسلته الطابعة تالفًا حتى بعد طلبه مرة أخرى. لم يُحفظ أي ملف."
#define STR_PRINT_LOG_NO_CSV "تعذر تحويل سجل الطباعة إلى ملف CSV. لم يُحفظ أي ملف."
#define STR_PATH_TOO_LONG "تعذر حفظ الملف لأن مساره طويل جدًا.\nاختر مجلدًا أو اسم ملف بمسار أقصر."
#define STR_DEVICE_NAME "تعذر حفظ الملف لأن اسمه محجوز لجهاز (مثل NUL أو CON أو PRN أو AUX أو COM1 أو LPT1).\nاختر اسم ملف آخر."
#define STR_TARGET_IS_FOLDER "تعذر حفظ الملف لأن مجلدًا بهذا الاسم موجود.\nاختر اسم ملف آخر."
#define STR_TARGET_READ_ONLY "تعذر حفظ الملف لأن الملف الموجود للقراءة فقط.\nاختر اسم ملف آخر."
#define STR_FILE_IN_USE "تعذر حفظ الملف لأن برنامجًا آخر يستخدمه.\nأغلق ذلك البرنامج أو اختر اسم ملف آخر."
#define STR_FOLDER_MISSING "تعذر حفظ الملف لأن مجلده غير موجود.\nاختر مجلدًا موجودًا."
#define STR_PORT_BUSY "يتصل برنامج آخر بالطابعة على هذا المنفذ.\nانتظر حتى ينتهي ثم حاول مرة أخرى."
#define STR_PROGRESS_RESETTING "جارٍ إعادة تعيين الطابعة..."

#define TXT_OK "موافق"
#define TXT_CANCEL "إلغاء"

#define TXT_SELECT_LABEL "&حدد طابعة:"

#define TXT_MENU_FILE "&ملف"
#define TXT_MENU_APPLY "&تطبيق الإعدادات على الطابعة"
#define TXT_MENU_IMPORT "ا&ستيراد..."
#define TXT_MENU_EXPORT "ت&صدير..."
#define TXT_MENU_EXIT "&خروج"
#define TXT_MENU_TOOLS "أ&دوات"
#define TXT_MENU_SAVE_PRINT_LOG "&حفظ سجل الطباعة في ملف..."
#define TXT_MENU_PRINT_INFORMATION "&طباعة تقرير المعلومات..."
#define TXT_MENU_RESET "استعادة إعدادات ال&مصنع..."
#define TXT_MENU_DELETE_TEMPLATES "حذف ال&قوالب وقاعدة البيانات..."
#define TXT_MENU_DELETE_PRINT_LOG "حذف &سجل الطباعة..."
#define TXT_MENU_OPTIONS "&خيارات..."
#define TXT_MENU_HELP "تع&ليمات"
#define TXT_MENU_ABOUT "&حول..."
#define TXT_SPLIT_APPLY "&تطبيق"
#define TXT_SPLIT_SAVE_COMMAND_FILE "&حفظ في ملف أوامر..."

#define TXT_ABOUT_CAPTION "معلومات الإصدار"
#define TXT_OPTIONS_CAPTION "الخيارات"
#define TXT_OPTION_NO_STARTUP_ERROR                                                                          \
    "&عدم عرض رسالة خطأ إذا تعذر الحصول على الإعدادات الحالية عند بدء التشغيل."
#define TXT_PROGRESS_CAPTION "التقدم"

#define TXT_PRINTER_LABEL "ال&طابعة:"
#define TXT_CURRENT_SETTINGS "الإعدادات ال&حالية"
#define TXT_APPLY "&تطبيق"
#define TXT_EXIT "&خروج"

#define TXT_POWER_FRAME "الطاقة"
#define TXT_POWER_ON_LABEL "ت&شغيل عند التوصيل بالكهرباء:"
#define TXT_AUTO_OFF_AC_LABEL "إيقاف تلقائي (محول الت&يار):"
#define TXT_AUTO_OFF_BATTERY_LABEL "إيقاف تلقائي (ال&بطارية):"
#define TXT_PRINT_INFO_LABEL "محتوى ت&قرير المعلومات:"
#define TXT_REPORT_NOTE "اختر محتوى التقرير الذي يُطبع من قائمة «أدوات»."
#define TXT_CALIBRATION_LABEL "المعاي&رة:"
#define TXT_SEND_CALIBRATION "إر&سال"
#define TXT_CALIBRATION_NOTE "يرسل «إرسال» قيمة المعايرة فورًا، دون تطبيق الإعدادات الأخرى."
