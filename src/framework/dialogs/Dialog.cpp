#include "framework/dialogs/Dialog.h"

IMPLEMENT_RUNTIME_CLASS(CDialog, CWindow)

CDialog::CDialog(WORD templateId) : CWindow(nullptr, nullptr), m_templateId(templateId)
{
}

CDialog::~CDialog()
{
}

DLGPROC CDialog::SharedDialogProc()
{
    return reinterpret_cast<DLGPROC>(&CWindowBase::StaticWndProc);
}

// The answer is the dialog procedure's: nonzero for handled, 0 leaves the message to
// the dialog manager. Esc arrives as IDCANCEL, Enter on the default button as IDOK.
LRESULT CDialog::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDOK:     OnOK();     return 0;
        case IDCANCEL: OnCancel(); return 0;
        }
        return OnCommand(wParam, lParam);
    }
    return CWindow::WindowProc(window, message, wParam, lParam);
}

HWND CDialog::GetDlgItem(int id)
{
    return ::GetDlgItem(m_hWnd, id);
}

LRESULT CDialog::OnClose(WPARAM, LPARAM)
{
    EndDialog(IDCANCEL);
    return 1;
}

INT_PTR CDialog::DoModal(const char* templateName, HWND parent)
{
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), templateName, parent,
                             SharedDialogProc(), reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModal(HWND parent)
{
    return DoModal(MAKEINTRESOURCEA(m_templateId), parent);
}

HWND CDialog::CreateModeless(const char* templateName, HWND parent)
{
    return ::CreateDialogParamA(::GetModuleHandleA(nullptr), templateName, parent,
                                SharedDialogProc(), reinterpret_cast<LPARAM>(this));
}

HWND CDialog::CreateModeless(HWND parent)
{
    return CreateModeless(MAKEINTRESOURCEA(m_templateId), parent);
}

BOOL CDialog::EndDialog(int result)
{
    return ::EndDialog(m_hWnd, result);
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
