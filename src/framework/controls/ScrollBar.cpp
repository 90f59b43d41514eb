#include "framework/controls/ScrollBar.h"

IMPLEMENT_RUNTIME_CLASS(CScrollBar, CControlWindow)

CScrollBar::CScrollBar(UINT id, DWORD barStyle) : CControlWindow("", id), m_barStyle(barStyle), m_info()
{
}

CScrollBar::~CScrollBar() {}

DWORD CScrollBar::GetStyle()
{
    return WS_CHILD | WS_VISIBLE | m_barStyle;
}

DWORD CScrollBar::GetExStyle()
{
    return 0;
}

const char* CScrollBar::GetClassName()
{
    return "SCROLLBAR";
}

int CScrollBar::SetScrollInfo(const SCROLLINFO* info, BOOL redraw)
{
    if (info)
        m_info = *info;
    return ::SetScrollInfo(m_hWnd, SB_CTL, &m_info, redraw);
}

// The request is the cached record's, so the caller gets what the last set asked for.
// Before any set the request is empty: it fails and the caller gets zeros (Wine would
// answer an empty request as a success, so it is not sent).
BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info)
{
    BOOL result = m_info.cbSize ? ::GetScrollInfo(m_hWnd, SB_CTL, &m_info) : FALSE;
    if (info)
        *info = m_info;
    return result;
}
