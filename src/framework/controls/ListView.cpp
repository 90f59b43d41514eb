#include "framework/controls/ListView.h"

IMPLEMENT_RUNTIME_CLASS(CListView, CCommCtrl)

CListView::CListView()
{
    InitCommonControls();  // the class must exist before the first Create
}

CListView::~CListView() {}

BOOL CListView::InitCommonControls()
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES};
    return ::InitCommonControlsEx(&init);
}

DWORD CListView::GetStyle()
{
    return WS_CHILD | WS_VISIBLE | LVS_REPORT;
}

DWORD CListView::GetExStyle()
{
    return WS_EX_CLIENTEDGE;
}

const char* CListView::GetClassName()
{
    return WC_LISTVIEWA;
}

int CListView::InsertColumn(int index, LVCOLUMNA* column)
{
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(column)));
}

// No handler of ours takes a row's messages, and a listing sends two per row: through
// the window's subclass each would be dispatched twice, a tenth of a large listing.
LRESULT CListView::SendRowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnPrevProc == nullptr)
        return SendMessage(message, wParam, lParam);
    return ::CallWindowProcA(m_pfnPrevProc, m_hWnd, message, wParam, lParam);
}

int CListView::InsertItem(LVITEMA* item)
{
    return static_cast<int>(SendRowMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListView::SetItem(LVITEMA* item)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListView::GetItem(LVITEMA* item)
{
    return static_cast<BOOL>(SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListView::DeleteItem(int index)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, index, 0));
}

BOOL CListView::DeleteAllItems()
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS, 0, 0));
}

int CListView::GetItemCount()
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT, 0, 0));
}

BOOL CListView::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListView::SetItemText(int index, int subItem, const char* text)
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);  // the control copies it
    return static_cast<BOOL>(SendRowMessage(LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item)));
}

int CListView::GetItemText(int index, int subItem, char* buffer, int size)
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = size;
    return static_cast<int>(SendRowMessage(LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item)));
}

// State images 1 and 2 are the unchecked and checked boxes.
BOOL CListView::SetCheckState(int index, BOOL checked)
{
    return SetItemState(index, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int CListView::GetCheckState(int index)
{
    UINT state = static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK));
    return static_cast<int>(state >> 12) - 1;
}

int CListView::GetNextItem(int start, UINT flags)
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, start, MAKELPARAM(flags, 0)));
}

DWORD CListView::SetExtendedStyle(DWORD styles)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles));
}

DWORD CListView::GetExtendedStyle()
{
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

int CListView::InsertColumn(int index, int subItem, int width, const char* text)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(text);
    column.iSubItem = subItem;
    return InsertColumn(index, &column);
}

int CListView::InsertColumn(int index, int width, const char* text)
{
    return InsertColumn(index, index, width, text);
}

// Only the text is set: a null text gives a row whose name reads empty.
int CListView::InsertItem(int index, const char* text)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    return InsertItem(&item);
}

BOOL CListView::SetItemText(int index, int subItem, CString text)
{
    return SetItemText(index, subItem, text.GetString());
}

// Wine's list view fills the whole buffer without a terminating zero when the text is
// too long, so the text is cut here: at most 259 bytes, never half a double-byte character.
CString CListView::GetItemText(int index, int subItem)
{
    char buffer[MAX_PATH + 1] = "";  // a missing item leaves it empty; the spare byte stays 0
    GetItemText(index, subItem, buffer, MAX_PATH);
    const char* end = buffer;
    for (const char* next = ::CharNextA(end); next != end && next - buffer < MAX_PATH;
         next = ::CharNextA(end))
        end = next;
    return CString(buffer, static_cast<int>(end - buffer));
}

int CListView::GetSelectedIndex()
{
    return GetNextItem(-1, LVNI_SELECTED);
}

int CListView::FindItem(int after, const char* text)
{
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING | LVFI_WRAP;
    find.psz = text;
    return static_cast<int>(SendMessage(LVM_FINDITEMA, after, reinterpret_cast<LPARAM>(&find)));
}

BOOL CListView::EnsureVisible(int index)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, index, FALSE));
}

int CListView::GetTopIndex()
{
    return static_cast<int>(SendMessage(LVM_GETTOPINDEX, 0, 0));
}
