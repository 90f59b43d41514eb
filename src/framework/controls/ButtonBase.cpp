#include "framework/controls/ButtonBase.h"

IMPLEMENT_RUNTIME_CLASS(CButtonBase, CControlWindow)

const char* const CButtonBase::ClassName = "BUTTON";

// The colours are the system's at construction; they do not follow later changes.
CButtonBase::CButtonBase()
    : m_textColor(::GetSysColor(COLOR_BTNTEXT)),
      m_faceColor(::GetSysColor(COLOR_BTNFACE)),
      m_faceBrush(::CreateSolidBrush(m_faceColor)),
      m_disabledTextColor(::GetSysColor(COLOR_GRAYTEXT)),
      m_disabledFaceColor(::GetSysColor(COLOR_BTNFACE)),
      m_disabledFaceBrush(::CreateSolidBrush(m_disabledFaceColor))
{
}

CButtonBase::~CButtonBase()
{
    ::DeleteObject(m_faceBrush);
    ::DeleteObject(m_disabledFaceBrush);
}

const char* CButtonBase::GetClassName()
{
    return ClassName;
}

// The parent reflects WM_CTLCOLORSTATIC here as well as WM_DRAWITEM. Only an owner-draw
// request for this very button is a DRAWITEMSTRUCT: a colour request's lParam is a
// window handle, and reading it as a record would crash. Anything else answers 0, so
// the parent falls back to its default processing.
LRESULT CButtonBase::OnReflect(WPARAM, LPARAM lParam)
{
    if (!lParam || !m_hWnd)
        return 0;
    if ((GetWindowLong(GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW)
        return 0;  // check boxes and group boxes never ask to be drawn
    if (reinterpret_cast<HWND>(lParam) == m_hWnd || ::IsWindow(reinterpret_cast<HWND>(lParam)))
        return 0;
    DRAWITEMSTRUCT* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (item->CtlType != ODT_BUTTON || item->hwndItem != m_hWnd)
        return 0;
    DrawFace(item);
    return 0;
}

void CButtonBase::DrawFace(DRAWITEMSTRUCT* item)
{
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    RECT rect = item->rcItem;
    ::FillRect(item->hDC, &rect, disabled ? m_disabledFaceBrush : m_faceBrush);
    ::DrawEdge(item->hDC, &rect, (item->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED,
               BF_RECT);
    if (item->itemState & ODS_FOCUS) {
        ::InflateRect(&rect, -4, -4);  // the caption is centred inside the focus frame
        ::DrawFocusRect(item->hDC, &rect);
    }
    ::SetTextColor(item->hDC, disabled ? m_disabledTextColor : m_textColor);
    ::SetBkMode(item->hDC, TRANSPARENT);
    CString caption = GetWindowText();
    ::DrawTextA(item->hDC, caption.GetString(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CButtonBase::Repaint()
{
    RECT client = GetClientRect();
    InvalidateRect(&client, TRUE);
}

void CButtonBase::SetFaceColor(COLORREF color)
{
    ::DeleteObject(m_faceBrush);
    m_faceColor = color;
    m_faceBrush = ::CreateSolidBrush(color);
    Repaint();
}

void CButtonBase::SetCaptionColor(COLORREF color)
{
    m_textColor = color;
    Repaint();
}

void CButtonBase::SetFaceColors(COLORREF normal, COLORREF disabled)
{
    ::DeleteObject(m_faceBrush);
    ::DeleteObject(m_disabledFaceBrush);
    m_faceColor = normal;
    m_disabledFaceColor = disabled;
    m_faceBrush = ::CreateSolidBrush(normal);
    m_disabledFaceBrush = ::CreateSolidBrush(disabled);
    Repaint();
}

void CButtonBase::SetCaptionColors(COLORREF normal, COLORREF disabled)
{
    m_textColor = normal;
    m_disabledTextColor = disabled;
    Repaint();
}
