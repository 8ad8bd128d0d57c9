// The printer selection dialog shown when the program starts without a printer name.
#pragma once

#include "core/model.h"
#include "win/dialog.h"

#include <string>

class CSelectDlg : public win::DialogImpl<CSelectDlg> {
public:
    CSelectDlg(const ModelCatalogue& catalogue, HWND parent);

    std::wstring selectedPrinter; // the chosen printer after "OK"

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code) override;

private:
    void OnOkClicked(UINT id, UINT code);

    ModelCatalogue catalogue_;
};
