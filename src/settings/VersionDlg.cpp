#include "settings/VersionDlg.h"

#include "resource.h"
#include "settings/SettingsDialog.h"

IMPLEMENT_RUNTIME_CLASS(CVersionDlg, CDialog)

CVersionDlg::CVersionDlg() : CDialog(IDD_VERSION)
{
}

CVersionDlg::~CVersionDlg()
{
}

LRESULT CVersionDlg::OnCtlColorDlg(WPARAM, LPARAM)
{
    return BlackDialogBrush();
}

LRESULT CVersionDlg::OnCtlColorStatic(WPARAM wParam, LPARAM)
{
    return WhiteOnBlack(wParam);
}
