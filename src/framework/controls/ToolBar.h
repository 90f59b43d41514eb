#pragma once
#include "framework/controls/CommCtrl.h"

// A toolbar built in one call by CreateToolbarEx (window, bitmap and buttons) and
// bound to the object right after. With bitmapModule null, bitmapId may be a bitmap
// handle instead of a resource identifier.
class CToolBar : public CCommCtrl {
public:
    CToolBar();
    virtual ~CToolBar();
    DECLARE_RUNTIME_CLASS(CToolBar)

    BOOL InitCommonControls() override;
    DWORD GetStyle() override;

    virtual HWND CreateToolbar(HWND parent, DWORD style, UINT id, int bitmapCount,
                               HINSTANCE bitmapModule, UINT_PTR bitmapId, const TBBUTTON* buttons,
                               int buttonCount, int buttonWidth, int buttonHeight,
                               int bitmapWidth, int bitmapHeight, UINT recordSize);
    virtual HWND CreateToolbar(HWND parent, DWORD style, int bitmapCount, HINSTANCE bitmapModule,
                               UINT_PTR bitmapId, const TBBUTTON* buttons, int buttonCount,
                               int buttonWidth, int buttonHeight, int bitmapWidth,
                               int bitmapHeight);
    virtual HWND CreateToolbar(HWND parent, DWORD style, int bitmapCount, HINSTANCE bitmapModule,
                               UINT_PTR bitmapId, const TBBUTTON* buttons, int buttonCount,
                               int bitmapWidth, int bitmapHeight);
    virtual HWND CreateToolbar(HWND parent, int bitmapCount, HINSTANCE bitmapModule,
                               UINT_PTR bitmapId, const TBBUTTON* buttons, int buttonCount,
                               int bitmapWidth, int bitmapHeight);
    // The control library's standard images (HINST_COMMCTRL).
    virtual HWND CreateToolbar(HWND parent, int bitmapCount, UINT_PTR bitmapId,
                               const TBBUTTON* buttons, int buttonCount, int bitmapWidth,
                               int bitmapHeight);
    // Identifier used by the forms that take none.
    virtual void SetCommandId(UINT id);

protected:
    UINT m_commandId;
};
