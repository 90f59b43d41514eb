#include "framework/controls/ControlWindow.h"

#include <cstdio>

IMPLEMENT_RUNTIME_CLASS(CControlWindow, CWindow)

CControlWindow::CControlWindow() : CWindow(nullptr, nullptr), m_hFont(nullptr) {}

CControlWindow::CControlWindow(const char* windowText, UINT id)
    : CWindow(windowText, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))), m_hFont(nullptr)
{
}

CControlWindow::~CControlWindow()
{
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

// The system class's procedure saw the creation messages; bind only now, by subclassing.
HWND CControlWindow::Create(const char* windowName, int x, int y, int width, int height,
                            HWND parent, HMENU menuOrId)
{
    HWND window = CWindow::Create(windowName, x, y, width, height, parent, menuOrId);
    Attach(window);  // refuses a null handle
    return window;
}

// The trace line marks a control made by this short form. "-3" is neither a count nor an
// error code, only the fixed end of that line's text; whatever reads the trace matches
// the whole line ("SysListView32::Create -3" for a list), so it stays byte for byte.
HWND CControlWindow::Create(int x, int y, int width, int height, HWND parent)
{
    std::printf("%s::Create -3\n", GetClassName());
    std::fflush(stdout);  // a windowed process may end without flushing
    return Create(m_pszWindowName, x, y, width, height, parent, m_hMenu);
}

// System classes are registered by the system or the control library.
BOOL CControlWindow::RegisterClass()
{
    return FALSE;
}

// The new font is in place before the old one goes, so the control never holds a
// deleted handle; setting the held handle again must not delete it.
LRESULT CControlWindow::SetFont(HFONT font)
{
    HFONT previous = m_hFont;
    m_hFont = font;
    LRESULT result = SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (previous && previous != font)
        ::DeleteObject(previous);
    return result;
}

HWND CControlWindow::CreateControl(const char* text, int x, int y, int width, int height,
                                   HWND parent, UINT id)
{
    return Create(text, x, y, width, height, parent,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}
