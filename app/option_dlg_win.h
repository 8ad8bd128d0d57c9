// The one user option: whether a failed reading of the current settings at start-up is reported.
#pragma once

#include "win/dialog.h"

#include <cstdint>

class COptionDlg : public win::DialogImpl<COptionDlg> {
public:
    // Reads the option from the settings file beside the program.
    COptionDlg();

    int32_t noDisplayStartupError = 0; // 1: the box is ticked

    static constexpr INT_PTR kTicked = 100;
    static constexpr INT_PTR kCleared = 200;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};

// The handler of Option Settings: shows the dialog and, after OK, writes the choice to the settings file when
// that file exists. Cancel writes nothing.
void OnOptionSettings();
