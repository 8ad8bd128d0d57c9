// The main dialog: initialisation, the model switch, the printer list, tabs, painting and command routing.
#include "ui/main_dlg_win.h"

#include "comm/services_win.h"
#include "core/messages_win.h"
#include "core/printer_list_win.h"
#include "core/printers.h"
#include "core/resource.h"
#include "core/result_codes.h"
#include "core/rules.h"
#include "ui/about_dlg_win.h"
#include "ui/split_button_geometry.h"
#include "win/resources.h"
#include "win/seams.h"

#include <uxtheme.h>

CPrinterConfigToolDlg::CPrinterConfigToolDlg(ModelCatalogue catalogue, std::wstring printerName, HWND parent,
                                             Hooks hooks)
    : DialogImpl(IDD_MAIN, parent), catalogue_(std::move(catalogue)), printerName_(std::move(printerName)),
      hooks_(std::move(hooks)), services_(Win32CommServices()), printerContext_(services_) {
    icon_ = ::LoadIconW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_MAIN_ICON));
}

CPrinterConfigToolDlg::~CPrinterConfigToolDlg() {
    if (images_)
        ::ImageList_Destroy(images_);
    if (smallIcon_)
        ::DestroyIcon(smallIcon_);
}

const ModelRecord& CPrinterConfigToolDlg::CurrentModel() const {
    static const ModelRecord kNoModel;
    return modelIndex_ < catalogue_.size() ? catalogue_[modelIndex_] : kNoModel;
}

ModelFeatures CPrinterConfigToolDlg::Features() const {
    return FeaturesOf(CurrentModel().name);
}

std::vector<std::wstring> CPrinterConfigToolDlg::ModelNames() const {
    std::vector<std::wstring> names;
    for (const ModelRecord& model : catalogue_)
        names.push_back(model.name);
    return names;
}

void CPrinterConfigToolDlg::ShowError(int32_t code) {
    ShowWindowMessageBox(hwnd(), MB_OK | MB_ICONERROR, win::LoadResourceString(static_cast<UINT>(code)));
}

void CPrinterConfigToolDlg::ShowResult(int32_t code, int32_t successCode) {
    const UINT icon = code == successCode ? MB_ICONINFORMATION : MB_ICONERROR;
    ShowWindowMessageBox(hwnd(), MB_OK | icon, win::LoadResourceString(static_cast<UINT>(code)));
}

bool CPrinterConfigToolDlg::Confirm(UINT messageId) {
    return ShowWindowMessageBox(hwnd(), MB_OKCANCEL, win::LoadResourceString(messageId)) == IDOK;
}

BOOL CPrinterConfigToolDlg::OnInitDialog() {
    Dialog::SetMainWindow(hwnd());
    printerList_.Attach(Item(IDC_PRINTER_LIST));
    tab_.Attach(Item(IDC_TAB));
    currentSettings_.Attach(Item(IDC_CURRENT_SETTINGS));
    apply_.Attach(Item(IDC_APPLY));
    exit_.Attach(Item(IDC_EXIT));

    const std::wstring about = win::LoadResourceString(IDS_SYSMENU_ABOUT);
    if (!about.empty()) {
        if (HMENU system = ::GetSystemMenu(hwnd(), FALSE)) {
            ::AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(system, MF_STRING, kAboutSystemCommand, about.c_str());
        }
    }
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    // The small icon drawn for its size at this DPI (the icon file holds 16 to 256 pixels).
    const int small = ScaleForDpi(16, Dpi());
    smallIcon_ = static_cast<HICON>(
        ::LoadImageW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_MAIN_ICON), IMAGE_ICON, small, small, 0));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_ : icon_));
    splitButton_.Attach(hwnd());
    // The page is laid out for the printer's own model at once, so the first selection below finds nothing
    // to rebuild; a printer whose model cannot be found is reported further on, in its turn.
    size_t index = 0;
    const bool modelFound = FindModelIndex(catalogue_, printerName_, index);
    if (modelFound)
        modelIndex_ = static_cast<uint32_t>(index);
    RebuildForModel();
    if (!page_.hwnd()) {
        // A library whose settings page cannot be created: an empty window would be of no use.
        ShowWindowMessageBox(hwnd(), MB_OK | MB_ICONERROR, kResourceFileNotFound);
        EndDialog(0);
        return TRUE;
    }
    SelectTab(tab_.CurSel());

    const int tabIconSize = ScaleForDpi(16, Dpi());
    images_ = ::ImageList_Create(tabIconSize, tabIconSize, ILC_COLOR32 | ILC_MASK, 0, 0);
    if (images_) {
        HICON tabIcon = static_cast<HICON>(::LoadImageW(win::ResourceModule(), MAKEINTRESOURCEW(IDI_TAB_ICON),
                                                        IMAGE_ICON, tabIconSize, tabIconSize, 0));
        if (tabIcon) {
            ::ImageList_AddIcon(images_, tabIcon);
            ::DestroyIcon(tabIcon);
        }
        tab_.SetImageList(images_);
    }

    FillPrinterList(printerList_.hwnd(), ModelNames());
    // Kept on purpose: the first entry that begins with the name (any letter case), not only an equal one.
    const int entry = printerList_.FindString(printerName_);
    // A failed initialisation ends here: no printer is selected, read or warned about.
    if (entry == CB_ERR) {
        ShowError(IDS_NO_COMPATIBLE_DRIVER);
        EndDialog(0);
        return TRUE;
    }
    printerList_.SetCurSel(entry);
    if (!modelFound) {
        ShowError(IDS_NO_COMPATIBLE_DRIVER);
        EndDialog(0);
        return TRUE;
    }
    OnPrinterSelChange(IDC_PRINTER_LIST, CBN_SELCHANGE);
    ::PostMessageW(hwnd(), kAfterInitMessage, 0, 0);
    RetrieveAtStartup();
    win::TestNote(L"main|" + printerName_);
    return TRUE;
}

void CPrinterConfigToolDlg::RebuildForModel() {
    builtForModel_ = modelIndex_;
    tab_.DeleteAllItems();
    RECT area = win::Control(Item(IDC_PAGE_FRAME)).RectInParent();
    tab_.InsertItem(0, win::LoadResourceString(IDS_TAB_BASIC), -1,
                    reinterpret_cast<LPARAM>(static_cast<CTabBase*>(&page_)));
    if (!page_.hwnd()) {
        page_.SetPrinterContext(&printerContext_);
        if (page_.CreatePage(hwnd()))
            // Right after the tab control: drawn above it, and reached from it with the Tab key.
            ::SetWindowPos(page_.hwnd(), tab_.hwnd(), area.left, area.top, area.right - area.left,
                           area.bottom - area.top, SWP_NOREDRAW | SWP_NOACTIVATE);
    }
    UpdateCommandFileUi();
    printerContext_.Refresh(printerName_, CurrentModel());
    page_.ArrangeRows(Features());
    if (page_.hwnd())
        ::EnableThemeDialogTexture(page_.hwnd(), ETDT_ENABLETAB);
}

void CPrinterConfigToolDlg::UpdateCommandFileUi() {
    HMENU menu = ::GetMenu(hwnd());
    HMENU file = menu ? ::GetSubMenu(menu, 0) : nullptr;
    if (file) {
        if (Features().commandFile) {
            int found = 0;
            for (int i = ::GetMenuItemCount(file) - 1; i >= 0; --i) {
                if (::GetMenuItemID(file, i) != ID_FILE_SAVE_COMMAND_FILE)
                    continue;
                // Exactly one: any extra copy goes.
                if (++found > 1)
                    ::RemoveMenu(file, static_cast<UINT>(i), MF_BYPOSITION);
            }
            if (found == 0)
                ::InsertMenuW(file, 1, MF_BYPOSITION | MF_STRING, ID_FILE_SAVE_COMMAND_FILE,
                              win::LoadResourceString(IDS_SAVE_COMMAND_FILE).c_str());
        } else {
            while (::RemoveMenu(file, ID_FILE_SAVE_COMMAND_FILE, MF_BYCOMMAND)) {
            }
        }
        ::DrawMenuBar(hwnd());
        std::wstring ids;
        for (int i = 0; i < ::GetMenuItemCount(file); ++i)
            ids += (i ? L"," : L"") + std::to_wstring(static_cast<int>(::GetMenuItemID(file, i)));
        win::TestNote(L"file-menu|" + ids);
    }
    // Without the split button (a library whose main template lacks it) the plain button stays for every
    // model.
    const bool split = Features().commandFile && splitButton_.hwnd();
    apply_.Show(!split);
    win::Control(Item(IDC_SPLIT_APPLY)).Show(split);
}

void CPrinterConfigToolDlg::OnPrinterSelChange(UINT, UINT) {
    const int selected = printerList_.CurSel();
    const std::wstring text = selected == CB_ERR ? std::wstring() : printerList_.ItemText(selected);
    const std::wstring previous = lastComboText_;
    const uint32_t previousModel = modelIndex_;
    if (previous.empty()) {
        // The first selection: the page was laid out for this model while the dialog was created.
        if (builtForModel_ != modelIndex_)
            RebuildForModel();
        lastComboText_ = text;
    }
    if (text == previous)
        return;
    lastComboText_ = text;
    printerName_ = text;
    printerContext_.Refresh(printerName_, CurrentModel());
    size_t index = 0;
    if (!FindModelIndex(catalogue_, text, index)) {
        // Kept on purpose: the printer name keeps the new text while the model and page stay as they were.
        ShowError(IDS_NO_COMPATIBLE_DRIVER);
        return;
    }
    if (index != previousModel) {
        modelIndex_ = static_cast<uint32_t>(index);
        RebuildForModel();
    }
}

void CPrinterConfigToolDlg::FillPrinterNames() {
    printerList_.ResetContent();
    FillPrinterList(printerList_.hwnd(), ModelNames());
}

void CPrinterConfigToolDlg::OnPrinterDropDown(UINT, UINT) {
    FillPrinterNames();
    if (printerList_.Count() <= 0) {
        ShowError(IDS_NO_COMPATIBLE_DRIVER);
        EndDialog(0);
        return;
    }
    const int entry = printerList_.FindString(printerName_);
    printerList_.SetCurSel(entry == CB_ERR ? 0 : entry);
}

void CPrinterConfigToolDlg::SelectTab(int selected) {
    if (selected < 0)
        return;
    if (!tab_.ItemData(selected))
        return;
    for (int i = 0; i < tab_.Count(); ++i) {
        auto* page = reinterpret_cast<CTabBase*>(tab_.ItemData(i));
        if (page && page->hwnd())
            ::ShowWindow(page->hwnd(), i == selected ? SW_SHOW : SW_HIDE);
    }
    ::SetFocus(tab_.hwnd());
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT CPrinterConfigToolDlg::OnTabSelChange(const NMHDR&) {
    SelectTab(tab_.CurSel());
    return 0;
}

SettingItems CPrinterConfigToolDlg::CollectSettingItems() {
    SettingItems items;
    for (int i = 0; i < tab_.Count(); ++i) {
        auto* page = reinterpret_cast<CTabBase*>(tab_.ItemData(i));
        if (!page)
            return items;
        const SettingItems pageItems = page->GetItems();
        items.insert(items.end(), pageItems.begin(), pageItems.end());
    }
    return items;
}

bool CPrinterConfigToolDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !(::GetKeyState(VK_CONTROL) & 0x8000))
        return false;
    const int selected = tab_.CurSel();
    const int count = tab_.Count();
    if (selected < 0 || count <= 0)
        return false;
    const bool back = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const int next = back ? (selected == 0 ? count - 1 : selected - 1) : (selected + 1) % count;
    tab_.SetCurSel(next);
    SelectTab(tab_.CurSel());
    return true;
}

void CPrinterConfigToolDlg::PaintIconWhenMinimised() {
    if (!::IsIconic(hwnd()))
        return;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(hwnd(), &paint);
    ::SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon_);
    ::EndPaint(hwnd(), &paint);
}

LRESULT CPrinterConfigToolDlg::OnPaint(WPARAM, LPARAM) {
    PaintIconWhenMinimised();
    return 0;
}

LRESULT CPrinterConfigToolDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(icon_);
}

LRESULT CPrinterConfigToolDlg::OnAfterInit(WPARAM, LPARAM) {
    PaintIconWhenMinimised();
    ::SetFocus(tab_.hwnd());
    return 0;
}

LRESULT CPrinterConfigToolDlg::OnSysCommand(WPARAM, LPARAM) {
    CAboutDlg about;
    about.DoModal();
    return 0;
}

bool CPrinterConfigToolDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static const Message table[] = {
        {WM_QUERYDRAGICON, &CPrinterConfigToolDlg::OnQueryDragIcon},
        {kAfterInitMessage, &CPrinterConfigToolDlg::OnAfterInit},
    };
    // Painting is the dialog's own unless the window is minimised.
    if (msg == WM_PAINT) {
        if (!::IsIconic(hwnd()))
            return false;
        result = OnPaint(wParam, lParam);
        return true;
    }
    if (msg == WM_SYSCOMMAND) {
        if ((wParam & 0xFFF0) != kAboutSystemCommand)
            return false;
        result = OnSysCommand(wParam, lParam);
        return true;
    }
    return Dispatch(table, msg, wParam, lParam, result);
}

bool CPrinterConfigToolDlg::OnNotify(const NMHDR& header, LRESULT& result) {
    static const Notify table[] = {
        {IDC_TAB, TCN_SELCHANGE, &CPrinterConfigToolDlg::OnTabSelChange},
    };
    return Dispatch(table, header, result);
}

bool CPrinterConfigToolDlg::OnCommand(UINT id, UINT code) {
    using D = CPrinterConfigToolDlg;
    static const Command table[] = {
        {ID_FILE_APPLY, win::kAnyCode, &D::OnApply},
        {ID_FILE_SAVE_COMMAND_FILE, win::kAnyCode, &D::OnSaveCommandFile},
        {ID_FILE_IMPORT, win::kAnyCode, &D::OnImportSettings},
        {ID_FILE_EXPORT, win::kAnyCode, &D::OnExportSettings},
        {ID_FILE_EXIT, win::kAnyCode, &D::OnClose},
        {ID_TOOLS_SAVE_PRINT_LOG, win::kAnyCode, &D::OnSavePrintLog},
        {ID_TOOLS_PRINT_INFORMATION, win::kAnyCode, &D::OnPrintInformationReport},
        {ID_TOOLS_RESET, win::kAnyCode, &D::OnResetToFactoryDefaults},
        {ID_TOOLS_DELETE_TEMPLATES, win::kAnyCode, &D::OnDeleteTemplateAndDatabase},
        {ID_TOOLS_DELETE_PRINT_LOG, win::kAnyCode, &D::OnDeletePrintLog},
        {ID_TOOLS_OPTIONS, win::kAnyCode, &D::OnOptionSettings},
        {ID_HELP_ABOUT, win::kAnyCode, &D::OnAbout},
        {ID_SPLIT_APPLY, win::kAnyCode, &D::OnApply},
        {ID_SPLIT_SAVE_COMMAND_FILE, win::kAnyCode, &D::OnSaveCommandFile},
        {IDC_APPLY, BN_CLICKED, &D::OnApply},
        {IDC_CURRENT_SETTINGS, BN_CLICKED, &D::OnCurrentSettings},
        {IDC_EXIT, BN_CLICKED, &D::OnClose},
        {IDC_PRINTER_LIST, CBN_SELCHANGE, &D::OnPrinterSelChange},
        {IDC_PRINTER_LIST, CBN_DROPDOWN, &D::OnPrinterDropDown},
    };
    return Dispatch(table, id, code);
}

void CPrinterConfigToolDlg::OnDpiChanged(int dpi) {
    if (!page_.hwnd())
        return;
    // The page is a window of its own over the frame's place: it follows the frame, then scales itself.
    const RECT area = win::Control(Item(IDC_PAGE_FRAME)).RectInParent();
    ::SetWindowPos(page_.hwnd(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    page_.ScaleToDpi(dpi);
}

void CPrinterConfigToolDlg::OnClose(UINT, UINT) {
    EndDialog(IDCANCEL);
}

void CPrinterConfigToolDlg::OnAbout(UINT, UINT) {
    CAboutDlg about;
    about.DoModal();
}

void CPrinterConfigToolDlg::OnOptionSettings(UINT, UINT) {
    if (hooks_.optionSettings)
        hooks_.optionSettings();
}
