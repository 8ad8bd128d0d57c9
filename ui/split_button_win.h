// The split Apply button: the face applies the settings, the arrow strip opens the other way of applying.
// A push button of the dialog that the program subclasses and draws; every choice is posted to the parent.
#pragma once

#include "win/dialog.h"

#include <cstdint>

class CPopupButton : public win::SubclassedControl {
public:
    // Subclasses control 1138 of the dialog, makes it owner-drawn and takes its text from menu 139.
    bool Attach(HWND parentDialog);

    uint16_t popupMenuId = 0;
    uint16_t defaultCommand = 0;
    bool isHovered = false;

    bool PreTranslateMessage(MSG& msg) override;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    void OnMouseMove();
    void OnMouseLeave();
    void ShowPopup();
    void DrawItem(const DRAWITEMSTRUCT& draw);
    void PostToParent(UINT command) const;

    HWND parent_ = nullptr;
};
