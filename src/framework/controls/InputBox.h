#pragma once
#include "framework/controls/EditBase.h"

// A single-line box that scrolls horizontally.
class CInputBox : public CEditBase {
public:
    CInputBox();
    virtual ~CInputBox();
    DECLARE_RUNTIME_CLASS(CInputBox)

    DWORD GetStyle() override;
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Asked before the control pastes (Ctrl+V arrives as WM_PASTE too): false when the
    // box has pasted or refused the paste itself. Here the control pastes as it does.
    virtual bool OnPaste();
};
