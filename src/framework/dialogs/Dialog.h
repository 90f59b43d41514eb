#pragma once
#include "framework/core/Window.h"

// A dialog template turned into a framework window: bound at WM_INITDIALOG, its
// messages reach the same virtual handlers as any window's, and OK, Cancel (Esc) and
// the close box end it with IDOK or IDCANCEL.
class CDialog : public CWindow {
public:
    explicit CDialog(WORD templateId);
    virtual ~CDialog();
    DECLARE_RUNTIME_CLASS(CDialog)

    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND GetDlgItem(int id) override;
    LRESULT OnClose(WPARAM wParam, LPARAM lParam) override;

    // The value given to EndDialog; -1 when the dialog could not be created.
    virtual INT_PTR DoModal(const char* templateName, HWND parent);
    virtual INT_PTR DoModal(HWND parent);
    virtual HWND CreateModeless(const char* templateName, HWND parent);
    virtual HWND CreateModeless(HWND parent);
    virtual BOOL EndDialog(int result);
    virtual void OnOK();
    virtual void OnCancel();

    // The dialog manager calls a DLGPROC; the shared procedure has the same shape.
    static DLGPROC SharedDialogProc();

protected:
    WORD m_templateId;
};
