#pragma once
#include "framework/core/WindowBase.h"

// The base of every window, dialog and control: a fixed table sends 21 messages to
// virtual handlers; everything else, and every handler not overridden, gets the
// default processing of CWindowBase.
class CWindow : public CWindowBase {
public:
    CWindow(const char* windowName = nullptr, HMENU menuOrId = nullptr);
    virtual ~CWindow();
    DECLARE_RUNTIME_CLASS(CWindow)

    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnRButtonDown(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCtlColorDlg(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnReflect(WPARAM wParam, LPARAM lParam);
    virtual HWND Create(const char* windowName, int x, int y, int width, int height,
                        HWND parent, HMENU menuOrId);
    virtual HWND Create(int x, int y, int width, int height, HWND parent);
    virtual DWORD GetExStyle();
    virtual DWORD GetStyle();
    virtual LONG GetWindowExStyle();
    virtual LONG GetWindowStyle();
    virtual const char* GetClassName();
    virtual LONG SetWindowExStyle(LONG exStyle);
    virtual DWORD SetClassBrush(HBRUSH brush);
    virtual DWORD SetClassCursor(HCURSOR cursor);
    virtual DWORD SetClassIcon(HICON icon);
    virtual CWindow* GetParentObject();
    virtual CWindow* GetChildObject(int childId);
    virtual BOOL RegisterClass();
    virtual int GetIconId();

private:
    // Default processing of one message, as if no handler existed.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
};
