#include "settings/CommonSettingDlg.h"

#include "common/Messages.h"
#include "framework/core/PathLookup.h"
#include "framework/core/PathText.h"
#include "framework/dialogs/FolderDialog.h"
#include "resource.h"
#include "settings/SettingsDialog.h"

IMPLEMENT_RUNTIME_CLASS(CCommonSettingDlg, CDialog)

CCommonSettingDlg::CCommonSettingDlg() : CDialog(IDD_COMMON_SETTING)
{
}

CCommonSettingDlg::~CCommonSettingDlg()
{
}

LRESULT CCommonSettingDlg::OnInitDialog(WPARAM, LPARAM)
{
    if (CSystemData* settings = GetSystemData()) {
        m_opened.CopyFrom(settings);
        m_workingCopy.CopyFrom(settings);
    }
    m_homeBox.Attach(GetDlgItem(IDC_HOME));
    m_homeBox.SetWindowText(m_workingCopy.GetHome().GetString());
    m_browseButton.Attach(GetDlgItem(IDC_HOME_BROWSE));
    m_systemFilesBox.Attach(GetDlgItem(IDC_DISP_SYSTEM_FILE));
    m_systemFilesBox.SetCheck(m_workingCopy.GetDispSystemFile() ? BST_CHECKED : BST_UNCHECKED);
    m_hiddenFilesBox.Attach(GetDlgItem(IDC_DISP_HIDDEN_FILE));
    m_hiddenFilesBox.SetCheck(m_workingCopy.GetDispHiddenFile() ? BST_CHECKED : BST_UNCHECKED);
    return 0;  // the dialog manager leaves the focus alone
}

LRESULT CCommonSettingDlg::OnCommand(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == IDC_HOME_BROWSE)
        OnBrowseHome();
    return 0;
}

void CCommonSettingDlg::OnBrowseHome()
{
    CFolderDialog dialog;
    // A path that is no folder would only make the browser select nothing useful.
    CString start = Unquoted(m_homeBox.GetWindowText());
    if (!IsFolder(start))
        start = "";
    if (dialog.Browse(TE_TEXT_BROWSE, m_hWnd, start))
        m_homeBox.SetWindowText(dialog.GetPath().GetString());
    else if (!dialog.GetRefusedName().IsEmpty())
        Tell(m_hWnd, ChosenNameRefusal(dialog.GetRefusedName()), Notice::Warning);
}

// The box's text is stored as typed (a pasted path loses its quotes on the way): a home
// that does not exist falls back to the documents folder when the explorer goes home.
void CCommonSettingDlg::OnOK()
{
    m_workingCopy.SetHome(m_homeBox.GetWindowText());
    m_workingCopy.SetDispSystemFile(m_systemFilesBox.IsChecked());
    m_workingCopy.SetDispHiddenFile(m_hiddenFilesBox.IsChecked());
    if (StoreSettings(m_hWnd, m_opened, m_workingCopy))
        CDialog::OnOK();
}

LRESULT CCommonSettingDlg::OnCtlColorDlg(WPARAM, LPARAM)
{
    return BlackDialogBrush();
}

LRESULT CCommonSettingDlg::OnCtlColorStatic(WPARAM wParam, LPARAM)
{
    return WhiteOnBlack(wParam);
}
