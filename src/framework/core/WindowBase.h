#pragma once
#include "framework/core/String.h"

// Ties one object to one window: the window property named BindingProperty holds the
// object, and the shared StaticWndProc (window, subclass and dialog procedure at once)
// hands every message to the object's virtual WindowProc. The wrappers act on the bound
// handle.
class CWindowBase : public CObject {
public:
    CWindowBase(const char* windowName, HMENU menuOrId);
    virtual ~CWindowBase();
    DECLARE_RUNTIME_CLASS(CWindowBase)

    // A copy would destroy the same window twice.
    CWindowBase(const CWindowBase&) = delete;
    CWindowBase& operator=(const CWindowBase&) = delete;

    // The name of the window property that carries the binding.
    static const char BindingProperty[];
    // The object bound to a window, or null: the one way from a window to its object.
    static CWindowBase* FromHandle(HWND window);

    BOOL Attach(HWND window);
    BOOL Detach();
    HWND GetHwnd() const { return m_hWnd; }
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    virtual LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual HDC BeginPaint();
    virtual BOOL CloseWindow();
    virtual HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName,
                                DWORD style, int x, int y, int width, int height, HWND parent,
                                HMENU menu, HINSTANCE instance, void* param);
    virtual BOOL DestroyWindow();
    virtual void DragAcceptFiles(BOOL accept);
    virtual BOOL EnableWindow(BOOL enable);
    virtual BOOL EndPaint();
    virtual DWORD GetClassLong(int index);
    virtual HWND GetParent();
    virtual LONG GetWindowLong(int index);
    virtual RECT GetWindowRect();
    virtual RECT GetClientRect();
    virtual int GetWindowText(char* buffer, int maxCount);
    virtual CString GetWindowText();
    virtual int GetWindowTextLength();
    virtual BOOL InvalidateRect(const RECT* rect, BOOL erase);
    virtual BOOL InvalidateRgn(HRGN region, BOOL erase);
    virtual BOOL IsChild(HWND parent);
    virtual BOOL IsIconic();
    virtual BOOL IsWindow();
    virtual BOOL IsWindowUnicode();
    virtual BOOL IsWindowVisible();
    virtual BOOL IsZoomed();
    virtual BOOL IsForegroundWindow();
    virtual BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint);
    virtual BOOL OpenIcon();
    virtual BOOL PostMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual HWND SetActiveWindow();
    virtual DWORD SetClassLong(int index, LONG_PTR value);  // LONG on 32-bit builds
    virtual BOOL SetForegroundWindow();
    virtual HWND SetParent(HWND newParent);
    virtual LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL SetMenu(HMENU menu);
    virtual LONG SetWindowLong(int index, LONG value);
    virtual BOOL SetWindowText(const char* text);
    virtual BOOL ShowWindow(int showCommand);
    virtual HWND GetDlgItem(int id);

protected:
    HWND m_hWnd;
    WNDPROC m_pfnPrevProc;  // for a dialog: the replaced DLGPROC, cast; called directly
    BOOL m_bDialog;
    PAINTSTRUCT m_ps;
    const char* m_pszWindowName;  // not owned: must outlive the creation call
    HMENU m_hMenu;
};
