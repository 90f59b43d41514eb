#include "explorer/BrowseButton.h"

#include "explorer/ChildKeys.h"

IMPLEMENT_RUNTIME_CLASS(CBrowseButton, CButton)

CBrowseButton::~CBrowseButton() {}

LRESULT CBrowseButton::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (wParam == VK_RETURN) {
        // Posted, so the folder picker opens after this key message is done with.
        PostMessage(BM_CLICK, 0, 0);
        return 0;
    }
    if (PassKeyboard(*this, static_cast<UINT>(wParam)))
        return 0;
    return CButton::OnKeyDown(wParam, lParam);
}
