#include "explorer/MainWnd.h"

#include "framework/core/PathText.h"

namespace {

// The row named name, searched on from the row after; -1 for none or an empty name. The
// list finds names in any case: on a volume that tells case apart, "null" beside "NULL"
// is another entry, so a row named exactly so comes first.
int FindRow(CListView& list, const CString& name, int after)
{
    if (name.IsEmpty())
        return -1;
    const int first = list.FindItem(after, name.GetString());
    char text[MAX_PATH];
    for (int row = first; row >= 0;) {
        list.GetItemText(row, 0, text, MAX_PATH);
        if (name == text)
            return row;
        row = list.FindItem(row, name.GetString());
        if (row == first)
            break;
    }
    return first;
}

}  // namespace

// A path box that no longer shows the listed folder names another folder.
CMainWnd::ListPlace CMainWnd::CurrentPlace()
{
    ListPlace place;
    if (m_pathBox.GetWindowText() != m_listedFolder || m_fileList.GetItemCount() == 0)
        return place;
    for (int row = m_fileList.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_fileList.GetNextItem(row, LVNI_SELECTED)) {
        const CString name = m_fileList.GetItemText(row, 0);
        if (!place.selected.Add(name.GetString(), name.GetLength()))
            break;
    }
    const int focused = m_fileList.GetNextItem(-1, LVNI_FOCUSED);
    if (focused >= 0)
        place.focused = m_fileList.GetItemText(focused, 0);
    place.top = m_fileList.GetItemText(m_fileList.GetTopIndex(), 0);
    return place;
}

CMainWnd::ListPlace CMainWnd::PlaceOfLeft(const CString& from)
{
    ListPlace place;
    place.focused = FileName(WithoutClosingSeparators(from));
    place.selected.Add(place.focused.GetString(), place.focused.GetLength());
    return place;
}

// Names are looked for from the last one found: a reload lists in the same order, so
// keeping a large selection costs one pass over the list, not one per row.
void CMainWnd::EnterList(const ListPlace& place)
{
    int after = -1;
    for (const char* name = place.selected.First(); name; name = place.selected.Next(name)) {
        const int row = FindRow(m_fileList, name, after);
        if (row >= 0) {
            m_fileList.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
            after = row;
        }
    }
    int focused = FindRow(m_fileList, place.focused, -1);
    if (focused < 0)
        focused = m_fileList.GetNextItem(-1, LVNI_SELECTED);
    if (focused < 0 && m_fileList.GetItemCount() > 0)
        focused = 0;
    if (focused >= 0)
        m_fileList.SetItemState(focused, LVIS_FOCUSED, LVIS_FOCUSED);
    const int top = FindRow(m_fileList, place.top, -1);
    if (top >= 0) {
        // Scrolled up from the bottom, the row ends as the first one shown.
        m_fileList.EnsureVisible(m_fileList.GetItemCount() - 1);
        m_fileList.EnsureVisible(top);
    } else if (focused >= 0) {
        m_fileList.EnsureVisible(focused);
    }
    // An inactive window (still hidden, or behind another) hands it on when activated.
    m_focusChild = m_fileList.GetHwnd();
    if (::GetActiveWindow() == m_hWnd)
        ::SetFocus(m_focusChild);
}

void CMainWnd::MoveKeyboard(KeyboardStop stop, HWND from)
{
    const HWND order[] = {m_fileList.GetHwnd(), m_pathBox.GetHwnd(), m_browseButton.GetHwnd()};
    const int count = 3;
    int at = 0;  // from a window not in the ring (none: the menu bar), as from the list
    while (at < count && order[at] != from)
        ++at;
    at %= count;
    switch (stop) {
    case KeyboardStop::None:     return;
    case KeyboardStop::PathBox:  at = 1; break;
    case KeyboardStop::Next:     at = (at + 1) % count; break;
    case KeyboardStop::Previous: at = (at + count - 1) % count; break;
    }
    m_focusChild = order[at];
    ::SetFocus(m_focusChild);
    if (m_focusChild == m_pathBox.GetHwnd())
        m_pathBox.SendMessage(EM_SETSEL, 0, -1);
}
