#pragma once
#include "framework/controls/InputBox.h"

// Posted to the parent when Enter is pressed in the box; wParam is the box object.
const UINT WM_INPUTBOX_ENTER = WM_APP + 1;

// The path box: reports Enter to its parent, swallows Tab, CR and Escape, which a
// single-line edit would only beep at, hands the keys that move the keyboard to its
// parent and pastes as a path.
class CInputBoxEx : public CInputBox {
public:
    CInputBoxEx() {}
    ~CInputBoxEx() override;
    DECLARE_RUNTIME_CLASS(CInputBoxEx)

    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnChar(WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnPaste() override;
};
