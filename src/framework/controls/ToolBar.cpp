#include "framework/controls/ToolBar.h"

IMPLEMENT_RUNTIME_CLASS(CToolBar, CCommCtrl)

CToolBar::CToolBar() : m_commandId(0)
{
    InitCommonControls();  // the class must exist before CreateToolbarEx
}

CToolBar::~CToolBar() {}

BOOL CToolBar::InitCommonControls()
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_BAR_CLASSES};
    return ::InitCommonControlsEx(&init);
}

DWORD CToolBar::GetStyle()
{
    return WS_CHILD | WS_VISIBLE;
}

HWND CToolBar::CreateToolbar(HWND parent, DWORD style, UINT id, int bitmapCount,
                             HINSTANCE bitmapModule, UINT_PTR bitmapId, const TBBUTTON* buttons,
                             int buttonCount, int buttonWidth, int buttonHeight, int bitmapWidth,
                             int bitmapHeight, UINT recordSize)
{
    HWND window = ::CreateToolbarEx(parent, style, id, bitmapCount, bitmapModule, bitmapId, buttons,
                                    buttonCount, buttonWidth, buttonHeight, bitmapWidth,
                                    bitmapHeight, recordSize);
    Attach(window);  // refuses a null handle
    return window;
}

// The record size is the platform's: TBBUTTON has padding on 64-bit builds.
HWND CToolBar::CreateToolbar(HWND parent, DWORD style, int bitmapCount, HINSTANCE bitmapModule,
                             UINT_PTR bitmapId, const TBBUTTON* buttons, int buttonCount,
                             int buttonWidth, int buttonHeight, int bitmapWidth, int bitmapHeight)
{
    return CreateToolbar(parent, style, m_commandId, bitmapCount, bitmapModule, bitmapId, buttons,
                         buttonCount, buttonWidth, buttonHeight, bitmapWidth, bitmapHeight,
                         sizeof(TBBUTTON));
}

HWND CToolBar::CreateToolbar(HWND parent, DWORD style, int bitmapCount, HINSTANCE bitmapModule,
                             UINT_PTR bitmapId, const TBBUTTON* buttons, int buttonCount,
                             int bitmapWidth, int bitmapHeight)
{
    return CreateToolbar(parent, style, bitmapCount, bitmapModule, bitmapId, buttons, buttonCount,
                         0, 0, bitmapWidth, bitmapHeight);
}

HWND CToolBar::CreateToolbar(HWND parent, int bitmapCount, HINSTANCE bitmapModule,
                             UINT_PTR bitmapId, const TBBUTTON* buttons, int buttonCount,
                             int bitmapWidth, int bitmapHeight)
{
    return CreateToolbar(parent, GetStyle(), bitmapCount, bitmapModule, bitmapId, buttons,
                         buttonCount, 0, 0, bitmapWidth, bitmapHeight);
}

HWND CToolBar::CreateToolbar(HWND parent, int bitmapCount, UINT_PTR bitmapId,
                             const TBBUTTON* buttons, int buttonCount, int bitmapWidth,
                             int bitmapHeight)
{
    return CreateToolbar(parent, GetStyle(), bitmapCount, HINST_COMMCTRL, bitmapId, buttons,
                         buttonCount, 0, 0, bitmapWidth, bitmapHeight);
}

void CToolBar::SetCommandId(UINT id)
{
    m_commandId = id;
}
