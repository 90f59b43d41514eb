#include "framework/core/WindowBase.h"

#include <shellapi.h>

#include <cstdlib>

const char CWindowBase::BindingProperty[] = "CPP_CLASS";

namespace {

// Every message looks up its window's object, and GetPropA is a round trip to the
// window server under Wine (tens of microseconds; a folder listing sends several
// messages per row). The property stays the binding that anyone can read; this table
// mirrors it for the shared procedure, and only Attach and Detach change either.
// Plain data, so it outlives static destruction; one thread uses it, so no lock.
struct Binding {
    HWND window;
    CWindowBase* object;
};

Binding* g_bindings = nullptr;
int g_bindingCount = 0;
int g_bindingCapacity = 0;

Binding* FindBinding(HWND window)
{
    for (int i = 0; i < g_bindingCount; ++i)
        if (g_bindings[i].window == window)
            return &g_bindings[i];
    return nullptr;
}

// Without room the window is simply not in the table: lookups fall back to the property.
void AddBinding(HWND window, CWindowBase* object)
{
    if (Binding* binding = FindBinding(window)) {
        binding->object = object;
        return;
    }
    if (g_bindingCount == g_bindingCapacity) {
        const int capacity = g_bindingCapacity ? g_bindingCapacity * 2 : 16;
        void* grown = std::realloc(g_bindings, sizeof(Binding) * capacity);
        if (grown == nullptr)
            return;
        g_bindings = static_cast<Binding*>(grown);
        g_bindingCapacity = capacity;
    }
    g_bindings[g_bindingCount++] = Binding{window, object};
}

void RemoveBinding(HWND window)
{
    if (Binding* binding = FindBinding(window))
        *binding = g_bindings[--g_bindingCount];
}

// DWLP_DLGPROC is only the dialog procedure on windows the dialog manager owns; on any
// other window it is an offset into the class's extra bytes (a 32-bit button keeps its
// font there), so a class too small for the dialog data is never taken for a dialog.
bool IsDialogWindow(HWND window)
{
    if (::GetClassLongPtrA(window, GCL_CBWNDEXTRA) < DLGWINDOWEXTRA)
        return false;
    return ::GetWindowLongPtrA(window, DWLP_DLGPROC) != 0;
}

int ProcedureSlot(BOOL dialog)
{
    return dialog ? DWLP_DLGPROC : GWLP_WNDPROC;
}

}  // namespace

IMPLEMENT_RUNTIME_CLASS(CWindowBase, CObject)

CWindowBase* CWindowBase::FromHandle(HWND window)
{
    if (window == nullptr)
        return nullptr;
    if (const Binding* binding = FindBinding(window))
        return binding->object;
    return static_cast<CWindowBase*>(::GetPropA(window, BindingProperty));
}

CWindowBase::CWindowBase(const char* windowName, HMENU menuOrId)
    : m_hWnd(nullptr),
      m_pfnPrevProc(nullptr),
      m_bDialog(FALSE),
      m_ps(),
      m_pszWindowName(windowName),
      m_hMenu(menuOrId)
{
}

// A handle outlives nothing: once its window is gone the value may name an unrelated
// window, so only a window that still carries this object's binding is destroyed.
CWindowBase::~CWindowBase()
{
    if (m_hWnd != nullptr && FromHandle(m_hWnd) == this)
        CWindowBase::DestroyWindow();
}

BOOL CWindowBase::Attach(HWND window)
{
    if (window == nullptr)
        return FALSE;
    // A stale previous procedure of another window must not be called on this one.
    if (window != m_hWnd)
        m_pfnPrevProc = nullptr;
    m_hWnd = window;
    m_bDialog = IsDialogWindow(window) ? TRUE : FALSE;
    if (::SetPropA(window, BindingProperty, this))
        AddBinding(window, this);

    const int slot = ProcedureSlot(m_bDialog);
    const LONG_PTR shared = reinterpret_cast<LONG_PTR>(&CWindowBase::StaticWndProc);
    if (::GetWindowLongPtrA(window, slot) != shared) {
        const LONG_PTR previous = ::SetWindowLongPtrA(window, slot, shared);
        m_pfnPrevProc = reinterpret_cast<WNDPROC>(previous);
    }
    return TRUE;
}

// Clears the handle too: after this the object no longer speaks for that window.
BOOL CWindowBase::Detach()
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (m_pfnPrevProc != nullptr)
        ::SetWindowLongPtrA(m_hWnd, ProcedureSlot(m_bDialog),
                            reinterpret_cast<LONG_PTR>(m_pfnPrevProc));
    ::RemovePropA(m_hWnd, BindingProperty);
    RemoveBinding(m_hWnd);
    m_hWnd = nullptr;
    m_pfnPrevProc = nullptr;
    return TRUE;
}

LRESULT CALLBACK CWindowBase::StaticWndProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam)
{
    CWindowBase* object = FromHandle(window);
    if (object == nullptr) {
        if (message == WM_NCCREATE || message == WM_CREATE)
            object = static_cast<CWindowBase*>(
                reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        else if (message == WM_INITDIALOG)
            object = reinterpret_cast<CWindowBase*>(lParam);
        if (object != nullptr)
            object->Attach(window);
    }
    if (object == nullptr)
        return IsDialogWindow(window) ? 0 : ::DefWindowProcA(window, message, wParam, lParam);

    const LRESULT result = object->WindowProc(window, message, wParam, lParam);
    // Unbound after the handlers saw WM_DESTROY. A window whose creation failed at
    // WM_NCCREATE gets no WM_DESTROY, only WM_NCDESTROY, so that ends the binding too.
    if (message == WM_DESTROY || message == WM_NCDESTROY)
        object->Detach();
    return result;
}

// Default processing. A replaced dialog procedure answers "handled or not" and
// CallWindowProcA passes that answer on unchanged; it also unwraps the handle that a
// Unicode procedure (the shell's folder browser) reads as through the A functions.
LRESULT CWindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnPrevProc != nullptr)
        return ::CallWindowProcA(m_pfnPrevProc, window, message, wParam, lParam);
    if (m_bDialog)
        return 0;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HDC CWindowBase::BeginPaint()
{
    return ::BeginPaint(m_hWnd, &m_ps);
}

BOOL CWindowBase::CloseWindow()
{
    return ::CloseWindow(m_hWnd);
}

HWND CWindowBase::CreateWindowEx(DWORD exStyle, const char* className, const char* windowName,
                                 DWORD style, int x, int y, int width, int height, HWND parent,
                                 HMENU menu, HINSTANCE instance, void* param)
{
    return ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent,
                             menu, instance, param);
}

BOOL CWindowBase::DestroyWindow()
{
    return ::DestroyWindow(m_hWnd);
}

void CWindowBase::DragAcceptFiles(BOOL accept)
{
    ::DragAcceptFiles(m_hWnd, accept);
}

BOOL CWindowBase::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWindowBase::EndPaint()
{
    return ::EndPaint(m_hWnd, &m_ps);
}

// The pointer-sized call, so a handle-valued index reads whole on 64-bit builds.
DWORD CWindowBase::GetClassLong(int index)
{
    return static_cast<DWORD>(::GetClassLongPtrA(m_hWnd, index));
}

HWND CWindowBase::GetParent()
{
    return ::GetParent(m_hWnd);
}

LONG CWindowBase::GetWindowLong(int index)
{
    return ::GetWindowLongA(m_hWnd, index);
}

RECT CWindowBase::GetWindowRect()
{
    RECT rect = {0, 0, 0, 0};
    if (!::GetWindowRect(m_hWnd, &rect))
        rect = RECT{0, 0, 0, 0};
    return rect;
}

RECT CWindowBase::GetClientRect()
{
    RECT rect = {0, 0, 0, 0};
    if (!::GetClientRect(m_hWnd, &rect))
        rect = RECT{0, 0, 0, 0};
    return rect;
}

int CWindowBase::GetWindowText(char* buffer, int maxCount)
{
    return ::GetWindowTextA(m_hWnd, buffer, maxCount);
}

CString CWindowBase::GetWindowText()
{
    CString text;
    const int length = GetWindowTextLength();
    char* buffer = text.GetBuffer(length + 1);
    if (buffer != nullptr)
        ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.FreeExtra();
    return text;
}

int CWindowBase::GetWindowTextLength()
{
    return ::GetWindowTextLengthA(m_hWnd);
}

BOOL CWindowBase::InvalidateRect(const RECT* rect, BOOL erase)
{
    return ::InvalidateRect(m_hWnd, rect, erase);
}

BOOL CWindowBase::InvalidateRgn(HRGN region, BOOL erase)
{
    return ::InvalidateRgn(m_hWnd, region, erase);
}

BOOL CWindowBase::IsChild(HWND parent)
{
    return ::IsChild(parent, m_hWnd);
}

BOOL CWindowBase::IsIconic()
{
    return ::IsIconic(m_hWnd);
}

BOOL CWindowBase::IsWindow()
{
    return ::IsWindow(m_hWnd);
}

BOOL CWindowBase::IsWindowUnicode()
{
    return ::IsWindowUnicode(m_hWnd);
}

BOOL CWindowBase::IsWindowVisible()
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWindowBase::IsZoomed()
{
    return ::IsZoomed(m_hWnd);
}

BOOL CWindowBase::IsForegroundWindow()
{
    return m_hWnd == ::GetForegroundWindow() ? 1 : 0;
}

BOOL CWindowBase::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

BOOL CWindowBase::OpenIcon()
{
    return ::OpenIcon(m_hWnd);
}

BOOL CWindowBase::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

HWND CWindowBase::SetActiveWindow()
{
    return ::SetActiveWindow(m_hWnd);
}

// Handles (brush, cursor, icon) are pointer-sized: the window gets the whole value, the
// DWORD result is only informational on 64-bit builds.
DWORD CWindowBase::SetClassLong(int index, LONG_PTR value)
{
    return static_cast<DWORD>(::SetClassLongPtrA(m_hWnd, index, value));
}

BOOL CWindowBase::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

HWND CWindowBase::SetParent(HWND newParent)
{
    return ::SetParent(m_hWnd, newParent);
}

LRESULT CWindowBase::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWindowBase::SetMenu(HMENU menu)
{
    return ::SetMenu(m_hWnd, menu);
}

LONG CWindowBase::SetWindowLong(int index, LONG value)
{
    return ::SetWindowLongA(m_hWnd, index, value);
}

BOOL CWindowBase::SetWindowText(const char* text)
{
    return ::SetWindowTextA(m_hWnd, text);
}

BOOL CWindowBase::ShowWindow(int showCommand)
{
    return ::ShowWindow(m_hWnd, showCommand);
}

HWND CWindowBase::GetDlgItem(int id)
{
    return ::GetDlgItem(m_hWnd, id);
}
