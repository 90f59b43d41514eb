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
    // Pastes text the code page can hold; false when the paste is done or refused here.
    virtual bool PasteAsItStands();
};
