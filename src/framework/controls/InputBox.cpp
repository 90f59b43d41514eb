#include "framework/controls/InputBox.h"

IMPLEMENT_RUNTIME_CLASS(CInputBox, CEditBase)

CInputBox::CInputBox() {}

CInputBox::~CInputBox() {}

DWORD CInputBox::GetStyle()
{
    return WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
}

LRESULT CInputBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PASTE && !OnPaste())
        return 0;
    return CEditBase::WindowProc(window, message, wParam, lParam);
}

bool CInputBox::OnPaste()
{
    return true;
}
