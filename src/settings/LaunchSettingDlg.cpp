#include "settings/LaunchSettingDlg.h"

#include "framework/core/PathText.h"
#include "framework/dialogs/FileDialog.h"
#include "resource.h"
#include "settings/SettingsDialog.h"

IMPLEMENT_RUNTIME_CLASS(CLaunchSettingDlg, CDialog)

CLaunchSettingDlg::CLaunchSettingDlg()
    : CDialog(IDD_LAUNCH_SETTING), m_topIndex(0), m_scrollBar(IDC_LAUNCH_SCROLL)
{
}

CLaunchSettingDlg::~CLaunchSettingDlg()
{
}

LRESULT CLaunchSettingDlg::OnInitDialog(WPARAM, LPARAM)
{
    if (CSystemData* settings = GetSystemData()) {
        m_opened.CopyFrom(settings);
        m_workingCopy.CopyFrom(settings);
    }

    m_scrollBar.Attach(GetDlgItem(IDC_LAUNCH_SCROLL));
    SCROLLINFO info;
    m_scrollBar.GetScrollInfo(&info);
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = CSystemData::LauncherCount - 1;
    info.nPage = RowCount;
    info.nPos = 0;
    m_scrollBar.SetScrollInfo(&info, TRUE);

    for (int r = 0; r < RowCount; ++r)
        m_groupBoxes[r].Attach(GetDlgItem(IDC_LAUNCH_GROUP1 + r));
    for (int r = 0; r < RowCount; ++r)
        m_nameBoxes[r].Attach(GetDlgItem(IDC_LAUNCH_NAME1 + 2 * r));
    for (int r = 0; r < RowCount; ++r)
        m_pathBoxes[r].Attach(GetDlgItem(IDC_LAUNCH_PATH1 + 2 * r));
    for (int r = 0; r < RowCount; ++r)
        m_browseButtons[r].Attach(GetDlgItem(IDC_LAUNCH_BROWSE1 + r));

    for (int r = 0; r < RowCount; ++r) {
        m_nameBoxes[r].SetWindowText(m_workingCopy.GetLaunchName(r).GetString());
        m_pathBoxes[r].SetWindowText(m_workingCopy.GetLaunchPath(r).GetString());
    }
    ShowEntries(m_topIndex);
    return 0;  // the dialog manager leaves the focus alone
}

void CLaunchSettingDlg::StoreRows()
{
    for (int r = 0; r < RowCount; ++r) {
        m_workingCopy.SetLaunchName(m_topIndex + r, m_nameBoxes[r].GetWindowText());
        // A pasted program path keeps no quotes; names keep theirs.
        m_workingCopy.SetLaunchPath(m_topIndex + r, Unquoted(m_pathBoxes[r].GetWindowText()));
    }
}

BOOL CLaunchSettingDlg::ShowEntries(int top)
{
    if (top < 0 || top > LastTop)
        return 0;
    StoreRows();
    m_topIndex = top;
    for (int r = 0; r < RowCount; ++r) {
        CString caption;
        caption.Format("項目 %d", top + r + 1);
        m_groupBoxes[r].SetWindowText(caption.GetString());
        m_nameBoxes[r].SetWindowText(m_workingCopy.GetLaunchName(top + r).GetString());
        m_pathBoxes[r].SetWindowText(m_workingCopy.GetLaunchPath(top + r).GetString());
    }
    return 1;
}

int CLaunchSettingDlg::NewScrollPosition(WPARAM request, const SCROLLINFO& info) const
{
    const int page = static_cast<int>(info.nPage);
    const int position = info.nPos;
    switch (LOWORD(request)) {
    case SB_LINEUP:        return position > info.nMin ? position - 1 : position;
    case SB_LINEDOWN:      return position < info.nMax ? position + 1 : position;
    case SB_PAGEUP:        return position - page < info.nMin ? info.nMin : position - page;
    case SB_PAGEDOWN:      return position + page > info.nMax ? info.nMax : position + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:    return HIWORD(request);  // the rows follow the dragged thumb
    case SB_TOP:           return info.nMin;
    case SB_BOTTOM:        return info.nMax;
    }
    return position;
}

LRESULT CLaunchSettingDlg::OnVScroll(WPARAM wParam, LPARAM)
{
    SCROLLINFO info;
    m_scrollBar.GetScrollInfo(&info);
    int position = NewScrollPosition(wParam, info);
    // The last four entries are the last full page.
    const int last = info.nMax - static_cast<int>(info.nPage) + 1;
    if (position > last)
        position = last;
    ShowEntries(position);
    info.nPos = position;
    m_scrollBar.SetScrollInfo(&info, TRUE);
    return 0;
}

// One entry per wheel message, whatever its distance.
LRESULT CLaunchSettingDlg::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    const short distance = static_cast<short>(HIWORD(wParam));
    PostMessage(WM_VSCROLL, distance > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    return CDialog::OnMouseWheel(wParam, lParam);
}

LRESULT CLaunchSettingDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id >= IDC_LAUNCH_BROWSE1 && id < IDC_LAUNCH_BROWSE1 + RowCount) {
        BrowseEntry(id - IDC_LAUNCH_BROWSE1);
        return 0;
    }
    return CDialog::OnCommand(wParam, lParam);
}

// The working copy learns the texts at the next page change or on "登録".
BOOL CLaunchSettingDlg::BrowseEntry(int row)
{
    if (row < 0 || row >= RowCount)
        return 0;
    CFileDialog dialog(m_hWnd, "ファイルを開く");
    if (dialog.GetOpenFileName())
        SetProgram(row, dialog.GetRecord()->lpstrFile);
    return 1;
}

void CLaunchSettingDlg::SetProgram(int row, const CString& path)
{
    m_nameBoxes[row].SetWindowText(FileName(path).GetString());
    m_pathBoxes[row].SetWindowText(path.GetString());
}

void CLaunchSettingDlg::OnOK()
{
    StoreRows();
    if (StoreSettings(m_hWnd, m_opened, m_workingCopy))
        CDialog::OnOK();
}

LRESULT CLaunchSettingDlg::OnCtlColorDlg(WPARAM, LPARAM)
{
    return BlackDialogBrush();
}

LRESULT CLaunchSettingDlg::OnCtlColorStatic(WPARAM wParam, LPARAM)
{
    return WhiteOnBlack(wParam);
}
