#include "common/PathPaste.h"
#include "framework/controls/Button.h"
#include "framework/controls/InputBox.h"
#include "framework/controls/ListView.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/VScrollBar.h"

#include "support/ModalDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// A hidden parent that records the commands its children send.
class CProbeParent : public CWindow {
public:
    std::vector<std::pair<UINT, UINT>> commands;  // (id, notify code)
protected:
    LRESULT OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
};

class ParentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(parent.Create("controls", 0, 0, 640, 480, nullptr, nullptr), nullptr);
    }
    HWND Parent() { return parent.GetHwnd(); }

    CProbeParent parent;
};

// A memory bitmap to paint controls into, so no window has to be shown.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height)
    {
        HDC screen = ::GetDC(nullptr);
        m_dc = ::CreateCompatibleDC(screen);
        m_bitmap = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc, m_bitmap);
        RECT all = {0, 0, width, height};
        ::FillRect(m_dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    int Count(COLORREF color, int top = 0, int bottom = -1) const
    {
        int count = 0;
        for (int y = top; y < (bottom < 0 ? m_height : bottom); ++y)
            for (int x = 0; x < m_width; ++x)
                count += At(x, y) == color;
        return count;
    }

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

std::string ClassOf(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

HFONT MakeFont(int height)
{
    return ::CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                         NONANTIALIASED_QUALITY, 0, "Arial");
}

}  // namespace

class CCountingInputBox : public CInputBox {
public:
    int creates = 0;
    int chars = 0;
protected:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam) override
    {
        ++creates;
        return CInputBox::OnCreate(wParam, lParam);
    }
    LRESULT OnChar(WPARAM wParam, LPARAM lParam) override
    {
        ++chars;
        return CInputBox::OnChar(wParam, lParam);
    }
};

using ControlWindowTest = ParentTest;

TEST_F(ControlWindowTest, CreatedControlIsSubclassedAndNeverSeesOnCreate)
{
    CCountingInputBox box;
    HWND edit = box.CreateControl("", 8, 40, 552, 24, Parent(), 110);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(box.GetHwnd(), edit);
    EXPECT_EQ(::GetDlgCtrlID(edit), 110);
    EXPECT_EQ(CWindowBase::FromHandle(edit), &box);
    EXPECT_EQ(::GetWindowLongPtrA(edit, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&CWindowBase::StaticWndProc));

    ::SendMessageA(edit, WM_CHAR, 'a', 1);
    ::SendMessageA(edit, WM_CHAR, 'b', 1);

    EXPECT_EQ(box.creates, 0);  // the system's procedure had the creation messages
    EXPECT_EQ(box.chars, 2);
    EXPECT_STREQ(box.GetWindowText().GetString(), "ab");  // and still edits behind us

    CInputBox orphan;
    EXPECT_EQ(orphan.CreateControl("", 0, 0, 10, 10, nullptr, 5), nullptr);  // a child needs a parent
    EXPECT_EQ(orphan.GetHwnd(), nullptr);  // failed creation leaves the object unbound
}

TEST_F(ControlWindowTest, ShortCreateWritesOneTraceLineThenCreates)
{
    CListView list;
    testing::internal::CaptureStdout();
    HWND window = list.Create(0, 0, 200, 100, Parent());
    std::string out = testing::internal::GetCapturedStdout();
    out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());

    EXPECT_EQ(out, "SysListView32::Create -3\n");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClassOf(window), "SysListView32");
    EXPECT_EQ(CWindowBase::FromHandle(window), &list);
}

TEST_F(ControlWindowTest, SecondFontDeletesTheFirstOnceTheSameOneAgainNothingAndDestructionTheLast)
{
    HFONT first = MakeFont(16);
    HFONT second = MakeFont(12);
    std::vector<HFONT> bystanders;
    {
        CInputBox box;
        ASSERT_NE(box.CreateControl("", 0, 0, 100, 24, Parent(), 1), nullptr);
        box.SetFont(first);
        EXPECT_EQ(::GetObjectType(first), static_cast<DWORD>(OBJ_FONT));
        box.SetFont(second);
        EXPECT_EQ(::GetObjectType(first), 0u);
        EXPECT_EQ(::GetObjectType(second), static_cast<DWORD>(OBJ_FONT));
        EXPECT_EQ(reinterpret_cast<HFONT>(box.SendMessage(WM_GETFONT, 0, 0)), second);
        // New fonts may reuse the freed handle; a second delete would take one of them.
        for (int i = 0; i < 8; ++i)
            bystanders.push_back(MakeFont(10 + i));
    }
    EXPECT_EQ(::GetObjectType(second), 0u);
    for (HFONT font : bystanders) {
        EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
        ::DeleteObject(font);
    }

    HFONT font = MakeFont(16);  // the held font set again is kept
    {
        CInputBox box;
        ASSERT_NE(box.CreateControl("", 0, 0, 100, 24, Parent(), 1), nullptr);
        box.SetFont(font);
        box.SetFont(font);
        EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(::GetObjectType(font), 0u);
}

TEST(ControlClasses, RuntimeRecordsFollowTheClassTree)
{
    CVScrollBar bar(1);
    CListView list;
    CToolBar toolbar;
    CInputBox box;
    CCheckBox check;
    EXPECT_TRUE(bar.IsKindOf(RUNTIME_CLASS(CScrollBar)));
    EXPECT_TRUE(bar.IsKindOf(RUNTIME_CLASS(CControlWindow)));
    EXPECT_TRUE(list.IsKindOf(RUNTIME_CLASS(CCommCtrl)));
    EXPECT_TRUE(toolbar.IsKindOf(RUNTIME_CLASS(CCommCtrl)));
    EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(CEditBase)));
    EXPECT_TRUE(check.IsKindOf(RUNTIME_CLASS(CButtonBase)));
    EXPECT_FALSE(check.IsKindOf(RUNTIME_CLASS(CButton)));
    EXPECT_FALSE(box.IsKindOf(RUNTIME_CLASS(CCommCtrl)));
    EXPECT_EQ(RUNTIME_CLASS(CControlWindow)->m_pBaseClass, RUNTIME_CLASS(CWindow));
}

class ListViewTest : public ParentTest {
protected:
    void SetUp() override
    {
        ParentTest::SetUp();
        ASSERT_NE(list.CreateControl("", 8, 72, 608, 300, Parent(), 130), nullptr);
    }
    void AddRows(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(list.InsertItem(i, nullptr), i);
    }

    CListView list;
};

TEST_F(ListViewTest, ReportViewKeepsColumnsAndNullTextRowsStayEmptyUntilSet)
{
    EXPECT_EQ(list.GetWindowStyle() & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(list.InsertColumn(0, 512, "名前"), 0);
    EXPECT_EQ(list.InsertColumn(1, 80, "種類"), 1);

    EXPECT_EQ(list.SendMessage(LVM_GETCOLUMNWIDTH, 0, 0), 512);
    EXPECT_EQ(list.SendMessage(LVM_GETCOLUMNWIDTH, 1, 0), 80);
    char text[32] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_SUBITEM;
    column.pszText = text;
    column.cchTextMax = sizeof(text);
    ASSERT_TRUE(list.SendMessage(LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(text, "種類");
    EXPECT_EQ(column.iSubItem, 1);

    AddRows(2);  // rows inserted without text stay empty until their cells are set
    EXPECT_EQ(list.InsertItem(9, nullptr), 2);  // past the end lands at the end
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_TRUE(list.GetItemText(0, 0).IsEmpty());

    EXPECT_TRUE(list.SetItemText(0, 0, "readme.txt"));
    EXPECT_TRUE(list.SetItemText(0, 1, CString("ファイル")));
    EXPECT_TRUE(list.SetItemText(1, 0, "docs"));

    EXPECT_STREQ(list.GetItemText(0, 0).GetString(), "readme.txt");
    EXPECT_STREQ(list.GetItemText(0, 1).GetString(), "ファイル");
    EXPECT_TRUE(list.GetItemText(1, 1).IsEmpty());  // kind never set
    EXPECT_TRUE(list.GetItemText(7, 0).IsEmpty());  // no such row
}

TEST_F(ListViewTest, LongNameReadsBackAsItsFirst259BytesNeverCutInsideACharacter)
{
    list.InsertColumn(0, 512, "名前");
    AddRows(1);
    std::string name;
    for (int i = 0; i < 300; ++i)
        name += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(list.SetItemText(0, 0, name.c_str()));

    CString read = list.GetItemText(0, 0);
    EXPECT_EQ(read.GetLength(), 259);
    EXPECT_EQ(std::string(read.GetString()), name.substr(0, 259));

    char wide[400] = "";
    EXPECT_EQ(list.GetItemText(0, 0, wide, sizeof(wide)), 300);  // the control kept it all

    std::string japanese;  // never cut inside a character
    for (int i = 0; i < 150; ++i)
        japanese += "表";  // two bytes each, the second one 0x5C
    ASSERT_TRUE(list.SetItemText(0, 0, japanese.c_str()));
    read = list.GetItemText(0, 0);
    EXPECT_EQ(read.GetLength(), 258);  // 129 whole characters fit in 259 bytes
    EXPECT_EQ(std::string(read.GetString()), japanese.substr(0, 258));
}

TEST_F(ListViewTest, SelectedIndexIsTheLowestSelectedRowOrMinusOne)
{
    AddRows(5);
    EXPECT_EQ(list.GetSelectedIndex(), -1);
    EXPECT_TRUE(list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(list.GetSelectedIndex(), 1);
    EXPECT_EQ(list.GetNextItem(1, LVNI_SELECTED), 3);

    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(list.GetSelectedIndex(), 2);  // the old row 3 moved up
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetSelectedIndex(), -1);
}

TEST_F(ListViewTest, CheckStateIsMinusOneWithoutCheckBoxes)
{
    AddRows(2);
    EXPECT_EQ(list.GetCheckState(0), -1);

    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetCheckState(1), 0);
    EXPECT_TRUE(list.SetCheckState(1, TRUE));
    EXPECT_EQ(list.GetCheckState(1), 1);
    EXPECT_EQ(list.GetCheckState(0), 0);
    EXPECT_EQ(list.GetSelectedIndex(), 1);  // checking left the selection alone
    EXPECT_TRUE(list.SetCheckState(1, FALSE));
    EXPECT_EQ(list.GetCheckState(1), 0);
}

TEST_F(ListViewTest, ExtendedStylesAreReplacedWholeSoAddingOneNeedsReadModifyWrite)
{
    list.SetExtendedStyle(LVS_EX_GRIDLINES);
    DWORD previous = list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(previous & LVS_EX_GRIDLINES, static_cast<DWORD>(LVS_EX_GRIDLINES));
    EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));

    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_EQ(list.GetExtendedStyle() & LVS_EX_GRIDLINES, 0u);
}

class EditTest : public ParentTest {
protected:
    void SetUp() override
    {
        ParentTest::SetUp();
        ASSERT_NE(box.CreateControl("", 8, 40, 552, 24, Parent(), 110), nullptr);
    }
    void Type(const char* text)
    {
        for (const char* c = text; *c; ++c)
            ::SendMessageA(box.GetHwnd(), WM_CHAR, static_cast<unsigned char>(*c), 1);
    }

    CInputBox box;
};

TEST_F(EditTest, InputBoxIsASingleLineScrollingEditWithAClientEdge)
{
    EXPECT_EQ(ClassOf(box.GetHwnd()), "Edit");
    EXPECT_EQ(box.GetWindowStyle() & (ES_AUTOHSCROLL | ES_MULTILINE | WS_CHILD),
              static_cast<LONG>(ES_AUTOHSCROLL | WS_CHILD));
    EXPECT_TRUE(box.GetWindowExStyle() & WS_EX_CLIENTEDGE);
}

TEST_F(EditTest, SubclassedBoxStillLimitsModifiesAndUndoes)
{
    EXPECT_TRUE(box.SetWindowText("C:\\作業"));
    EXPECT_STREQ(box.GetWindowText().GetString(), "C:\\作業");
    EXPECT_FALSE(box.GetModify());  // text set by the program is not a change

    box.SetWindowText("");
    box.SetLimitText(5);
    Type("abcdefgh");
    EXPECT_STREQ(box.GetWindowText().GetString(), "abcde");
    EXPECT_TRUE(box.GetModify());
    box.SetModify(FALSE);
    EXPECT_FALSE(box.GetModify());

    box.SetLimitText(100);
    box.SendMessage(EM_SETSEL, 0, -1);
    EXPECT_TRUE(box.CanUndo());  // the typing
    box.ReplaceSel("xyz");
    EXPECT_STREQ(box.GetWindowText().GetString(), "xyz");
    EXPECT_FALSE(box.CanUndo());  // a replacement by the program cannot be undone

    Type("!");
    EXPECT_TRUE(box.CanUndo());
    EXPECT_TRUE(box.Undo());
    EXPECT_STREQ(box.GetWindowText().GetString(), "xyz");
    Type("!");
    box.EmptyUndoBuffer();
    EXPECT_FALSE(box.CanUndo());
}

TEST_F(EditTest, SetSelPutsTheCaretAfterTheSecondCharacterOncePosted)
{
    box.SetWindowText("abcdef");
    box.SendMessage(EM_SETSEL, 5, 5);
    EXPECT_TRUE(box.SetSel());
    EXPECT_EQ(box.GetSel(), static_cast<DWORD>(MAKELONG(5, 5)));  // nothing happens before the queue runs

    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_EQ(box.GetSel(), static_cast<DWORD>(MAKELONG(2, 2)));
}

// A label box pastes what the control makes of the clipboard; only a box holding a path
// takes the path rule, and refuses aloud what would name another entry.
TEST_F(EditTest, OnlyABoxHoldingAPathTakesThePathRuleOnPaste)
{
    CPathBox pathBox;
    ASSERT_NE(pathBox.CreateControl("", 8, 70, 552, 24, Parent(), 111), nullptr);
    auto paste = [](CInputBox& into, const wchar_t* text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (lstrlenW(text) + 1) * sizeof(wchar_t));
        lstrcpyW(static_cast<wchar_t*>(GlobalLock(data)), text);
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
        into.SendMessage(WM_PASTE, 0, 0);
    };
    const auto refusals = ModalDriver::Messages([&] {  // each titled as the window above
        paste(box, L"ab\u00e9c");
        paste(pathBox, L"C:\\nowhere-caf\u00e9");
    }, nullptr, "controls");
    EXPECT_EQ(refusals.size(), 1u);
    const std::string label = box.GetWindowText().GetString();
    ASSERT_EQ(label.size(), 4u) << label;
    EXPECT_EQ(label.substr(0, 2) + label.substr(3), "abc") << label;
    EXPECT_STREQ(pathBox.GetWindowText().GetString(), "");
}

namespace {

// Exposes the brushes so their lifetime can be checked.
class CBrushProbeButton : public CButton {
public:
    HBRUSH Face() const { return m_faceBrush; }
    HBRUSH DisabledFace() const { return m_disabledFaceBrush; }
};

// Counts what the parent reflects to the box and what the class would paint from it;
// the record is not touched, since for a check box it would be a window handle.
class CReflectProbeCheckBox : public CCheckBox {
public:
    int reflected = 0;
    int drawn = 0;
    LRESULT OnReflect(WPARAM wParam, LPARAM lParam) override
    {
        ++reflected;
        return CCheckBox::OnReflect(wParam, lParam);
    }
protected:
    void DrawFace(DRAWITEMSTRUCT*) override { ++drawn; }
};

class CDrawProbeButton : public CButton {
public:
    int drawn = 0;
protected:
    void DrawFace(DRAWITEMSTRUCT* item) override
    {
        ++drawn;
        CButton::DrawFace(item);
    }
};

const COLORREF Face = RGB(0, 0, 200);
const COLORREF Caption = RGB(255, 255, 0);
const COLORREF DisabledFace = RGB(0, 120, 0);
const COLORREF DisabledCaption = RGB(255, 0, 255);
const int ButtonWidth = 100;
const int ButtonHeight = 40;

}  // namespace

class ButtonTest : public ParentTest {
protected:
    void SetUp() override
    {
        ParentTest::SetUp();
        ASSERT_NE(button.CreateControl("WWW", 0, 0, ButtonWidth, ButtonHeight, Parent(), 120), nullptr);
        button.SetFont(MakeFont(16));
        button.SetFaceColors(Face, DisabledFace);
        button.SetCaptionColors(Caption, DisabledCaption);
    }
    // What the parent's WM_DRAWITEM would carry for this button (or, given one, another
    // control with its id) in the given state; the parent answers with the button's reply.
    LRESULT DrawThroughParent(const Canvas& canvas, UINT state, HWND control = nullptr)
    {
        DRAWITEMSTRUCT item = {ODT_BUTTON, 120, 0, ODA_DRAWENTIRE, state,
                               control ? control : button.GetHwnd(), canvas.Dc(),
                               {0, 0, ButtonWidth, ButtonHeight}, 0};
        return ::SendMessageA(Parent(), WM_DRAWITEM, 120, reinterpret_cast<LPARAM>(&item));
    }

    CBrushProbeButton button;
};

TEST_F(ButtonTest, OwnerDrawnButtonPaintsItsFaceAndCaptionOnARealPaint)
{
    Canvas canvas(ButtonWidth, ButtonHeight);
    // The button's own paint code asks the parent with WM_DRAWITEM, which reflects here.
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);

    EXPECT_EQ(canvas.At(5, 5), Face);
    EXPECT_EQ(canvas.At(ButtonWidth - 6, ButtonHeight - 6), Face);
    EXPECT_GT(canvas.Count(Caption), 20);
    EXPECT_NE(canvas.At(ButtonWidth / 2, 0), Face);  // the edge is drawn over the face
}

TEST_F(ButtonTest, PressedButtonIsSunkenAndReleasedRaised)
{
    Canvas released(ButtonWidth, ButtonHeight);
    Canvas pressed(ButtonWidth, ButtonHeight);
    DrawThroughParent(released, 0);
    DrawThroughParent(pressed, ODS_SELECTED);

    EXPECT_EQ(released.At(ButtonWidth / 2, 0), ::GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(pressed.At(ButtonWidth / 2, 0), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(pressed.At(5, 5), Face);
}

TEST_F(ButtonTest, FocusedButtonDrawsItsFrameFourPixelsInside)
{
    Canvas plain(ButtonWidth, ButtonHeight);
    Canvas focused(ButtonWidth, ButtonHeight);
    DrawThroughParent(plain, 0);
    DrawThroughParent(focused, ODS_FOCUS);

    EXPECT_EQ(plain.Count(Face, 4, 5), ButtonWidth - 4);  // row 4 holds face and edge only
    EXPECT_LT(focused.Count(Face, 4, 5), ButtonWidth - 20);  // the dotted frame runs along it
    EXPECT_EQ(focused.Count(Face, 3, 4), plain.Count(Face, 3, 4));
    EXPECT_GT(focused.Count(Caption), 20);
}

TEST_F(ButtonTest, DisabledButtonUsesTheDisabledFaceAndCaptionColours)
{
    Canvas canvas(ButtonWidth, ButtonHeight);
    DrawThroughParent(canvas, ODS_DISABLED);

    EXPECT_EQ(canvas.At(5, 5), DisabledFace);
    EXPECT_GT(canvas.Count(DisabledCaption), 20);
    EXPECT_EQ(canvas.Count(Caption), 0);
    EXPECT_EQ(canvas.Count(Face), 0);
}

TEST_F(ButtonTest, ARecordForAnotherControlIsNotPainted)
{
    Canvas canvas(ButtonWidth, ButtonHeight);
    EXPECT_EQ(DrawThroughParent(canvas, 0, Parent()), 0);  // not this button's record
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), ButtonWidth * ButtonHeight);
}

TEST_F(ButtonTest, ReplacedBrushesAreDeletedAtOnceAndTheNewOnesWithTheButton)
{
    HBRUSH face, disabled;
    {
        CBrushProbeButton other;
        HBRUSH oldFace = other.Face();
        HBRUSH oldDisabled = other.DisabledFace();
        other.SetFaceColors(RGB(1, 2, 3), RGB(4, 5, 6));  // no window: only the brushes change
        EXPECT_EQ(::GetObjectType(oldFace), 0u);
        EXPECT_EQ(::GetObjectType(oldDisabled), 0u);
        face = other.Face();
        disabled = other.DisabledFace();
        EXPECT_EQ(::GetObjectType(face), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(::GetObjectType(disabled), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(::GetObjectType(face), 0u);
    EXPECT_EQ(::GetObjectType(disabled), 0u);
}

using ButtonFamilyTest = ParentTest;

// The parent hands WM_CTLCOLORSTATIC to the box's object; its handle is no draw record.
TEST_F(ButtonFamilyTest, CheckBoxUnderAPlainParentPaintsWithDefaultColours)
{
    CReflectProbeCheckBox check;
    ASSERT_NE(check.CreateControl("表示", 0, 0, 120, 20, Parent(), 140), nullptr);
    Canvas canvas(120, 20);

    check.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_GE(check.reflected, 1);  // the real paint went through the reflection
    EXPECT_EQ(check.drawn, 0);      // and its colour request was not read as a draw record

    const WPARAM dc = reinterpret_cast<WPARAM>(canvas.Dc());
    const LPARAM box = reinterpret_cast<LPARAM>(check.GetHwnd());
    EXPECT_EQ(::SendMessageA(Parent(), WM_CTLCOLORSTATIC, dc, box),
              ::DefWindowProcA(Parent(), WM_CTLCOLORSTATIC, dc, box));
    EXPECT_EQ(check.drawn, 0);
}

TEST_F(ButtonFamilyTest, ColourRequestsReflectedToButtonsFallBackToDefault)
{
    CGroupBox group;
    CDrawProbeButton button;
    ASSERT_NE(group.CreateControl("設定", 0, 0, 200, 100, Parent(), 150), nullptr);
    ASSERT_NE(button.CreateControl("...", 0, 0, 48, 24, Parent(), 120), nullptr);
    Canvas canvas(10, 10);
    const WPARAM dc = reinterpret_cast<WPARAM>(canvas.Dc());
    for (HWND control : {group.GetHwnd(), button.GetHwnd()}) {
        const LPARAM lParam = reinterpret_cast<LPARAM>(control);
        EXPECT_EQ(::SendMessageA(Parent(), WM_CTLCOLORSTATIC, dc, lParam),
                  ::DefWindowProcA(Parent(), WM_CTLCOLORSTATIC, dc, lParam));
    }
    group.SendMessage(WM_PRINTCLIENT, dc, PRF_CLIENT);  // a real group-box paint asks too
    EXPECT_EQ(button.drawn, 0);

    button.SendMessage(WM_PRINTCLIENT, dc, PRF_CLIENT);  // a real owner-draw request does paint
    EXPECT_EQ(button.drawn, 1);
}

TEST_F(ButtonFamilyTest, EachButtonKindIsCreatedWithItsOwnButtonStyle)
{
    CButton button;
    CCheckBox check;
    CGroupBox group;
    ASSERT_NE(button.CreateControl("...", 0, 0, 48, 24, Parent(), 120), nullptr);
    ASSERT_NE(check.CreateControl("x", 0, 30, 48, 24, Parent(), 121), nullptr);
    ASSERT_NE(group.CreateControl("g", 0, 60, 48, 24, Parent(), 122), nullptr);
    EXPECT_EQ(button.GetWindowStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(check.GetWindowStyle() & BS_TYPEMASK, BS_CHECKBOX);
    EXPECT_EQ(group.GetWindowStyle() & (BS_TYPEMASK | WS_GROUP), BS_GROUPBOX | WS_GROUP);
    EXPECT_EQ(button.GetWindowExStyle() & WS_EX_CLIENTEDGE, 0);
}

TEST_F(ButtonFamilyTest, CheckBoxReadsOnlyAFullCheckAsChecked)
{
    // A three-state box made as a dialog would, then bound to its object.
    HWND raw = ::CreateWindowExA(0, "BUTTON", "x", WS_CHILD | BS_3STATE, 0, 0, 50, 20, Parent(),
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(141)), nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    CCheckBox check;
    ASSERT_TRUE(check.Attach(raw));

    check.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(::SendMessageA(raw, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_FALSE(check.IsChecked());
    check.SetCheckInverse(FALSE);
    EXPECT_TRUE(check.IsChecked());
    check.SetCheckInverse(TRUE);
    EXPECT_EQ(::SendMessageA(raw, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(check.IsChecked());
}

class ScrollBarTest : public ParentTest {
protected:
    void SetUp() override
    {
        ParentTest::SetUp();
        ASSERT_NE(bar.CreateControl("", 600, 0, 16, 200, Parent(), 160), nullptr);
    }

    CVScrollBar bar{160};
};

TEST_F(ScrollBarTest, IsAVerticalScrollBarWhoseGetBeforeAnySetFailsAndGivesZeros)
{
    EXPECT_EQ(ClassOf(bar.GetHwnd()), "ScrollBar");
    EXPECT_EQ(bar.GetWindowStyle() & SBS_VERT, SBS_VERT);

    SCROLLINFO info;
    std::memset(&info, 0xCD, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    EXPECT_FALSE(bar.GetScrollInfo(&info));
    EXPECT_EQ(info.cbSize, 0u);
    EXPECT_EQ(info.fMask, 0u);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 0);
    EXPECT_EQ(info.nPage, 0u);
    EXPECT_EQ(info.nPos, 0);
    EXPECT_EQ(info.nTrackPos, 0);
}

TEST_F(ScrollBarTest, GetReportsTheLastSetWhateverTheCallerAsks)
{
    SCROLLINFO set = {sizeof(set), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 9, 4, 0, 0};
    bar.SetScrollInfo(&set, TRUE);
    ::SetScrollPos(bar.GetHwnd(), SB_CTL, 3, FALSE);  // the control, not the cache, holds the position

    for (UINT mask : {0u, static_cast<UINT>(SIF_POS), static_cast<UINT>(SIF_TRACKPOS)}) {
        SCROLLINFO info = {sizeof(info), mask, 77, 77, 77, 77, 77};
        EXPECT_TRUE(bar.GetScrollInfo(&info));
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax, 9);
        EXPECT_EQ(info.nPage, 4u);
        EXPECT_EQ(info.nPos, 3);
    }
}

namespace {

// Three 20 x 20 images side by side: red, green, blue.
HBITMAP MakeButtonImages()
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(info.bmiHeader), 60, 20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    DWORD* pixel = static_cast<DWORD*>(bits);
    const DWORD colours[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            pixel[y * 60 + x] = colours[x / 20];
    return bitmap;
}

const TBBUTTON Buttons[3] = {
    {0, 1001, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {1, 1002, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {2, 1003, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
};

}  // namespace

class ToolBarTest : public ParentTest {
protected:
    void SetUp() override
    {
        ParentTest::SetUp();
        images = MakeButtonImages();
        ASSERT_NE(images, nullptr);
    }
    void TearDown() override { ::DeleteObject(images); }
    UINT_PTR Images() const { return reinterpret_cast<UINT_PTR>(images); }

    HBITMAP images = nullptr;
    CToolBar toolbar;
};

TEST_F(ToolBarTest, ClickOnTheSecondButtonSendsItsCommandToTheParent)
{
    HWND window = toolbar.CreateToolbar(Parent(), WS_CHILD | WS_VISIBLE, 101, 3, nullptr, Images(),
                                        Buttons, 3, 0, 0, 20, 20, sizeof(TBBUTTON));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(CWindowBase::FromHandle(window), &toolbar);
    EXPECT_EQ(::GetDlgCtrlID(window), 101);
    EXPECT_EQ(toolbar.SendMessage(TB_BUTTONCOUNT, 0, 0), 3);
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(toolbar.SendMessage(TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cx, 20);
    EXPECT_EQ(cy, 20);

    RECT rect = {};
    ASSERT_TRUE(toolbar.SendMessage(TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect)));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    parent.commands.clear();
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(window, WM_LBUTTONUP, 0, point);

    const std::vector<std::pair<UINT, UINT>> expected{{1002, 0}};
    EXPECT_EQ(parent.commands, expected);
}

TEST_F(ToolBarTest, OtherFormsUseTheCommandIdentifierMemberOrTheStandardImages)
{
    HWND window = toolbar.CreateToolbar(Parent(), WS_CHILD, 3, nullptr, Images(), Buttons, 3, 0, 0, 20, 20);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(window), 0);  // not set yet
    EXPECT_EQ(toolbar.SendMessage(TB_BUTTONCOUNT, 0, 0), 3);

    CToolBar second;
    second.SetCommandId(101);
    HWND other = second.CreateToolbar(Parent(), 3, nullptr, Images(), Buttons, 3, 20, 20);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(other), 101);
    EXPECT_EQ(::GetWindowLongA(other, GWL_STYLE) & (WS_CHILD | WS_VISIBLE),
              static_cast<LONG>(WS_CHILD | WS_VISIBLE));  // the class's own style

    CToolBar standard;  // the standard-image form uses the control library's bitmaps
    ASSERT_NE(standard.CreateToolbar(Parent(), 15, IDB_STD_SMALL_COLOR, Buttons, 3, 16, 16), nullptr);
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(standard.SendMessage(TB_GETIMAGELIST, 0, 0));
    EXPECT_GE(ImageList_GetImageCount(list), 15);
    EXPECT_EQ(standard.SendMessage(TB_BUTTONCOUNT, 0, 0), 3);
}
