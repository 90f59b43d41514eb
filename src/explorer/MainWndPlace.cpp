#include "explorer/MainWnd.h"

#include "explorer/PathText.h"

namespace {

// The row named name, searched on from the row after; -1 for none or an empty name.
int FindRow(CListView& list, const CString& name, int after)
{
    return name.IsEmpty() ? -1 : list.FindItem(after, name.GetString());
}

}  // namespace

// The box's modified flag is cleared whenever a navigation writes it.
CMainWnd::ListPlace CMainWnd::CurrentPlace()
{
    ListPlace place;
    if (m_pathBox.SendMessage(EM_GETMODIFY, 0, 0) || m_fileList.GetItemCount() == 0)
        return place;
    for (int row = m_fileList.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_fileList.GetNextItem(row, LVNI_SELECTED))
        place.selected.push_back(m_fileList.GetItemText(row, 0));
    const int focused = m_fileList.GetNextItem(-1, LVNI_FOCUSED);
    if (focused >= 0)
        place.focused = m_fileList.GetItemText(focused, 0);
    place.top = m_fileList.GetItemText(m_fileList.GetTopIndex(), 0);
    return place;
}

CMainWnd::ListPlace CMainWnd::PlaceOfLeft(const CString& from)
{
    CString folder(from);
    while (EndsWithSeparator(folder))
        folder = folder.Left(folder.GetLength() - 1);
    ListPlace place;
    place.focused = folder.Mid(FindLastSeparator(folder) + 1, folder.GetLength());
    place.selected.push_back(place.focused);
    return place;
}

// Names are looked for from the last one found: a reload lists in the same order, so
// keeping a large selection costs one pass over the list, not one per row.
void CMainWnd::EnterList(const ListPlace& place)
{
    int after = -1;
    for (const CString& name : place.selected) {
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
