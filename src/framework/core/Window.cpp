#include "framework/core/Window.h"

namespace {

struct MessageEntry {
    UINT message;
    LRESULT (CWindow::*handler)(WPARAM wParam, LPARAM lParam);
};

// Member pointers to virtual functions, so each row reaches the most-derived override.
const MessageEntry MessageTable[] = {
    {WM_INITDIALOG, &CWindow::OnInitDialog},
    {WM_CREATE, &CWindow::OnCreate},
    {WM_CLOSE, &CWindow::OnClose},
    {WM_DESTROY, &CWindow::OnDestroy},
    {WM_COMMAND, &CWindow::OnCommand},
    {WM_PAINT, &CWindow::OnPaint},
    {WM_LBUTTONDOWN, &CWindow::OnLButtonDown},
    {WM_LBUTTONUP, &CWindow::OnLButtonUp},
    {WM_RBUTTONDOWN, &CWindow::OnRButtonDown},
    {WM_RBUTTONUP, &CWindow::OnRButtonUp},
    {WM_KEYDOWN, &CWindow::OnKeyDown},
    {WM_KEYUP, &CWindow::OnKeyUp},
    {WM_CHAR, &CWindow::OnChar},
    {WM_MOUSEWHEEL, &CWindow::OnMouseWheel},
    {WM_DROPFILES, &CWindow::OnDropFiles},
    {WM_CTLCOLORDLG, &CWindow::OnCtlColorDlg},
    {WM_CTLCOLORSTATIC, &CWindow::OnCtlColorStatic},
    {WM_NOTIFY, &CWindow::OnNotify},
    {WM_VSCROLL, &CWindow::OnVScroll},
    {WM_HSCROLL, &CWindow::OnHScroll},
    {WM_DRAWITEM, &CWindow::OnDrawItem},
};

// IDI_APPLICATION's number, looked up among this module's own icons.
const int DefaultIconId = 32512;

// The binding may also name a bare CWindowBase (the folder dialog); only a CWindow has
// handlers to reflect to.
CWindow* WindowObjectOf(HWND window)
{
    CWindowBase* object = CWindowBase::FromHandle(window);
    if (object == nullptr || !object->IsKindOf(RUNTIME_CLASS(CWindow)))
        return nullptr;
    return static_cast<CWindow*>(object);
}

}  // namespace

IMPLEMENT_RUNTIME_CLASS(CWindow, CWindowBase)

CWindow::CWindow(const char* windowName, HMENU menuOrId) : CWindowBase(windowName, menuOrId)
{
}

CWindow::~CWindow()
{
}

LRESULT CWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const MessageEntry& entry : MessageTable) {
        if (entry.message == message)
            return (this->*entry.handler)(wParam, lParam);
    }
    return CWindowBase::WindowProc(window, message, wParam, lParam);
}

LRESULT CWindow::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CWindowBase::WindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWindow::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_INITDIALOG, wParam, lParam);
}

LRESULT CWindow::OnCreate(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_CREATE, wParam, lParam);
}

LRESULT CWindow::OnClose(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_CLOSE, wParam, lParam);
}

LRESULT CWindow::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_DESTROY, wParam, lParam);
}

LRESULT CWindow::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_COMMAND, wParam, lParam);
}

LRESULT CWindow::OnPaint(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_PAINT, wParam, lParam);
}

LRESULT CWindow::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CWindow::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_LBUTTONUP, wParam, lParam);
}

LRESULT CWindow::OnRButtonDown(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_RBUTTONDOWN, wParam, lParam);
}

LRESULT CWindow::OnRButtonUp(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_RBUTTONUP, wParam, lParam);
}

LRESULT CWindow::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_KEYDOWN, wParam, lParam);
}

LRESULT CWindow::OnKeyUp(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_KEYUP, wParam, lParam);
}

LRESULT CWindow::OnChar(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_CHAR, wParam, lParam);
}

LRESULT CWindow::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_MOUSEWHEEL, wParam, lParam);
}

LRESULT CWindow::OnDropFiles(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_DROPFILES, wParam, lParam);
}

LRESULT CWindow::OnCtlColorDlg(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_CTLCOLORDLG, wParam, lParam);
}

// The static's own object may choose its colours; a zero answer means "no brush".
LRESULT CWindow::OnCtlColorStatic(WPARAM wParam, LPARAM lParam)
{
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr) {
        if (CWindow* child = GetChildObject(::GetWindowLongA(control, GWL_ID))) {
            if (const LRESULT brush = child->OnReflect(wParam, lParam))
                return brush;
        }
    }
    return Default(WM_CTLCOLORSTATIC, wParam, lParam);
}

LRESULT CWindow::OnNotify(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_NOTIFY, wParam, lParam);
}

LRESULT CWindow::OnVScroll(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_VSCROLL, wParam, lParam);
}

LRESULT CWindow::OnHScroll(WPARAM wParam, LPARAM lParam)
{
    return Default(WM_HSCROLL, wParam, lParam);
}

// Owner-drawn controls paint themselves. A menu item's request has no control id (CtlID
// is unused), so it must not reach whichever child happens to have id 0.
LRESULT CWindow::OnDrawItem(WPARAM wParam, LPARAM lParam)
{
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item == nullptr || item->CtlType == ODT_MENU)
        return 0;
    CWindow* child = GetChildObject(static_cast<int>(item->CtlID));
    return child ? child->OnReflect(wParam, lParam) : 0;
}

LRESULT CWindow::OnReflect(WPARAM, LPARAM)
{
    return 0;
}

// The object is bound at WM_NCCREATE inside CreateWindowExA, so OnCreate already runs
// on a bound object.
HWND CWindow::Create(const char* windowName, int x, int y, int width, int height, HWND parent,
                     HMENU menuOrId)
{
    RegisterClass();  // fails harmlessly once the class exists
    const HWND window = CreateWindowEx(GetExStyle(), GetClassName(), windowName, GetStyle(), x, y,
                                       width, height, parent, menuOrId, ::GetModuleHandleA(nullptr), this);
    // Destroyed by its own WM_NCCREATE, a window is not reported as failed under Wine: the
    // call returns a value that names no window.
    return ::IsWindow(window) ? window : nullptr;
}

HWND CWindow::Create(int x, int y, int width, int height, HWND parent)
{
    return Create(m_pszWindowName, x, y, width, height, parent, m_hMenu);
}

DWORD CWindow::GetExStyle()
{
    return 0;
}

DWORD CWindow::GetStyle()
{
    return WS_OVERLAPPEDWINDOW;
}

LONG CWindow::GetWindowExStyle()
{
    return GetWindowLong(GWL_EXSTYLE);
}

LONG CWindow::GetWindowStyle()
{
    return GetWindowLong(GWL_STYLE);
}

const char* CWindow::GetClassName()
{
    return "CWindow";
}

LONG CWindow::SetWindowExStyle(LONG exStyle)
{
    return SetWindowLong(GWL_EXSTYLE, exStyle);
}

DWORD CWindow::SetClassBrush(HBRUSH brush)
{
    return SetClassLong(GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush));
}

DWORD CWindow::SetClassCursor(HCURSOR cursor)
{
    return SetClassLong(GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

DWORD CWindow::SetClassIcon(HICON icon)
{
    return SetClassLong(GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

CWindow* CWindow::GetParentObject()
{
    return WindowObjectOf(GetParent());
}

CWindow* CWindow::GetChildObject(int childId)
{
    return WindowObjectOf(GetDlgItem(childId));
}

// Both icons come from this module's resources; with no icon of that id the field stays
// null and the system falls back to its default (or scales the large icon).
BOOL CWindow::RegisterClass()
{
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &CWindowBase::StaticWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(GetIconId()));
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = GetClassName();
    wc.hIconSm = ::LoadIconA(instance, MAKEINTRESOURCEA(DefaultIconId));
    return ::RegisterClassExA(&wc) != 0 ? TRUE : FALSE;
}

int CWindow::GetIconId()
{
    return DefaultIconId;
}
