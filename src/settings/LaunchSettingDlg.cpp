#include "settings/LaunchSettingDlg.h"

#include "common/Messages.h"
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
    // A group box takes the keyboard without showing it: the first stop is 項目 1's name.
    for (CGroupBox& group : m_groupBoxes)
        group.SetWindowLong(GWL_STYLE, group.GetWindowLong(GWL_STYLE) & ~WS_TABSTOP);
    ::SetFocus(m_nameBoxes[0].GetHwnd());
    // Activating the dialog would put the keyboard back where the template first had it.
    PostMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_nameBoxes[0].GetHwnd()), TRUE);
    return 0;
}

LRESULT CLaunchEntryBox::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (wParam == VK_PRIOR || wParam == VK_NEXT) {
        ::SendMessageA(::GetParent(m_hWnd), CLaunchSettingDlg::WM_LAUNCH_PAGE, wParam == VK_NEXT ? 1 : -1, 0);
        return 0;
    }
    return CInputBox::OnKeyDown(wParam, lParam);
}

LRESULT CLaunchSettingDlg::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NEXTDLGCTL:
        if (LOWORD(lParam) != 0)
            break;  // a control named: the dialog manager's own work
        NextTabStop(wParam != 0);
        return TRUE;
    case WM_LAUNCH_PAGE:
        TurnPage(static_cast<int>(wParam));
        return TRUE;
    }
    return CDialog::WindowProc(window, message, wParam, lParam);
}

bool CLaunchSettingDlg::FindRowControl(HWND window, int& row, Column& column)
{
    for (row = 0; row < RowCount; ++row)
        for (int each = 0; each < ColumnCount; ++each)
            if (window != nullptr && RowControl(row, static_cast<Column>(each)) == window) {
                column = static_cast<Column>(each);
                return true;
            }
    return false;
}

HWND CLaunchSettingDlg::RowControl(int row, Column column)
{
    switch (column) {
    case NameColumn: return m_nameBoxes[row].GetHwnd();
    case PathColumn: return m_pathBoxes[row].GetHwnd();
    default:         return m_browseButtons[row].GetHwnd();
    }
}

void CLaunchSettingDlg::FocusEntry(int entry, Column column)
{
    if (entry < m_topIndex)
        ScrollTo(entry);
    else if (entry >= m_topIndex + RowCount)
        ScrollTo(entry - RowCount + 1);
    // Named, the dialog manager gives the keyboard as Tab does: a box's text selected.
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(RowControl(entry - m_topIndex, column)), TRUE);
}

// The stops are three per entry (name, path, "参照"), then "登録" and "取消", in a ring.
void CLaunchSettingDlg::NextTabStop(bool backward)
{
    const int entryStops = ColumnCount * CSystemData::LauncherCount, stops = entryStops + 2;
    const HWND focus = ::GetFocus();
    int row, stop;
    Column column = NameColumn;
    if (FindRowControl(focus, row, column))
        stop = ColumnCount * (m_topIndex + row) + column;
    else if (focus == GetDlgItem(IDOK) || focus == GetDlgItem(IDCANCEL))
        stop = entryStops + (focus == GetDlgItem(IDCANCEL) ? 1 : 0);
    else  // the scroll bar: on to the rows it shows
        stop = backward ? ColumnCount * (m_topIndex + RowCount) : ColumnCount * m_topIndex - 1;
    stop = (stop + (backward ? stops - 1 : 1)) % stops;
    if (stop < entryStops)
        FocusEntry(stop / ColumnCount, static_cast<Column>(stop % ColumnCount));
    else
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(stop == entryStops ? IDOK : IDCANCEL)), TRUE);
}

// A page on, the keyboard stays in the same box of the entry four on, as in a list.
void CLaunchSettingDlg::TurnPage(int direction)
{
    int row;
    Column column = NameColumn;
    if (!FindRowControl(::GetFocus(), row, column))
        return;
    int entry = m_topIndex + row + direction * RowCount;
    entry = entry < 0 ? 0 : entry >= CSystemData::LauncherCount ? CSystemData::LauncherCount - 1 : entry;
    ScrollTo(m_topIndex + direction * RowCount);
    FocusEntry(entry, column);
}

int CLaunchSettingDlg::PageTop(int top)
{
    return top < 0 ? 0 : top > LastTop ? LastTop : top;
}

void CLaunchSettingDlg::ScrollTo(int top)
{
    SCROLLINFO info;
    m_scrollBar.GetScrollInfo(&info);
    ShowEntries(PageTop(top));
    info.nPos = m_topIndex;
    m_scrollBar.SetScrollInfo(&info, TRUE);
}

void CLaunchSettingDlg::StoreRows()
{
    for (int r = 0; r < RowCount; ++r) {
        m_workingCopy.SetLaunchName(m_topIndex + r, m_nameBoxes[r].GetWindowText());
        // A pasted program path keeps no quotes; names keep theirs.
        m_workingCopy.SetLaunchPath(m_topIndex + r, Unquoted(m_pathBoxes[r].GetWindowText()));
    }
}

// The keyboard follows its entry: typing after a scroll goes on where the caret was, or,
// with that entry scrolled away, into no entry at all (the scroll bar takes it).
BOOL CLaunchSettingDlg::ShowEntries(int top)
{
    if (top < 0 || top > LastTop)
        return 0;
    int row;
    Column column = NameColumn;
    const bool inRow = FindRowControl(::GetFocus(), row, column);
    DWORD start = 0, end = 0;
    if (inRow && column != BrowseColumn)
        ::SendMessageA(RowControl(row, column), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int entry = m_topIndex + row;
    StoreRows();
    m_topIndex = top;
    for (int r = 0; r < RowCount; ++r) {
        CString caption;
        caption.Format("項目 %d", top + r + 1);
        m_groupBoxes[r].SetWindowText(caption.GetString());
        m_nameBoxes[r].SetWindowText(m_workingCopy.GetLaunchName(top + r).GetString());
        m_pathBoxes[r].SetWindowText(m_workingCopy.GetLaunchPath(top + r).GetString());
    }
    if (inRow && entry >= top && entry < top + RowCount) {
        const HWND box = RowControl(entry - top, column);
        ::SetFocus(box);
        if (column != BrowseColumn) {
            ::SendMessageA(box, EM_SETSEL, start, end);
            ::SendMessageA(box, EM_SCROLLCARET, 0, 0);
        }
    } else if (inRow) {
        ::SetFocus(m_scrollBar.GetHwnd());
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
    ScrollTo(NewScrollPosition(wParam, info));  // the last four entries are the last page
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
    else if (!dialog.GetRefusedName().IsEmpty())
        Tell(m_hWnd, ChosenNameRefusal(dialog.GetRefusedName()), Notice::Warning);
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
