#include <windows.h>
#include <gtest/gtest.h>

#include "resource.h"
#include "support/ModalDriver.h"
#include "support/TempDir.h"
#include "support/TestProcess.h"

#include <cstring>
#include <string>
#include <vector>

// Everything here reads the resources linked into this test executable, the same
// object the program links. Literals are Shift-JIS (the sources are compiled with
// -fexec-charset=CP932), so a mis-decoded .rc fails every text comparison.

namespace {

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

std::string ToShiftJis(const WCHAR* text, size_t length)
{
    const int size = WideCharToMultiByte(932, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(932, 0, text, static_cast<int>(length), &out[0], size, nullptr, nullptr);
    return out;
}

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;  // nullptr: the text is the ordinal IDI_APP (the icon)
    short x, y, cx, cy;
    DWORD style;
};

struct ExpectedDialog {
    int id;
    const char* caption;
    short cx, cy;
    std::vector<ExpectedControl> controls;
};

struct ParsedControl {
    DWORD exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string className;
    std::string text;
    int textOrdinal = -1;
};

struct ParsedDialog {
    DWORD exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::string face;
    std::vector<ParsedControl> controls;
};

class TemplateReader {
public:
    TemplateReader(const BYTE* data, DWORD size) : m_data(data), m_size(size) {}

    template <class T> T Get()
    {
        T value{};
        if (m_pos + sizeof(T) <= m_size)
            std::memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    // sz_Or_Ord: 0xFFFF and an ordinal, or a NUL-terminated UTF-16 string.
    std::string Text(int* ordinal = nullptr)
    {
        if (Peek() == 0xFFFF) {
            Get<WORD>();
            const WORD value = Get<WORD>();
            if (ordinal)
                *ordinal = value;
            return "#" + std::to_string(value);
        }
        std::vector<WCHAR> chars;
        while (m_pos + 2 <= m_size && Peek() != 0)
            chars.push_back(Get<WORD>());
        Get<WORD>();
        return ToShiftJis(chars.data(), chars.size());
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~size_t(3); }
    bool Overran() const { return m_pos > m_size; }

private:
    WORD Peek()
    {
        const WORD value = Get<WORD>();
        m_pos -= sizeof(WORD);
        return value;
    }
    const BYTE* m_data;
    DWORD m_size;
    size_t m_pos = 0;
};

std::string ClassFromAtom(const std::string& name)
{
    static const char* const atoms[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    for (int i = 0; i < 6; ++i)
        if (name == "#" + std::to_string(0x80 + i))
            return atoms[i];
    return name;
}

// Finds the template in Japanese only: a template in any other language fails here.
bool ParseDialog(int id, ParsedDialog* out)
{
    HRSRC found = FindResourceExA(Module(), RT_DIALOG, MAKEINTRESOURCEA(id), kJapanese);
    if (!found)
        return false;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
    TemplateReader in(data, SizeofResource(Module(), found));
    if (in.Get<WORD>() != 1 || in.Get<WORD>() != 0xFFFF)
        return false;  // not a DIALOGEX
    in.Get<DWORD>();   // help id
    out->exStyle = in.Get<DWORD>();
    out->style = in.Get<DWORD>();
    const WORD count = in.Get<WORD>();
    out->x = in.Get<short>(); out->y = in.Get<short>();
    out->cx = in.Get<short>(); out->cy = in.Get<short>();
    in.Text();  // menu
    in.Text();  // window class
    out->caption = in.Text();
    if (out->style & DS_SETFONT) {
        out->pointSize = in.Get<WORD>();
        out->weight = in.Get<WORD>();
        out->italic = in.Get<BYTE>();
        out->charset = in.Get<BYTE>();
        out->face = in.Text();
    }
    for (WORD i = 0; i < count; ++i) {
        in.AlignDword();
        ParsedControl c;
        in.Get<DWORD>();  // help id
        c.exStyle = in.Get<DWORD>();
        c.style = in.Get<DWORD>();
        c.x = in.Get<short>(); c.y = in.Get<short>();
        c.cx = in.Get<short>(); c.cy = in.Get<short>();
        c.id = static_cast<int>(in.Get<DWORD>());
        c.className = ClassFromAtom(in.Text());
        c.text = in.Text(&c.textOrdinal);
        const WORD extra = in.Get<WORD>();
        for (WORD k = 0; k < extra; ++k)
            in.Get<BYTE>();
        out->controls.push_back(c);
    }
    return !in.Overran();
}

const DWORD kDialogStyle = 0x80C800C0;  // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
const DWORD kLabel = 0x50020200, kEdit = 0x50810080, kPush = 0x50010000, kCheck = 0x50010003,
            kGroup = 0x50010007, kText = 0x50020000;

ExpectedDialog VersionDialog()
{
    return {IDD_VERSION, "バージョン情報", 220, 88, {
        {0, "Static", nullptr, 4, 4, 32, 32, 0x50000003},
        {-1, "Static", "Tavlornエクスプローラ　Ver 0.10", 28, 4, 160, 12, kText},
        {-1, "Static", "", 28, 14, 160, 12, kText},
        {-1, "Static", "作者：Tavlorn プロジェクト", 4, 32, 160, 12, kText},
        {IDOK, "Button", "OK", 4, 64, 32, 16, kPush},
    }};
}

ExpectedDialog CommonSettingDialog()
{
    return {IDD_COMMON_SETTING, "共通設定", 220, 88, {
        {-1, "Static", "HOME", 4, 4, 16, 12, kLabel},
        {110, "Edit", "", 24, 4, 164, 12, kEdit},
        {120, "Button", "参照", 192, 4, 24, 12, kPush},
        {140, "Button", "システムファイルを表示する", 4, 20, 120, 12, kCheck},
        {141, "Button", "隠しファイルを表示する", 4, 34, 120, 12, kCheck},
        {IDOK, "Button", "登録", 4, 72, 24, 12, kPush},
        {IDCANCEL, "Button", "取消", 32, 72, 24, 12, kPush},
    }};
}

ExpectedDialog LaunchSettingDialog()
{
    ExpectedDialog layout{IDD_LAUNCH_SETTING, "ランチャー設定", 240, 240,
                    {{160, "ScrollBar", "", 220, 8, 12, 200, 0x50000001}}};
    static const char* const captions[] = {"項目 1", "項目 2", "項目 3", "項目 4"};
    for (short r = 0; r < 4; ++r) {
        const short top = static_cast<short>(52 * r);
        layout.controls.push_back({150 + r, "Button", captions[r], 4, short(4 + top), 212, 48, kGroup});
        layout.controls.push_back({-1, "Static", "名前", 8, short(16 + top), 16, 12, kLabel});
        layout.controls.push_back({110 + 2 * r, "Edit", "", 28, short(16 + top), 184, 12, kEdit});
        layout.controls.push_back({-1, "Static", "場所", 8, short(32 + top), 16, 12, kLabel});
        layout.controls.push_back({111 + 2 * r, "Edit", "", 28, short(32 + top), 154, 12, kEdit});
        layout.controls.push_back({120 + r, "Button", "参照", 186, short(32 + top), 24, 12, kPush});
    }
    layout.controls.push_back({IDOK, "Button", "登録", 4, 220, 24, 12, kPush});
    layout.controls.push_back({IDCANCEL, "Button", "取消", 32, 220, 24, 12, kPush});
    return layout;
}

void CheckTemplate(const ExpectedDialog& layout)
{
    ParsedDialog dlg;
    ASSERT_TRUE(ParseDialog(layout.id, &dlg)) << "dialog " << layout.id << " missing, not Japanese or not DIALOGEX";
    EXPECT_EQ(dlg.style, kDialogStyle);
    EXPECT_EQ(dlg.exStyle, 0u);
    EXPECT_EQ(dlg.caption, layout.caption);
    EXPECT_EQ(dlg.x, 10);
    EXPECT_EQ(dlg.y, 10);
    EXPECT_EQ(dlg.cx, layout.cx);
    EXPECT_EQ(dlg.cy, layout.cy);
    EXPECT_EQ(dlg.face, "ＭＳ ゴシック");
    EXPECT_EQ(dlg.face, "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e");  // the same, byte for byte
    EXPECT_EQ(dlg.pointSize, 10);
    EXPECT_EQ(dlg.weight, 0);
    EXPECT_EQ(dlg.italic, 0);
    EXPECT_EQ(dlg.charset, DEFAULT_CHARSET);

    ASSERT_EQ(dlg.controls.size(), layout.controls.size());
    for (size_t i = 0; i < layout.controls.size(); ++i) {
        const ExpectedControl& want = layout.controls[i];
        const ParsedControl& got = dlg.controls[i];
        SCOPED_TRACE("control #" + std::to_string(i) + " id " + std::to_string(want.id));
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(lstrcmpiA(got.className.c_str(), want.className), 0) << got.className;
        if (want.text)
            EXPECT_EQ(got.text, want.text);
        else
            EXPECT_EQ(got.textOrdinal, IDI_APP);
        EXPECT_EQ(got.style, want.style) << std::hex << got.style;
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

RECT PlacedRect(HWND dialog, HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The template's numbers are checked above; here is what a user sees of them once the
// dialog manager has placed the controls: each one inside the client area, none covering
// a control the user works unless a group box holds it whole, and the template's texts.
void CheckCreatedDialog(const ExpectedDialog& layout)
{
    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(layout.id), nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));

    EXPECT_EQ(TextOf(dialog), layout.caption);
    RECT client;
    GetClientRect(dialog, &client);
    RECT size{0, 0, layout.cx, layout.cy};
    MapDialogRect(dialog, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    // Children come in template order (the dialog manager creates them so).
    std::vector<RECT> placed;
    HWND child = GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < layout.controls.size(); ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        const ExpectedControl& want = layout.controls[i];
        SCOPED_TRACE("control #" + std::to_string(i) + " id " + std::to_string(want.id));
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), want.id);
        char className[64] = "";
        GetClassNameA(child, className, sizeof(className));
        EXPECT_EQ(lstrcmpiA(className, want.className), 0) << className;
        placed.push_back(PlacedRect(dialog, child));
        EXPECT_TRUE(Inside(placed.back(), client));
        if (want.text)
            EXPECT_EQ(TextOf(child), want.text);
        else  // SS_ICON sizes itself to the icon; it must have found icon 50.
            EXPECT_NE(SendMessageA(child, STM_GETICON, 0, 0), 0);
    }
    EXPECT_EQ(child, nullptr) << "more children than the template lists";
    for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = i + 1; j < placed.size(); ++j) {
            RECT common;
            if (!IntersectRect(&common, &placed[i], &placed[j]))
                continue;
            const bool groupHolds = layout.controls[i].style == kGroup && Inside(placed[j], placed[i]);
            const bool bothLabels = !strcmp(layout.controls[i].className, "Static") &&
                                    !strcmp(layout.controls[j].className, "Static");  // About's lines touch
            EXPECT_TRUE(groupHolds || bothLabels) << "control #" << j << " covers control #" << i;
        }
    DestroyWindow(dialog);
}

// The raw template: what the dialog manager will be given, bit for bit.
TEST(DialogTemplate, AboutHoldsIconVersionLinesAndOk) { CheckTemplate(VersionDialog()); }
TEST(DialogTemplate, CommonSettingsHoldsHomeBoxAndTwoCheckBoxes) { CheckTemplate(CommonSettingDialog()); }
TEST(DialogTemplate, LauncherSettingsHoldsFourRowsAndAScrollBar) { CheckTemplate(LaunchSettingDialog()); }

// The created dialog: what the "A" calls hand the program.
TEST(DialogWindow, AboutShowsShiftJisTextsInPlace) { CheckCreatedDialog(VersionDialog()); }
TEST(DialogWindow, CommonSettingsShowsShiftJisTextsInPlace) { CheckCreatedDialog(CommonSettingDialog()); }
TEST(DialogWindow, LauncherSettingsShowsShiftJisTextsInPlace) { CheckCreatedDialog(LaunchSettingDialog()); }

struct MenuEntry {
    UINT id;  // 0: separator
    const char* text;
};

std::string MenuText(HMENU menu, UINT position)
{
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

TEST(ContextMenu, OneDropDownHoldsTheListCommandsInOrder)
{
    HMENU bar = LoadMenuA(Module(), "TE_MENU");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(MenuText(bar, 0), "PopupMenu1");
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_NE(popup, nullptr);

    const MenuEntry expected[] = {
        {IDM_GO_HOME, "ホームへ移動 (&H)"}, {IDM_GO_UP, "上の階層へ移動 (&U)"},
        {IDM_RELOAD, "リロード (&R)"},     {0, ""},
        {IDM_FILE_OPEN, "開く (&O)"},      {IDM_FILE_EDIT, "編集 (&E)"},
    };
    ASSERT_EQ(GetMenuItemCount(popup), 7);
    for (UINT i = 0; i < 6; ++i) {
        SCOPED_TRACE("position " + std::to_string(i));
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoA(popup, i, TRUE, &info));
        EXPECT_EQ(info.hSubMenu, nullptr);
        EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, expected[i].id == 0);
        EXPECT_EQ(info.wID, expected[i].id);
        EXPECT_EQ(MenuText(popup, i), expected[i].text);
    }
    // Shift-JIS bytes of "ホームへ移動", should the literals themselves be off.
    EXPECT_EQ(MenuText(popup, 0).substr(0, 12), "\x83\x7a\x81\x5b\x83\x80\x82\xd6\x88\xda\x93\xae");
    DestroyMenu(bar);
}

TEST(ContextMenu, OpenWithSubMenuHoldsTenUnregisteredLaunchers)
{
    HMENU bar = LoadMenuA(Module(), "TE_MENU");
    ASSERT_NE(bar, nullptr);
    HMENU popup = GetSubMenu(bar, 0);
    HMENU openWith = GetSubMenu(popup, 6);
    ASSERT_NE(openWith, nullptr);
    EXPECT_EQ(MenuText(popup, 6), "～で開く (&H)");
    // FULLWIDTH TILDE must come out as 0x81 0x60, the tilde of code page 932.
    EXPECT_EQ(MenuText(popup, 6), "\x81\x60\x82\xc5\x8a\x4a\x82\xad (&H)");

    ASSERT_EQ(GetMenuItemCount(openWith), IDM_LAUNCHER_COUNT);
    for (int i = 0; i < IDM_LAUNCHER_COUNT; ++i) {
        EXPECT_EQ(GetMenuItemID(openWith, i), static_cast<UINT>(IDM_OPEN_WITH_FIRST + i));
        EXPECT_EQ(MenuText(openWith, i), "(未登録)");
    }
    EXPECT_EQ(GetMenuItemID(openWith, IDM_LAUNCHER_COUNT - 1), static_cast<UINT>(IDM_OPEN_WITH_LAST));
    DestroyMenu(bar);
}

// Share of the pixels of toolbar image `index` that satisfy `test`.
template <class Test>
double ImageShare(const DIBSECTION& dib, int index, Test test)
{
    const BYTE* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    int hits = 0;
    for (int y = 0; y < TOOLBAR_IMAGE_SIZE; ++y)
        for (int x = index * TOOLBAR_IMAGE_SIZE; x < (index + 1) * TOOLBAR_IMAGE_SIZE; ++x) {
            const BYTE* p = bits + y * dib.dsBm.bmWidthBytes + x * 3;  // B, G, R
            hits += test(p[2], p[1], p[0]) ? 1 : 0;
        }
    return hits / double(TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_SIZE);
}

TEST(ToolbarBitmap, HoldsHomeUpAndReloadSideBySide)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(Module(), MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmWidth, TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT);
    EXPECT_EQ(dib.dsBm.bmHeight, TOOLBAR_IMAGE_SIZE);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    ASSERT_NE(dib.dsBm.bmBits, nullptr);

    auto red = [](int r, int g, int b) { return r > 150 && g < 90 && b < 90; };
    auto yellow = [](int r, int g, int b) { return r > 200 && g > 150 && b < 100; };
    auto green = [](int r, int g, int b) { return g > 120 && r < 100 && b < 100; };
    auto face = [](int r, int g, int b) { return r == 192 && g == 192 && b == 192; };
    // Each image in its own slot: the house's red roof, the yellow folder, the green arrow.
    EXPECT_GT(ImageShare(dib, 0, red), 0.10);
    EXPECT_GT(ImageShare(dib, 1, yellow), 0.15);
    EXPECT_GT(ImageShare(dib, 2, green), 0.20);
    EXPECT_LT(ImageShare(dib, 0, green) + ImageShare(dib, 1, green) + ImageShare(dib, 2, yellow), 0.01);
    // The toolbar masks the button-face grey, so every image stands on it.
    for (int i = 0; i < TOOLBAR_IMAGE_COUNT; ++i)
        EXPECT_GT(ImageShare(dib, i, face), 0.15) << "image " << i;
    DeleteObject(bitmap);
}

SIZE IconImageSize(HICON icon)
{
    ICONINFO info{};
    SIZE size{0, 0};
    if (!GetIconInfo(icon, &info))
        return size;
    BITMAP bm{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    size.cx = bm.bmWidth;
    size.cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

TEST(AppIcon, HasALargeAndASmallImage)
{
    HRSRC group = FindResourceA(Module(), MAKEINTRESOURCEA(IDI_APP), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    BYTE* directory = static_cast<BYTE*>(LockResource(LoadResource(Module(), group)));
    ASSERT_NE(directory, nullptr);
    WORD count = 0;
    std::memcpy(&count, directory + 4, 2);
    ASSERT_EQ(count, 2);

    for (int size : {32, 16}) {
        SCOPED_TRACE("size " + std::to_string(size));
        // The image the system picks for this size must really be that size.
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(id, 0);
        HRSRC image = FindResourceA(Module(), MAKEINTRESOURCEA(id), RT_ICON);
        ASSERT_NE(image, nullptr);
        HICON icon = CreateIconFromResourceEx(static_cast<BYTE*>(LockResource(LoadResource(Module(), image))),
                                              SizeofResource(Module(), image), TRUE, 0x00030000, 0, 0,
                                              LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        const SIZE got = IconImageSize(icon);
        EXPECT_EQ(got.cx, size);
        EXPECT_EQ(got.cy, size);
        DestroyIcon(icon);
    }
}

std::string VersionString(const std::vector<char>& block, const char* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\041103a4\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || !value)
        return "(missing)";
    return static_cast<const char*>(value);
}

TEST(VersionInfo, NamesTheProductAndVersionInJapanese)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 10u);  // 0.10: major 0 in the high word, minor 10 in the low
    EXPECT_EQ(fixed->dwProductVersionMS, 10u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);

    EXPECT_EQ(VersionString(block, "ProductName"), "Tavlornエクスプローラ");
    EXPECT_EQ(VersionString(block, "FileDescription"), "Tavlornエクスプローラ");
    EXPECT_EQ(VersionString(block, "ProductVersion"), "0.10");
    EXPECT_EQ(VersionString(block, "FileVersion"), "0.10");
    EXPECT_EQ(VersionString(block, "OriginalFilename"), "TavlornExplorer.exe");
}

TEST(HelpFile, ShipsInShiftJisWithCrLfBesideTheProgram)
{
    // The build puts 使い方.txt in the program's folder, the parent of this test's folder.
    const std::string tests = ExecutableFolder();
    const std::string folder = tests.substr(0, tests.find_last_of('\\'));
    const std::string text = ReadWholeFile(folder + "\\使い方.txt");
    ASSERT_FALSE(text.empty()) << folder;

    // Every byte sequence must be valid code page 932.
    EXPECT_GT(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                  nullptr, 0), 0);
    size_t bareLineFeeds = 0;
    for (size_t i = 0; i < text.size(); ++i)
        bareLineFeeds += (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ? 1 : 0;
    EXPECT_EQ(bareLineFeeds, 0u);
    // It tells the user where the settings live.
    EXPECT_NE(text.find("TavlornExplorer.ini"), std::string::npos);
    EXPECT_NE(text.find("TavlornExplorer.exe と同じフォルダ"), std::string::npos);
    // Every key the program answers beyond a control's own, and every message it shows.
    for (const char* told : {"Enter", "BackSpace", "Ctrl + Home", "F5", "アプリケーション キー", "Shift + F10", "Tab", "Esc",
                             "Ctrl + V", "Space", "F4", "Ctrl + L", "Alt + D", "F6", "Shift + F6", "Alt + F4", "PageDown",
                             "を表示できません。", "を開けません。", "を開けませんでした。", "環境変数として読まれ", "この欄で表せない文字",
                             "別のファイルやフォルダを指すため", "設定を保存できませんでした。"})
        EXPECT_NE(text.find(told), std::string::npos) << told;
}

}  // namespace
