#pragma once
#include "framework/controls/Button.h"

// The main window's "参照" button: Enter presses it as Space does, and the keys that move
// the keyboard between the window's children are handed to the window.
class CBrowseButton : public CButton {
public:
    CBrowseButton() {}
    ~CBrowseButton() override;
    DECLARE_RUNTIME_CLASS(CBrowseButton)

    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam) override;
};
