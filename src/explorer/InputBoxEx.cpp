#include "explorer/InputBoxEx.h"

#include "common/PathPaste.h"
#include "explorer/ChildKeys.h"

IMPLEMENT_RUNTIME_CLASS(CInputBoxEx, CInputBox)

CInputBoxEx::~CInputBoxEx() {}

LRESULT CInputBoxEx::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (wParam != VK_RETURN) {
        if (PassKeyboard(*this, static_cast<UINT>(wParam)))
            return 0;
        return CInputBox::OnKeyDown(wParam, lParam);
    }
    // Posted, so the parent acts after this key message is done with.
    if (CWindow* parent = GetParentObject())
        parent->PostMessage(WM_INPUTBOX_ENTER, reinterpret_cast<WPARAM>(this), 0);
    return 0;
}

LRESULT CInputBoxEx::OnChar(WPARAM wParam, LPARAM lParam)
{
    if (wParam == '\t' || wParam == '\r' || wParam == VK_ESCAPE)
        return 0;
    return CInputBox::OnChar(wParam, lParam);
}

bool CInputBoxEx::OnPaste()
{
    return PastePath(*this);
}
