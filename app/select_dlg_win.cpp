// The printer selection dialog: lists the acceptable printers and hands back the chosen name.
#include "app/select_dlg_win.h"

#include "core/messages_win.h"
#include "core/printer_list_win.h"
#include "core/resource.h"
#include "win/resources.h"

CSelectDlg::CSelectDlg(const ModelCatalogue& catalogue, HWND parent)
    : DialogImpl(IDD_SELECT, parent), catalogue_(catalogue) {}

BOOL CSelectDlg::OnInitDialog() {
    const std::wstring title = win::LoadResourceString(IDS_APP_TITLE);
    ::SetWindowTextW(hwnd(), title.c_str());
    std::vector<std::wstring> modelNames;
    for (const ModelRecord& model : catalogue_)
        modelNames.push_back(model.name);
    if (!FillPrinterList(Item(IDC_SELECT_PRINTER), modelNames)) {
        ShowMessageBox(L"", win::LoadResourceString(IDS_NO_COMPATIBLE_DRIVER), title, MB_OK | MB_ICONERROR);
        EndDialog(IDCANCEL);
    }
    return TRUE;
}

bool CSelectDlg::OnCommand(UINT id, UINT code) {
    static const Command table[] = {
        {IDOK, BN_CLICKED, &CSelectDlg::OnOkClicked},
    };
    return Dispatch(table, id, code);
}

void CSelectDlg::OnOkClicked(UINT, UINT) {
    selectedPrinter = ItemText(IDC_SELECT_PRINTER);
    EndDialog(IDOK);
}
