#include "framework/core/Window.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible_v<CWindow> && !std::is_copy_assignable_v<CWindowBase>,
              "a copy would destroy the same window twice");

void PrintTo(const CString& text, std::ostream* out)
{
    *out << '"' << text.GetString() << '"';
}

namespace {

struct Msg {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Msg& o) const { return message == o.message && wParam == o.wParam && lParam == o.lParam; }
};

std::ostream& operator<<(std::ostream& out, const Msg& m)
{
    return out << "{0x" << std::hex << m.message << ", 0x" << m.wParam << ", 0x" << m.lParam
               << std::dec << "}";
}

std::vector<UINT> Only(const std::vector<Msg>& log, std::vector<UINT> wanted)
{
    std::vector<UINT> kept;
    for (const Msg& m : log)
        for (UINT w : wanted)
            if (m.message == w)
                kept.push_back(m.message);
    return kept;
}

const LONG_PTR Shared = reinterpret_cast<LONG_PTR>(&CWindowBase::StaticWndProc);

// Records every message that reaches the object, and lets tests look at the binding.
class CProbeWnd : public CWindow {
public:
    std::vector<Msg> log;
    HWND hwndAtCreate = nullptr;
    CWindowBase* boundAtDestroy = nullptr;

    LRESULT WindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) override
    {
        log.push_back({m, wp, lp});
        return CWindow::WindowProc(w, m, wp, lp);
    }
    LRESULT OnCreate(WPARAM wp, LPARAM lp) override
    {
        hwndAtCreate = m_hWnd;
        return CWindow::OnCreate(wp, lp);
    }
    LRESULT OnDestroy(WPARAM wp, LPARAM lp) override
    {
        boundAtDestroy = FromHandle(m_hWnd);
        return CWindow::OnDestroy(wp, lp);
    }
    WNDPROC PrevProc() const { return m_pfnPrevProc; }
    BOOL BoundAsDialog() const { return m_bDialog; }
    LRESULT DefaultFor(UINT m, WPARAM wp, LPARAM lp) { return CWindowBase::WindowProc(m_hWnd, m, wp, lp); }
    void PretendHandleIs(HWND w) { m_hWnd = w; }  // as if the value had been reused
};

class CCommandProbe : public CProbeWnd {
protected:
    LRESULT OnCommand(WPARAM, LPARAM) override { return 11; }
};

class CDerivedCommandProbe : public CCommandProbe {
protected:
    LRESULT OnCommand(WPARAM wp, LPARAM lp) override { return wp == 5 && lp == 6 ? 22 : -1; }
};

class CReflectProbe : public CWindow {
public:
    LRESULT answer = 0;
    std::vector<Msg> reflected;
    LRESULT OnReflect(WPARAM wp, LPARAM lp) override
    {
        reflected.push_back({0, wp, lp});
        return answer;
    }
};

// A window made without an object, as a dialog or another library makes one.
HWND MakeRaw(const char* cls, HWND parent = nullptr, int id = 0, const char* text = "")
{
    return ::CreateWindowExA(0, cls, text, parent ? WS_CHILD : WS_POPUP, 0, 0, 100, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleA(nullptr), nullptr);
}

// A spy installed under our subclass sees what the control's own side gets.
struct SpyState {
    WNDPROC original = nullptr;
    CWindowBase* boundAtNcDestroy = reinterpret_cast<CWindowBase*>(1);
    LONG_PTR procAtNcDestroy = 0;
} g_spy;

LRESULT CALLBACK SpyProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_NCDESTROY) {
        g_spy.boundAtNcDestroy = CWindowBase::FromHandle(w);
        g_spy.procAtNcDestroy = ::GetWindowLongPtrA(w, GWLP_WNDPROC);
    }
    return ::CallWindowProcA(g_spy.original, w, m, wp, lp);
}

}  // namespace

TEST(WindowBinding, CreationParameterBindsAtNcCreateAndDestroyReachesHandlersBeforeUnbinding)
{
    CProbeWnd probe;
    const HWND hwnd = probe.Create("probe", 0, 0, 200, 100, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_FALSE(probe.log.empty());
    EXPECT_EQ(probe.log.front().message, static_cast<UINT>(WM_NCCREATE));  // nothing earlier
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(probe.log.front().lParam);
    EXPECT_EQ(cs->lpCreateParams, &probe);
    const std::vector<UINT> expected{WM_NCCREATE, WM_CREATE};
    EXPECT_EQ(Only(probe.log, {WM_NCCREATE, WM_CREATE, WM_GETMINMAXINFO}), expected);
    EXPECT_EQ(probe.hwndAtCreate, hwnd);
    EXPECT_EQ(CWindowBase::FromHandle(hwnd), &probe);
    EXPECT_EQ(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC), Shared);
    EXPECT_EQ(probe.PrevProc(), nullptr);  // own class: nothing to subclass

    probe.log.clear();
    ASSERT_TRUE(::DestroyWindow(hwnd));
    EXPECT_EQ(probe.boundAtDestroy, &probe);
    EXPECT_EQ(Only(probe.log, {WM_DESTROY, WM_NCDESTROY}), std::vector<UINT>{WM_DESTROY});
    EXPECT_EQ(probe.GetHwnd(), nullptr);
    EXPECT_EQ(CWindowBase::FromHandle(hwnd), nullptr);
}

namespace {

// Dies while it is being made, in one of the ways a window can.
enum class Death { RefusedInCreate, DestroyedInCreate, RefusedInNcCreate, DestroyedInNcCreate };

class CDyingWnd : public CProbeWnd {
public:
    explicit CDyingWnd(Death death) : death(death) {}
    Death death;
    HWND dead = nullptr;

    LRESULT WindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) override
    {
        if (m == WM_NCCREATE) {
            dead = w;
            if (death == Death::RefusedInNcCreate)
                return FALSE;
            if (death == Death::DestroyedInNcCreate)
                return ::DestroyWindow(w);
        }
        return CProbeWnd::WindowProc(w, m, wp, lp);
    }
    LRESULT OnCreate(WPARAM, LPARAM) override
    {
        if (death == Death::DestroyedInCreate)
            ::DestroyWindow(m_hWnd);
        return death == Death::RefusedInCreate ? -1 : 0;
    }
};

}  // namespace

// Nothing may stay bound to the dead handle: a later window given that value would reach
// the dead window's object, or a deleted one.
TEST(WindowBinding, AWindowThatDiesInItsCreationLeavesNothingBound)
{
    for (Death death : {Death::RefusedInCreate, Death::DestroyedInCreate, Death::RefusedInNcCreate,
                        Death::DestroyedInNcCreate}) {
        SCOPED_TRACE(static_cast<int>(death));
        auto dying = std::make_unique<CDyingWnd>(death);
        EXPECT_EQ(dying->Create("dying", 0, 0, 50, 50, nullptr, nullptr), nullptr);
        const HWND dead = dying->dead;
        ASSERT_NE(dead, nullptr);
        EXPECT_FALSE(::IsWindow(dead));
        EXPECT_EQ(dying->GetHwnd(), nullptr);
        EXPECT_EQ(CWindowBase::FromHandle(dead), nullptr);
        dying.reset();  // touches no dead handle
    }
}

TEST(WindowBinding, AttachedEditIsSubclassedAndRestoredOnDestroy)
{
    const HWND edit = MakeRaw("EDIT");
    ASSERT_NE(edit, nullptr);
    g_spy = SpyState();
    g_spy.original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SpyProc)));
    CProbeWnd probe;
    ASSERT_TRUE(probe.Attach(edit));
    EXPECT_EQ(::GetWindowLongPtrA(edit, GWLP_WNDPROC), Shared);
    EXPECT_EQ(probe.PrevProc(), &SpyProc);
    EXPECT_FALSE(probe.BoundAsDialog());

    ::SendMessageA(edit, WM_CHAR, 'x', 1);  // OnChar not overridden
    EXPECT_EQ(probe.GetWindowText(), "x");
    EXPECT_TRUE(probe.SetWindowText("編集中"));
    EXPECT_EQ(probe.GetWindowText(), "編集中");  // the edit's own procedure kept the text
    const std::vector<UINT> seen{WM_CHAR, WM_SETTEXT};
    EXPECT_EQ(Only(probe.log, {WM_SETTEXT, WM_CHAR}), seen);

    ASSERT_TRUE(::DestroyWindow(edit));
    EXPECT_EQ(g_spy.boundAtNcDestroy, nullptr);
    EXPECT_EQ(g_spy.procAtNcDestroy, reinterpret_cast<LONG_PTR>(&SpyProc));
    EXPECT_EQ(Only(probe.log, {WM_DESTROY, WM_NCDESTROY}), std::vector<UINT>{WM_DESTROY});
}

TEST(WindowBinding, SharedProcedureWindowIsBoundWithoutSubclassing)
{
    CProbeWnd owner;  // registers the class
    ASSERT_NE(owner.Create("owner", 0, 0, 50, 50, nullptr, nullptr), nullptr);
    const HWND raw = MakeRaw("CWindow", nullptr, 0, "raw");
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(CWindowBase::FromHandle(raw), nullptr);  // no creation parameter, no object
    CProbeWnd probe;
    ASSERT_TRUE(probe.Attach(raw));
    EXPECT_EQ(probe.PrevProc(), nullptr);
    EXPECT_EQ(::GetWindowLongPtrA(raw, GWLP_WNDPROC), Shared);
    const LPARAM point = MAKELPARAM(10, 10);
    EXPECT_EQ(probe.SendMessage(WM_NCHITTEST, 0, point),
              ::DefWindowProcA(raw, WM_NCHITTEST, 0, point));
    EXPECT_EQ(probe.GetWindowText(), "raw");
}

// Extra bytes at the dialog-procedure offset do not make a window a dialog.
TEST(WindowBinding, ExtraBytesAtDialogOffsetAreNotADialogProcedure)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.cbWndExtra = DWLP_DLGPROC + sizeof(LONG_PTR);
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ExtraBytesProbe";
    ::RegisterClassExA(&wc);
    const HWND w = MakeRaw(wc.lpszClassName);
    ASSERT_NE(w, nullptr);
    ::SetWindowLongPtrA(w, DWLP_DLGPROC, 0x1234);  // e.g. a font handle kept there
    CProbeWnd probe;
    ASSERT_TRUE(probe.Attach(w));
    EXPECT_FALSE(probe.BoundAsDialog());
    EXPECT_EQ(::GetWindowLongPtrA(w, DWLP_DLGPROC), 0x1234);
    EXPECT_EQ(::GetWindowLongPtrA(w, GWLP_WNDPROC), Shared);
    ::DestroyWindow(w);
}

namespace {

// A one-line dialog template, word-aligned, no controls.
struct alignas(4) DialogTemplate {
    DLGTEMPLATE head;
    WORD menu, cls;
    WCHAR title[6];
};
const DialogTemplate g_template = {
    {WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 100, 50}, 0, 0, {L'T', L'i', L't', L'l', L'e', 0}};

HWND MakeDialog(DLGPROC proc, LPARAM param)
{
    return ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), &g_template.head, nullptr, proc, param);
}

HWND g_oldDialogSawProc = nullptr;
INT_PTR CALLBACK OldDialogProc(HWND w, UINT m, WPARAM, LPARAM)
{
    if (m == WM_APP + 1) {
        ::SetWindowLongPtrA(w, DWLP_MSGRESULT, 42);
        return TRUE;
    }
    if (m == WM_NCDESTROY &&
        ::GetWindowLongPtrA(w, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(&OldDialogProc))
        g_oldDialogSawProc = w;
    return FALSE;
}

}  // namespace

TEST(DialogBinding, InitDialogBindsAndUnhandledAnswersZero)
{
    CProbeWnd probe;
    const HWND dlg = MakeDialog(reinterpret_cast<DLGPROC>(&CWindowBase::StaticWndProc),
                                reinterpret_cast<LPARAM>(&probe));
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(probe.GetHwnd(), dlg);
    EXPECT_TRUE(probe.BoundAsDialog());
    EXPECT_EQ(probe.PrevProc(), nullptr);
    ASSERT_FALSE(probe.log.empty());
    EXPECT_EQ(probe.log.front().message, static_cast<UINT>(WM_INITDIALOG));
    char text[16] = {};
    EXPECT_EQ(probe.DefaultFor(WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text)), 0);
    EXPECT_EQ(probe.GetWindowText(), "Title");  // the dialog manager still answers
    ::DestroyWindow(dlg);
    EXPECT_EQ(probe.GetHwnd(), nullptr);
}

TEST(DialogBinding, ReplacedDialogProcedureKeepsAnsweringAndComesBack)
{
    const HWND dlg = MakeDialog(&OldDialogProc, 0);
    ASSERT_NE(dlg, nullptr);
    CProbeWnd probe;
    ASSERT_TRUE(probe.Attach(dlg));
    EXPECT_TRUE(probe.BoundAsDialog());
    EXPECT_EQ(::GetWindowLongPtrA(dlg, DWLP_DLGPROC), Shared);
    EXPECT_EQ(::SendMessageA(dlg, WM_APP + 1, 0, 0), 42);  // its result reached the caller
    EXPECT_EQ(probe.GetWindowText(), "Title");
    g_oldDialogSawProc = nullptr;
    ::DestroyWindow(dlg);
    EXPECT_EQ(g_oldDialogSawProc, dlg);
}

namespace {

std::vector<Msg> g_handled;
#define PROBE_HANDLER(name, msg) \
    LRESULT name(WPARAM wp, LPARAM lp) override { g_handled.push_back({msg, wp, lp}); return msg; }

class CAllHandlers : public CWindow {
public:
    PROBE_HANDLER(OnInitDialog, WM_INITDIALOG)
    PROBE_HANDLER(OnCreate, WM_CREATE)
    PROBE_HANDLER(OnClose, WM_CLOSE)
    PROBE_HANDLER(OnCommand, WM_COMMAND)
    PROBE_HANDLER(OnPaint, WM_PAINT)
    PROBE_HANDLER(OnLButtonDown, WM_LBUTTONDOWN)
    PROBE_HANDLER(OnLButtonUp, WM_LBUTTONUP)
    PROBE_HANDLER(OnRButtonDown, WM_RBUTTONDOWN)
    PROBE_HANDLER(OnRButtonUp, WM_RBUTTONUP)
    PROBE_HANDLER(OnKeyDown, WM_KEYDOWN)
    PROBE_HANDLER(OnKeyUp, WM_KEYUP)
    PROBE_HANDLER(OnChar, WM_CHAR)
    PROBE_HANDLER(OnMouseWheel, WM_MOUSEWHEEL)
    PROBE_HANDLER(OnDropFiles, WM_DROPFILES)
    PROBE_HANDLER(OnCtlColorDlg, WM_CTLCOLORDLG)
    PROBE_HANDLER(OnCtlColorStatic, WM_CTLCOLORSTATIC)
    PROBE_HANDLER(OnNotify, WM_NOTIFY)
    PROBE_HANDLER(OnVScroll, WM_VSCROLL)
    PROBE_HANDLER(OnHScroll, WM_HSCROLL)
    PROBE_HANDLER(OnDrawItem, WM_DRAWITEM)
    PROBE_HANDLER(OnDestroy, WM_DESTROY)
};

}  // namespace

TEST(MessageTable, EveryRowReachesItsOwnHandlerWithRawParameters)
{
    CAllHandlers wnd;
    ASSERT_NE(wnd.Create("all", 0, 0, 50, 50, nullptr, nullptr), nullptr);
    const UINT rows[] = {WM_INITDIALOG, WM_CREATE,      WM_CLOSE,       WM_COMMAND,  WM_PAINT,
                         WM_LBUTTONDOWN, WM_LBUTTONUP,  WM_RBUTTONDOWN, WM_RBUTTONUP,
                         WM_KEYDOWN,    WM_KEYUP,       WM_CHAR,        WM_MOUSEWHEEL,
                         WM_DROPFILES,  WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, WM_NOTIFY,
                         WM_VSCROLL,    WM_HSCROLL,     WM_DRAWITEM};
    std::vector<Msg> expected;
    g_handled.clear();
    for (UINT m : rows) {
        const LPARAM lp = static_cast<LPARAM>(m) + 2;
        EXPECT_EQ(wnd.SendMessage(m, m + 1, lp), static_cast<LRESULT>(m));
        expected.push_back({m, m + 1, lp});
    }
    const HWND hwnd = wnd.GetHwnd();
    ::DestroyWindow(hwnd);
    expected.push_back({WM_DESTROY, 0, 0});
    EXPECT_EQ(g_handled, expected);

    CDerivedCommandProbe derived;  // a row reaches the most derived override
    ASSERT_NE(derived.Create("probe", 0, 0, 50, 50, nullptr, nullptr), nullptr);
    EXPECT_EQ(derived.SendMessage(WM_COMMAND, 5, 6), 22);
}

TEST(MessageTable, HandlersNotOverriddenAnswerAsDefWindowProc)
{
    CWindow wnd("既定", nullptr);
    const HWND hwnd = wnd.Create(0, 0, 100, 50, nullptr);
    ASSERT_NE(hwnd, nullptr);
    const HWND label = MakeRaw("STATIC", hwnd, 9);
    const HDC dc = ::GetDC(label);
    const auto dcw = reinterpret_cast<WPARAM>(dc);
    const auto labell = reinterpret_cast<LPARAM>(label);
    EXPECT_EQ(wnd.SendMessage(WM_CTLCOLORDLG, dcw, labell),
              ::DefWindowProcA(hwnd, WM_CTLCOLORDLG, dcw, labell));
    EXPECT_EQ(wnd.SendMessage(WM_CTLCOLORSTATIC, dcw, labell),  // child without object
              ::DefWindowProcA(hwnd, WM_CTLCOLORSTATIC, dcw, labell));
    EXPECT_NE(wnd.SendMessage(WM_CTLCOLORSTATIC, dcw, labell), 0);
    ::ReleaseDC(label, dc);
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(5, 5)),  // outside the table
              ::DefWindowProcA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(5, 5)));
    EXPECT_EQ(wnd.GetWindowText(), "既定");
    ::InvalidateRect(hwnd, nullptr, FALSE);
    wnd.SendMessage(WM_PAINT, 0, 0);  // DefWindowProcA validates what it was asked to paint
    EXPECT_FALSE(::GetUpdateRect(hwnd, nullptr, FALSE));
    wnd.SendMessage(WM_CLOSE, 0, 0);  // DefWindowProcA destroys the window
    EXPECT_FALSE(::IsWindow(hwnd));
}

class ReflectionTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(parent.Create("parent", 0, 0, 200, 100, nullptr, nullptr), nullptr);
        ASSERT_TRUE(button.Attach(MakeRaw("BUTTON", parent.GetHwnd(), 7)));
        ASSERT_TRUE(label.Attach(MakeRaw("STATIC", parent.GetHwnd(), 8)));
        bare = MakeRaw("STATIC", parent.GetHwnd(), 9);
    }
    LRESULT DrawItem(UINT type, UINT id)
    {
        item = DRAWITEMSTRUCT();
        item.CtlType = type;
        item.CtlID = id;
        return parent.SendMessage(WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
    }
    LRESULT CtlColor(HWND control)
    {
        const HDC dc = ::GetDC(control);
        lastDc = reinterpret_cast<WPARAM>(dc);
        const LPARAM lp = reinterpret_cast<LPARAM>(control);
        const LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, lastDc, lp);
        expectedDefault = ::DefWindowProcA(parent.GetHwnd(), WM_CTLCOLORSTATIC, lastDc, lp);
        ::ReleaseDC(control, dc);
        return brush;
    }
    CProbeWnd parent;
    CReflectProbe button, label;
    HWND bare = nullptr;
    DRAWITEMSTRUCT item = {};
    LRESULT expectedDefault = 0;
    WPARAM lastDc = 0;
};

TEST_F(ReflectionTest, DrawItemGoesToTheChildObjectButNotAMenus)
{
    button.answer = TRUE;
    EXPECT_EQ(DrawItem(ODT_BUTTON, 7), TRUE);
    const std::vector<Msg> expected{{0, 7, reinterpret_cast<LPARAM>(&item)}};
    EXPECT_EQ(button.reflected, expected);
    EXPECT_EQ(DrawItem(ODT_STATIC, 9), 0);  // no object
    EXPECT_EQ(DrawItem(ODT_BUTTON, 99), 0);  // no child
    EXPECT_EQ(button.reflected.size() + label.reflected.size(), 1u);

    CReflectProbe zero;  // a menu's record is not taken for the child with id 0
    ASSERT_TRUE(zero.Attach(MakeRaw("BUTTON", parent.GetHwnd(), 0)));
    zero.answer = TRUE;
    EXPECT_EQ(DrawItem(ODT_MENU, 0), 0);
    EXPECT_TRUE(zero.reflected.empty());
}

TEST_F(ReflectionTest, CtlColorStaticUsesTheChildsBrushOrFallsBack)
{
    label.answer = reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(CtlColor(label.GetHwnd()), label.answer);
    const std::vector<Msg> expected{{0, lastDc, reinterpret_cast<LPARAM>(label.GetHwnd())}};
    EXPECT_EQ(label.reflected, expected);
    label.answer = 0;
    EXPECT_EQ(CtlColor(label.GetHwnd()), expectedDefault);
    EXPECT_NE(expectedDefault, 0);
    EXPECT_EQ(CtlColor(bare), expectedDefault);
}

TEST_F(ReflectionTest, ChildAndParentObjectsAreFoundByBinding)
{
    EXPECT_EQ(parent.GetChildObject(7), &button);
    EXPECT_EQ(parent.GetChildObject(9), nullptr);   // child without object
    EXPECT_EQ(parent.GetChildObject(123), nullptr);  // no such child
    EXPECT_EQ(button.GetParentObject(), &parent);
    EXPECT_EQ(parent.GetParentObject(), nullptr);
    EXPECT_TRUE(button.IsChild(parent.GetHwnd()));
    EXPECT_FALSE(parent.IsChild(button.GetHwnd()));
}

namespace {

class CRegisterProbe : public CWindow {
public:
    std::vector<BOOL> results;
    BOOL RegisterClass() override
    {
        results.push_back(CWindow::RegisterClass());
        return results.back();
    }
};

}  // namespace

TEST(WindowClass, RegisteredOnceAndBothWindowsWork)
{
    ::UnregisterClassA("CWindow", ::GetModuleHandleA(nullptr));
    CRegisterProbe a;
    CRegisterProbe b;
    const HWND first = a.Create("a", 0, 0, 50, 50, nullptr, nullptr);
    const HWND second = b.Create(0, 0, 50, 50, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(a.results, std::vector<BOOL>{TRUE});
    EXPECT_EQ(b.results, std::vector<BOOL>{FALSE});
    EXPECT_EQ(CWindowBase::FromHandle(second), &b);
    EXPECT_EQ(b.GetWindowText(), "");  // empty title (no name given to the constructor)
    EXPECT_EQ(b.GetWindowTextLength(), 0);

    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(::GetClassInfoExA(::GetModuleHandleA(nullptr), "CWindow", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    EXPECT_EQ(wc.hCursor, ::LoadCursorA(nullptr, IDC_ARROW));

    const HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    a.SetClassBrush(black);  // the whole handle, also on 64-bit builds
    EXPECT_EQ(::GetClassLongPtrA(second, GCLP_HBRBACKGROUND), reinterpret_cast<LONG_PTR>(black));
    a.SetClassBrush(reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
}

TEST(WindowText, LongJapaneseTitleComesBackWhole)
{
    CString title;
    for (int i = 0; i < 40; ++i)
        title += "表示";  // 160 bytes, beyond the string's first buffer
    CWindow wnd(title.GetString(), nullptr);
    ASSERT_NE(wnd.Create(0, 0, 50, 50, nullptr), nullptr);
    EXPECT_EQ(wnd.GetWindowText(), title);
}

TEST(WindowLifetime, DestructorDestroysOnlyTheWindowItIsBoundTo)
{
    auto first = std::make_unique<CProbeWnd>();
    const HWND gone = first->Create("first", 0, 0, 50, 50, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    ASSERT_TRUE(::DestroyWindow(gone));
    EXPECT_EQ(first->GetHwnd(), nullptr);

    CProbeWnd second;
    const HWND alive = second.Create("second", 0, 0, 50, 50, nullptr, nullptr);
    ASSERT_NE(alive, nullptr);
    first->PretendHandleIs(alive);  // the stale value now names the new window
    first.reset();
    EXPECT_TRUE(::IsWindow(alive));
    EXPECT_EQ(CWindowBase::FromHandle(alive), &second);

    auto third = std::make_unique<CProbeWnd>();
    const HWND owned = third->Create("third", 0, 0, 50, 50, nullptr, nullptr);
    ASSERT_NE(owned, nullptr);
    third.reset();
    EXPECT_FALSE(::IsWindow(owned));
}

// The shared procedure must deliver exactly where the binding points, through every
// change of binding, and to nobody once the binding is gone.
TEST(WindowBinding, MessagesFollowTheBindingThroughRebindAndDetach)
{
    CProbeWnd first;
    const HWND hwnd = first.Create("first", 0, 0, 50, 50, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    CProbeWnd second;
    EXPECT_FALSE(second.Attach(nullptr));  // null and unbound are refused
    EXPECT_FALSE(second.Detach());
    EXPECT_EQ(second.GetHwnd(), nullptr);
    auto sent = [](CProbeWnd& probe, HWND to) {
        probe.log.clear();
        ::SendMessageA(to, WM_USER + 7, 1, 2);
        return Only(probe.log, {WM_USER + 7}).size();
    };

    ASSERT_TRUE(second.Attach(hwnd));
    EXPECT_EQ(CWindowBase::FromHandle(hwnd), &second);
    EXPECT_EQ(sent(second, hwnd), 1u);
    EXPECT_EQ(sent(first, hwnd), 0u);

    ASSERT_TRUE(second.Detach());
    EXPECT_EQ(CWindowBase::FromHandle(hwnd), nullptr);
    EXPECT_EQ(sent(second, hwnd), 0u);
    EXPECT_EQ(sent(first, hwnd), 0u);

    ASSERT_TRUE(first.Attach(hwnd));
    EXPECT_EQ(sent(first, hwnd), 1u);
    EXPECT_EQ(sent(second, hwnd), 0u);
    ASSERT_TRUE(::DestroyWindow(hwnd));
    EXPECT_EQ(first.GetHwnd(), nullptr);

    // A new window, whatever its handle value, starts unbound.
    const HWND raw = MakeRaw("CWindow", nullptr, 0, "raw");
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(sent(first, raw), 0u);
    EXPECT_EQ(CWindowBase::FromHandle(raw), nullptr);
    ::DestroyWindow(raw);
}
