#include "explorer/MainWnd.h"
#include "framework/core/SystemMessage.h"
#include "resource.h"
#include "settings/CommonSettingDlg.h"
#include "settings/LaunchSettingDlg.h"
#include "settings/SystemData.h"
#include "settings/VersionDlg.h"
#include "support/MainWindow.h"
#include "support/ModalDriver.h"
#include "support/TestProcess.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Script = ModalDriver::Script;

// What a user does to the controls. Esc arrives as a key press that the dialog manager
// turns into IDCANCEL.
void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Type(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }
std::string Text(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void PressEscape(HWND dialog, int focusId) { PostMessageA(GetDlgItem(dialog, focusId), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }
void CloseBox(HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

// What a failed save says: the file, then the system's reason.
std::string SaveFailure(DWORD error)
{
    return "設定を保存できませんでした。\r\n\r\n" +
           std::string(GetSystemData()->GetFilePath(CSystemData::SettingsFile).GetString()) + "\r\n" +
           SystemMessage(error).GetString();
}

// ---------------------------------------------------------------------------------------
// The settings file in the test program's own folder for it.

const char* const Common = "COMMON_SETTING";
const char* const Launcher = "LACNCH_SETTING";

std::string IniPath() { return SettingsFolder() + "\\TavlornExplorer.ini"; }
bool IniExists() { return GetFileAttributesA(IniPath().c_str()) != INVALID_FILE_ATTRIBUTES; }
void WriteKey(const char* section, const std::string& key, const std::string& value)
{
    WritePrivateProfileStringA(section, key.c_str(), value.c_str(), IniPath().c_str());
}

std::string ReadKey(const char* section, const std::string& key)
{
    char value[1024] = "";
    GetPrivateProfileStringA(section, key.c_str(), "<absent>", value, sizeof value,
                             IniPath().c_str());
    return value;
}

std::vector<std::string> KeysOf(const char* section)
{
    char list[4096] = "";
    const DWORD length = GetPrivateProfileStringA(section, nullptr, "", list, sizeof list,
                                                  IniPath().c_str());
    std::vector<std::string> keys;
    for (const char* p = list; p < list + length && *p; p += lstrlenA(p) + 1)
        keys.push_back(p);
    return keys;
}

std::vector<std::string> AllLauncherKeys()
{
    std::vector<std::string> keys;
    for (int k = 1; k <= 10; ++k) {
        keys.push_back("NAME" + std::to_string(k));
        keys.push_back("PATH" + std::to_string(k));
    }
    return keys;
}

std::string EntryName(int number) { return "表示" + std::to_string(number); }
std::string EntryPath(int number) { return "C:\\ソフト\\p" + std::to_string(number) + ".exe"; }

class SettingsDialogTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        RemoveIni();
        CreateSystemData();
    }

    void TearDown() override
    {
        DestroySystemData();
        RemoveIni();
    }

    static void RemoveIni()
    {
        DeleteFileA(IniPath().c_str());
        RemoveDirectoryA(IniPath().c_str());
    }

    // A stored home, flags and all ten launcher entries, loaded into the singleton.
    void StoreIni(const std::string& home, bool system, bool hidden)
    {
        WriteKey(Common, "HOME", home);
        WriteKey(Common, "DISP_SYSTEM_FILE", system ? "TRUE" : "FALSE");
        WriteKey(Common, "DISP_HIDDEN_FILE", hidden ? "TRUE" : "FALSE");
        for (int k = 1; k <= 10; ++k) {
            WriteKey(Launcher, "NAME" + std::to_string(k), EntryName(k));
            WriteKey(Launcher, "PATH" + std::to_string(k), EntryPath(k));
        }
        GetSystemData()->Load();
    }

    // Each way of leaving the dialog without OK (取消, Esc in escField, the close box),
    // with and without a settings file, after edit changed the fields: the file stays
    // as it was and check(fileExists) finds the settings in memory unchanged.
    template <class Dialog>
    void ExpectCancelsKeepTheFile(const char* caption, int escField, const Script& edit,
                                  const std::function<void(bool)>& check)
    {
        const std::vector<std::pair<const char*, std::function<void(HWND)>>> ways = {
            {"取消", [](HWND dlg) { Click(dlg, IDCANCEL); }},
            {"Esc", [escField](HWND dlg) { PressEscape(dlg, escField); }},
            {"close box", [](HWND dlg) { CloseBox(dlg); }},
        };
        for (bool fileExists : {true, false}) {
            for (const auto& way : ways) {
                SCOPED_TRACE(std::string(way.first) + (fileExists ? ", file exists" : ", no file"));
                RemoveIni();
                GetSystemData()->Load();
                if (fileExists)
                    StoreIni("C:\\old", false, false);
                const std::string before = ReadWholeFile(IniPath());  // "" without a file
                Dialog dialog;
                const INT_PTR result = RunModal(dialog, caption, [&](HWND dlg) {
                    edit(dlg);
                    way.second(dlg);
                });
                EXPECT_EQ(result, IDCANCEL);
                EXPECT_EQ(IniExists(), fileExists);
                EXPECT_EQ(ReadWholeFile(IniPath()), before);
                check(fileExists);
            }
        }
    }

    // Each dialog played by script, with others given every other dialog it opens.
    static INT_PTR RunCommon(const Script& script, const Script& others = nullptr)
    {
        CCommonSettingDlg dialog;
        return RunModal(dialog, "共通設定", script, others);
    }
    static INT_PTR RunLaunch(const Script& script, const Script& others = nullptr)
    {
        CLaunchSettingDlg dialog;
        return RunModal(dialog, "ランチャー設定", script, others);
    }

    // Only the main window's commands open it.
    CMainWnd& Main() override { return window; }
    CMainWnd window{"Tavlornエクスプローラ"};
};

// The rows as the user sees them: caption, name and path of each, and the thumb.
std::vector<std::string> ShownRows(HWND dialog)
{
    std::vector<std::string> rows;
    for (int r = 0; r < 4; ++r)
        rows.push_back(Text(dialog, IDC_LAUNCH_GROUP1 + r) + " | " +
                       Text(dialog, IDC_LAUNCH_NAME1 + 2 * r) + " | " +
                       Text(dialog, IDC_LAUNCH_PATH1 + 2 * r));
    rows.push_back("thumb " + std::to_string(GetScrollPos(GetDlgItem(dialog, IDC_LAUNCH_SCROLL), SB_CTL)));
    return rows;
}

std::vector<std::string> RowsFrom(int top)
{
    std::vector<std::string> rows;
    for (int r = 0; r < 4; ++r) {
        const int number = top + r + 1;
        rows.push_back("項目 " + std::to_string(number) + " | " + EntryName(number) + " | " +
                       EntryPath(number));
    }
    rows.push_back("thumb " + std::to_string(top));
    return rows;
}

void Scroll(HWND dialog, int request, int position = 0)
{
    SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(request, position),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_LAUNCH_SCROLL)));
}

// The wheel handler posts its scroll request; handle what it posted.
void Wheel(HWND dialog, int distance)
{
    SendMessageA(dialog, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(distance)),
                 MAKELPARAM(10, 10));
    MSG posted;
    while (PeekMessageA(&posted, dialog, WM_VSCROLL, WM_VSCROLL, PM_REMOVE))
        DispatchMessageA(&posted);
}

}  // namespace

// ---------------------------------------------------------------------------------------

using CommonSettingDlgTest = SettingsDialogTest;

TEST_F(CommonSettingDlgTest, OpensWithTheStoredHomeAndFlags)
{
    StoreIni(tree.Path(), true, false);
    std::string home;
    bool system = false, hidden = true;
    const INT_PTR result = RunCommon([&](HWND dlg) {
        home = Text(dlg, IDC_HOME);
        system = Checked(dlg, IDC_DISP_SYSTEM_FILE);
        hidden = Checked(dlg, IDC_DISP_HIDDEN_FILE);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(home, tree.Path());
    EXPECT_TRUE(system);
    EXPECT_FALSE(hidden);
}

TEST_F(CommonSettingDlgTest, OkWritesEveryKeyAndKeepsTheLauncherEntries)
{
    StoreIni("C:\\old", false, true);
    const std::string home = "C:\\作業\\表";
    const INT_PTR result = RunCommon([&](HWND dlg) {
        Type(dlg, IDC_HOME, "\"" + home + "\"");  // pasted as a path, in quotes
        Click(dlg, IDC_DISP_SYSTEM_FILE);  // off to on
        Click(dlg, IDC_DISP_HIDDEN_FILE);  // on to off
        WriteKey(Launcher, "NAME3", "別の手");  // meanwhile, another hand
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(KeysOf(Common), (std::vector<std::string>{"HOME", "DISP_SYSTEM_FILE", "DISP_HIDDEN_FILE"}));
    EXPECT_EQ(KeysOf(Launcher), AllLauncherKeys());
    EXPECT_EQ(ReadKey(Common, "HOME"), home);
    EXPECT_EQ(ReadKey(Common, "DISP_SYSTEM_FILE"), "TRUE");
    EXPECT_EQ(ReadKey(Common, "DISP_HIDDEN_FILE"), "FALSE");
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(ReadKey(Launcher, "NAME" + std::to_string(k)), k == 3 ? "別の手" : EntryName(k));
        EXPECT_EQ(ReadKey(Launcher, "PATH" + std::to_string(k)), EntryPath(k));
    }
    EXPECT_EQ(std::string(GetSystemData()->GetHome().GetString()), home);
    EXPECT_EQ(std::string(GetSystemData()->GetLaunchName(2).GetString()), "別の手");
}

TEST_F(CommonSettingDlgTest, OkOnAFreshFileWritesAllKeysAndAnEmptyHome)
{
    GetSystemData()->SetHome("C:\\was");
    const INT_PTR result = RunCommon([&](HWND dlg) {
        Type(dlg, IDC_HOME, "");
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(KeysOf(Launcher), AllLauncherKeys());
    EXPECT_EQ(ReadKey(Common, "HOME"), "");  // present, and empty
    EXPECT_NE(ReadWholeFile(IniPath()).find("HOME=\r\n"), std::string::npos);
    EXPECT_EQ(ReadKey(Common, "DISP_SYSTEM_FILE"), "FALSE");
}

TEST_F(CommonSettingDlgTest, CancelEscAndCloseBoxLeaveTheFileAsItWas)
{
    const Script edit = [](HWND dlg) {
        Type(dlg, IDC_HOME, "C:\\new");
        Click(dlg, IDC_DISP_SYSTEM_FILE);
        Click(dlg, IDC_DISP_HIDDEN_FILE);
    };
    ExpectCancelsKeepTheFile<CCommonSettingDlg>("共通設定", IDC_HOME, edit, [](bool fileExists) {
        EXPECT_EQ(std::string(GetSystemData()->GetHome().GetString()), fileExists ? "C:\\old" : "");
        EXPECT_FALSE(GetSystemData()->GetDispSystemFile());
    });
}

TEST_F(CommonSettingDlgTest, NoSettingsStoreStartsEmptyAndOkStoresNothing)
{
    DestroySystemData();
    std::string home = "?";
    bool anyChecked = true;
    const INT_PTR result = RunCommon([&](HWND dlg) {
        home = Text(dlg, IDC_HOME);
        anyChecked = Checked(dlg, IDC_DISP_SYSTEM_FILE) || Checked(dlg, IDC_DISP_HIDDEN_FILE);
        Type(dlg, IDC_HOME, "C:\\x");
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(home, "");
    EXPECT_FALSE(anyChecked);
    EXPECT_FALSE(IniExists());
}

// The folder browser is the shell's; the test cancels it and looks at what it was given.
TEST_F(CommonSettingDlgTest, BrowseOpensTheFolderBrowserAndCancelKeepsTheBox)
{
    const TempDir documents(DocumentsFolder());  // the browser does not always find Temp
    const std::string folder = documents.MakeDir("ホーム表");
    const std::string missing = "C:\\存在しない\\表";
    for (const std::string& start : {folder, "\"" + folder + "\"", missing}) {  // pasted in quotes too
        SCOPED_TRACE(start);
        std::vector<std::string> browserTexts;
        HWND browserOwner = nullptr, dialogWindow = nullptr;
        std::string selected, after;
        const INT_PTR result = RunCommon(
            [&](HWND dlg) {
                dialogWindow = dlg;
                Type(dlg, IDC_HOME, start);
                Click(dlg, IDC_HOME_BROWSE);
                after = Text(dlg, IDC_HOME);
                Click(dlg, IDCANCEL);
            },
            [&](HWND browser) {
                browserTexts = ChildTexts(browser);
                browserOwner = GetWindow(browser, GW_OWNER);
                HWND treeView = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
                const HTREEITEM item = TreeView_GetSelection(treeView);
                char text[MAX_PATH] = "";
                TVITEMA record = {TVIF_TEXT, item, 0, 0, text, MAX_PATH, 0, 0, 0, 0};
                if (item != nullptr && SendMessageA(treeView, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record)))
                    selected = text;
                PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
            });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_TRUE(Has(browserTexts, "参照"));
        EXPECT_EQ(browserOwner, dialogWindow);
        EXPECT_EQ(after, start);
        if (start != missing) {
            EXPECT_EQ(selected, "ホーム表");
        }
    }
}

// ---------------------------------------------------------------------------------------

using LaunchSettingDlgTest = SettingsDialogTest;

TEST_F(LaunchSettingDlgTest, OpensOnEntriesOneToFourWithTheThumbAtTheTop)
{
    StoreIni("C:\\home", false, false);
    std::vector<std::string> rows;
    SCROLLINFO info = {};
    const INT_PTR result = RunLaunch([&](HWND dlg) {
        rows = ShownRows(dlg);
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(GetDlgItem(dlg, IDC_LAUNCH_SCROLL), SB_CTL, &info);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(rows, RowsFrom(0));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 9);
    EXPECT_EQ(info.nPage, 4u);
}

TEST_F(LaunchSettingDlgTest, EveryScrollRequestMovesAsTheBarSays)
{
    StoreIni("C:\\home", false, false);
    struct Step {
        const char* what;
        int request;
        int position;
        int top;
    };
    const std::vector<Step> steps = {
        {"line down", SB_LINEDOWN, 0, 1},       {"line up", SB_LINEUP, 0, 0},
        {"line up at the top", SB_LINEUP, 0, 0}, {"page down", SB_PAGEDOWN, 0, 4},
        {"page down past the end", SB_PAGEDOWN, 0, 6},
        {"line down at the end", SB_LINEDOWN, 0, 6}, {"page up", SB_PAGEUP, 0, 2},
        {"page up past the top", SB_PAGEUP, 0, 0}, {"thumb track", SB_THUMBTRACK, 5, 5},
        {"thumb position", SB_THUMBPOSITION, 3, 3}, {"thumb dragged below", SB_THUMBTRACK, 9, 6},
        {"top", SB_TOP, 0, 0},                  {"bottom", SB_BOTTOM, 0, 6},
        {"end of scroll", SB_ENDSCROLL, 0, 6},  {"thumb to 2", SB_THUMBPOSITION, 2, 2},
        {"end of scroll", SB_ENDSCROLL, 0, 2},
    };
    std::vector<std::vector<std::string>> seen;
    RunLaunch([&](HWND dlg) {
        for (const Step& step : steps) {
            Scroll(dlg, step.request, step.position);
            seen.push_back(ShownRows(dlg));
        }
        Click(dlg, IDCANCEL);
    });
    ASSERT_EQ(seen.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(seen[i], RowsFrom(steps[i].top)) << "after " << steps[i].what;
}

TEST_F(LaunchSettingDlgTest, EachWheelMessageMovesOneEntry)
{
    StoreIni("C:\\home", false, false);
    std::vector<std::vector<std::string>> seen;
    const INT_PTR result = RunLaunch([&](HWND dlg) {
        Wheel(dlg, WHEEL_DELTA);       // away from the user at the top: stays
        seen.push_back(ShownRows(dlg));
        Wheel(dlg, -WHEEL_DELTA);      // towards the user: one down
        seen.push_back(ShownRows(dlg));
        Wheel(dlg, -3 * WHEEL_DELTA);  // a long turn is still one entry
        seen.push_back(ShownRows(dlg));
        Wheel(dlg, WHEEL_DELTA);
        seen.push_back(ShownRows(dlg));
        Scroll(dlg, SB_BOTTOM);
        Wheel(dlg, -WHEEL_DELTA);      // at the end: stays
        seen.push_back(ShownRows(dlg));
        Click(dlg, IDCANCEL);
    });
    const std::vector<std::vector<std::string>> expected = {RowsFrom(0), RowsFrom(1), RowsFrom(2),
                                                            RowsFrom(1), RowsFrom(6)};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(result, IDCANCEL);
}

// Tab as the dialog manager sees it, Shift held or not.
int PressTab(HWND dialog, bool shift)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG tab = {};
    tab.hwnd = GetFocus();
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    IsDialogMessageA(dialog, &tab);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    return GetDlgCtrlID(GetFocus());
}

// The keyboard reaches all ten entries, and after any scroll it is in the entry the caret
// was in, or in none.
TEST_F(LaunchSettingDlgTest, TabReachesEveryEntryAndTheKeyboardFollowsItsEntry)
{
    StoreIni("C:\\home", false, false);
    std::vector<std::string> seen;
    const auto note = [&](HWND dlg, int focus) {
        seen.push_back(std::to_string(focus) + " " + Text(dlg, IDC_LAUNCH_GROUP1) + ".." + Text(dlg, IDC_LAUNCH_GROUP4));
    };
    const INT_PTR result = RunLaunch([&](HWND dlg) {
        MSG posted;  // what the dialog posted itself while opening
        while (PeekMessageA(&posted, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&posted);
        note(dlg, GetDlgCtrlID(GetFocus()));
        int focus = 0;
        for (int i = 0; i < 27; ++i)
            focus = PressTab(dlg, false);
        note(dlg, focus);                        // 項目 10's name
        for (int i = 0; i < 5; ++i)
            focus = PressTab(dlg, false);
        note(dlg, focus);                        // past 取消, round to 項目 1
        note(dlg, PressTab(dlg, true));          // back to 取消
        PressTab(dlg, true);
        note(dlg, PressTab(dlg, true));          // 項目 10's 参照
        // The caret in 項目 8's name after "ab"; a wheel notch up moves the entry a row down,
        // and the caret with it.
        SetFocus(GetDlgItem(dlg, IDC_LAUNCH_NAME2));
        Type(dlg, IDC_LAUNCH_NAME2, "ab8");
        SendDlgItemMessageA(dlg, IDC_LAUNCH_NAME2, EM_SETSEL, 2, 2);
        Wheel(dlg, WHEEL_DELTA);
        DWORD caret = 0;
        SendMessageA(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
        note(dlg, GetDlgCtrlID(GetFocus()) * 10 + static_cast<int>(caret));
        SendMessageA(GetFocus(), WM_CHAR, 'Y', 0);
        Scroll(dlg, SB_TOP);                     // 項目 8 goes out of view: so does the keyboard
        note(dlg, GetDlgCtrlID(GetFocus()));
        SetFocus(GetDlgItem(dlg, IDC_LAUNCH_PATH2));
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_NEXT, 0);  // a page on: 項目 2 to 項目 6
        note(dlg, GetDlgCtrlID(GetFocus()));
        // From a middle page too; PageUp back to 項目 2.
        Scroll(dlg, SB_THUMBPOSITION, 4);
        SetFocus(GetDlgItem(dlg, IDC_LAUNCH_PATH2));  // 項目 6
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_NEXT, 0);
        note(dlg, GetDlgCtrlID(GetFocus()));
        Scroll(dlg, SB_THUMBPOSITION, 4);
        SetFocus(GetDlgItem(dlg, IDC_LAUNCH_PATH2));
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_PRIOR, 0);
        note(dlg, GetDlgCtrlID(GetFocus()));
        // From the scroll bar, which has the keyboard once its entry scrolled away, Tab goes
        // on to the first stop of the rows shown and Shift+Tab to their last.
        Scroll(dlg, SB_THUMBPOSITION, 3);
        note(dlg, PressTab(dlg, false));
        SetFocus(GetDlgItem(dlg, IDC_LAUNCH_PATH1));  // 項目 4
        Scroll(dlg, SB_LINEDOWN);
        note(dlg, PressTab(dlg, true));
        Click(dlg, IDOK);
    });
    const std::vector<std::string> expected = {
        "110 項目 1..項目 4", "116 項目 7..項目 10", "110 項目 1..項目 4", "2 項目 1..項目 4",
        "123 項目 7..項目 10", "1142 項目 6..項目 9", "160 項目 1..項目 4", "113 項目 5..項目 8",
        "117 項目 7..項目 10", "113 項目 1..項目 4", "110 項目 4..項目 7", "123 項目 5..項目 8"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadKey(Launcher, "NAME8"), "abY8");
    EXPECT_EQ(ReadKey(Launcher, "NAME7"), EntryName(7));
}

TEST_F(LaunchSettingDlgTest, EditsOnSeveralPagesSurviveScrollingAndOkWritesThemAll)
{
    StoreIni("C:\\home", true, false);
    std::string backInRowOne;
    const INT_PTR result = RunLaunch([&](HWND dlg) {
        Type(dlg, IDC_LAUNCH_NAME1, "一番");
        Scroll(dlg, SB_LINEDOWN);
        Scroll(dlg, SB_LINEUP);
        backInRowOne = Text(dlg, IDC_LAUNCH_NAME1);
        Scroll(dlg, SB_PAGEDOWN);                 // entries 5 to 8
        Type(dlg, IDC_LAUNCH_NAME2, "");          // entry 6 emptied
        Type(dlg, IDC_LAUNCH_PATH2, "C:\\表\\六.exe");
        Scroll(dlg, SB_BOTTOM);                   // entries 7 to 10, still shown on OK
        Type(dlg, IDC_LAUNCH_NAME4, "\"十番\"");      // a name keeps its quotes
        Type(dlg, IDC_LAUNCH_PATH4, "\"C:\\十\\ten.exe\"");  // a path loses them
        WriteKey(Common, "HOME", "C:\\他");  // meanwhile, another hand
        WriteKey(Launcher, "PATH2", "C:\\他.exe");
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(backInRowOne, "一番");
    EXPECT_EQ(KeysOf(Launcher), AllLauncherKeys());
    EXPECT_EQ(ReadKey(Common, "HOME"), "C:\\他");
    EXPECT_EQ(ReadKey(Common, "DISP_SYSTEM_FILE"), "TRUE");
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        const std::string name = k == 1 ? "一番" : k == 6 ? "" : k == 10 ? "\"十番\"" : EntryName(k);
        const std::string path = k == 6 ? "C:\\表\\六.exe" : k == 10 ? "C:\\十\\ten.exe" : k == 2 ? "C:\\他.exe" : EntryPath(k);
        EXPECT_EQ(ReadKey(Launcher, "NAME" + std::to_string(k)), name);
        EXPECT_EQ(ReadKey(Launcher, "PATH" + std::to_string(k)), path);
    }
    EXPECT_EQ(std::string(GetSystemData()->GetLaunchName(9).GetString()), "\"十番\"");
    EXPECT_EQ(std::string(GetSystemData()->GetLaunchPath(9).GetString()), "C:\\十\\ten.exe");
}

TEST_F(LaunchSettingDlgTest, CancelEscAndCloseBoxLeaveTheFileAsItWas)
{
    const Script edit = [](HWND dlg) {
        Type(dlg, IDC_LAUNCH_NAME1, "changed");
        Scroll(dlg, SB_PAGEDOWN);
        Type(dlg, IDC_LAUNCH_PATH3, "C:\\changed.exe");
    };
    ExpectCancelsKeepTheFile<CLaunchSettingDlg>("ランチャー設定", IDC_LAUNCH_PATH3, edit, [](bool fileExists) {
        EXPECT_EQ(std::string(GetSystemData()->GetLaunchName(0).GetString()),
                  fileExists ? EntryName(1) : "");
    });
}

// Where the settings file should be there is a folder: nothing can be written.
TEST_F(LaunchSettingDlgTest, AFailedSaveIsReportedAndNothingIsLost)
{
    StoreIni("C:\\home", false, false);
    RemoveIni();
    ASSERT_TRUE(CreateDirectoryA(IniPath().c_str(), nullptr));

    std::vector<std::string> told;
    bool visibleAfter = false;
    std::string kept;
    const INT_PTR result = RunLaunch(
        [&](HWND dlg) {
            Scroll(dlg, SB_BOTTOM);
            Type(dlg, IDC_LAUNCH_NAME4, "十番");
            Click(dlg, IDOK);
            visibleAfter = IsWindowVisible(dlg) != FALSE;
            kept = Text(dlg, IDC_LAUNCH_NAME4);
            // The user makes room for the file and tries again.
            RemoveDirectoryA(IniPath().c_str());
            Click(dlg, IDOK);
        },
        ModalDriver::Note(told));
    EXPECT_EQ(told.size(), 1u);
    EXPECT_TRUE(Has(told, SaveFailure(ERROR_ACCESS_DENIED))) << (told.empty() ? "" : told.back());
    EXPECT_TRUE(visibleAfter);
    EXPECT_EQ(kept, "十番");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadKey(Launcher, "NAME10"), "十番");
    EXPECT_EQ(ReadKey(Launcher, "NAME1"), EntryName(1));
    EXPECT_EQ(KeysOf(Launcher), AllLauncherKeys());
}

// The display name is cut after the last real separator: 表 and ソ end in the byte 0x5C.
TEST_F(LaunchSettingDlgTest, AChosenProgramGivesItsRealFileNameAsTheName)
{
    const std::vector<std::pair<std::string, std::string>> programs = {
        {"C:\\ツール\\表\\表示.exe", "表示.exe"},
        {"C:\\ソ\\ソフト.exe", "ソフト.exe"},
        {"C:\\bin\\tool.exe", "tool.exe"},
        {"tool.exe", "tool.exe"},
    };
    CLaunchSettingDlg dialog;
    std::vector<std::string> names, paths;
    const INT_PTR result = RunModal(dialog, "ランチャー設定", [&](HWND dlg) {
        for (const auto& program : programs) {
            dialog.SetProgram(2, program.first.c_str());
            names.push_back(Text(dlg, IDC_LAUNCH_NAME3));
            paths.push_back(Text(dlg, IDC_LAUNCH_PATH3));
        }
        Click(dlg, IDOK);
    });
    ASSERT_EQ(names.size(), programs.size());
    for (size_t i = 0; i < programs.size(); ++i) {
        EXPECT_EQ(names[i], programs[i].second);
        EXPECT_EQ(paths[i], programs[i].first);
    }
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadKey(Launcher, "NAME3"), "tool.exe");
}

TEST_F(LaunchSettingDlgTest, BrowseOpensTheOpenFileDialogAndCancelKeepsTheRow)
{
    StoreIni("C:\\home", false, false);
    HWND dialogWindow = nullptr, fileOwner = nullptr;
    std::string fileTitle;
    std::vector<std::string> after;
    const INT_PTR result = RunLaunch(
        [&](HWND dlg) {
            dialogWindow = dlg;
            Scroll(dlg, SB_LINEDOWN);
            Click(dlg, IDC_LAUNCH_BROWSE2);  // entry 3
            after = ShownRows(dlg);
            Click(dlg, IDCANCEL);
        },
        [&](HWND files) {
            fileTitle = TextOf(files);
            fileOwner = GetWindow(files, GW_OWNER);
            PostMessageA(files, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(fileTitle, "ファイルを開く");
    EXPECT_EQ(fileOwner, dialogWindow);
    EXPECT_EQ(after, RowsFrom(1));
}

// ---------------------------------------------------------------------------------------
// Colours: black dialogs, white label text; edit fields keep the system's colours.

TEST(SettingsDialogColours, AllThreeAnswerBlackBackgroundAndWhiteStaticText)
{
    CreateSystemData();
    CVersionDlg version;
    CCommonSettingDlg common;
    CLaunchSettingDlg launcher;
    const std::vector<std::pair<CDialog*, const char*>> dialogs = {
        {&version, "バージョン情報"}, {&common, "共通設定"}, {&launcher, "ランチャー設定"}};
    const LRESULT black = reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    for (const auto& entry : dialogs) {
        SCOPED_TRACE(entry.second);
        LRESULT dialogBrush = 0, staticBrush = 0, editBrush = 0;
        COLORREF text = 0, back = 0;
        RunModal(*entry.first, entry.second, [&](HWND dlg) {
            HDC dc = CreateCompatibleDC(nullptr);
            SetTextColor(dc, RGB(1, 2, 3));
            SetBkColor(dc, RGB(4, 5, 6));
            dialogBrush = SendMessageA(dlg, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(dlg));
            HWND label = FindWindowExA(dlg, nullptr, "Static", nullptr);
            staticBrush = SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(label));
            text = GetTextColor(dc);
            back = GetBkColor(dc);
            HWND edit = FindWindowExA(dlg, nullptr, "Edit", nullptr);
            if (edit != nullptr)
                editBrush = SendMessageA(dlg, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(edit));
            DeleteDC(dc);
            CloseBox(dlg);
        });
        EXPECT_EQ(dialogBrush, black);
        EXPECT_EQ(staticBrush, black);
        EXPECT_EQ(text, RGB(255, 255, 255));
        EXPECT_EQ(back, RGB(0, 0, 0));
        EXPECT_NE(editBrush, black);
    }
    DestroySystemData();
}

// ---------------------------------------------------------------------------------------

TEST(VersionDlg, ShowsTheVersionAndEndsByOkEscOrCloseBox)
{
    const std::vector<std::pair<std::function<void(HWND)>, INT_PTR>> ways = {
        {[](HWND dlg) { Click(dlg, IDOK); }, IDOK},
        {[](HWND dlg) { PressEscape(dlg, IDOK); }, IDCANCEL},
        {[](HWND dlg) { CloseBox(dlg); }, IDCANCEL},
    };
    for (const auto& way : ways) {
        CVersionDlg dialog;
        std::vector<std::string> texts;
        const INT_PTR result = RunModal(dialog, "バージョン情報", [&](HWND dlg) {
            texts = ChildTexts(dlg);
            way.first(dlg);
        });
        EXPECT_EQ(result, way.second);
        EXPECT_TRUE(Has(texts, "Tavlornエクスプローラ　Ver 0.10"));
        EXPECT_TRUE(Has(texts, "OK"));
    }
}

// ---------------------------------------------------------------------------------------
// The main window's commands run the dialogs and take new settings in after "登録".

class SettingsCommandTest : public SettingsDialogTest {
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        SetFileAttributesA(tree.MakeFile("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        tool = tree.MakeFile("tool.exe");
        StoreIni(tree.Path(), false, false);
        OpenWindow();
        ASSERT_EQ(Listed("hidden.txt"), false);
    }

    void TearDown() override
    {
        CloseWindow();
        SettingsDialogTest::TearDown();
    }

    bool Listed(const std::string& name) { return Has(Names(ListRows()), name); }

    void Command(int id, const char* caption, const Script& script)
    {
        EXPECT_TRUE(ModalDriver::Play(caption, script, [&] { window.SendMessage(WM_COMMAND, id, 0); }))
            << "command " << id << " showed no \"" << caption << "\"";
    }

    std::string tool;
};

TEST_F(SettingsCommandTest, CommonSettingsOkReloadsAndCancelDoesNot)
{
    // Cancel: a flag changed in the file by hand is not taken in.
    WriteKey(Common, "DISP_HIDDEN_FILE", "TRUE");
    HWND owner = nullptr;
    Command(IDM_SETTING_COMMON, "共通設定", [&](HWND dlg) {
        owner = GetWindow(dlg, GW_OWNER);
        Click(dlg, IDC_DISP_SYSTEM_FILE);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(owner, window.GetHwnd());
    EXPECT_FALSE(Listed("hidden.txt"));
    EXPECT_TRUE(IsWindowEnabled(window.GetHwnd()));

    Command(IDM_SETTING_COMMON, "共通設定", [&](HWND dlg) {
        Click(dlg, IDC_DISP_HIDDEN_FILE);
        Click(dlg, IDOK);
    });
    EXPECT_TRUE(Listed("hidden.txt"));
    EXPECT_TRUE(GetSystemData()->GetDispHiddenFile());
    EXPECT_EQ(ReadKey(Common, "DISP_HIDDEN_FILE"), "TRUE");
}

TEST_F(SettingsCommandTest, LauncherSettingsOkRenamesTheLauncherMenuAndCancelDoesNot)
{
    ASSERT_EQ(LauncherLabel(0), "(未登録)");
    Command(IDM_SETTING_LAUNCHER, "ランチャー設定", [&](HWND dlg) {
        Type(dlg, IDC_LAUNCH_NAME1, "道具");
        Type(dlg, IDC_LAUNCH_PATH1, tool);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(LauncherLabel(0), "(未登録)");

    HWND owner = nullptr;
    Command(IDM_SETTING_LAUNCHER, "ランチャー設定", [&](HWND dlg) {
        owner = GetWindow(dlg, GW_OWNER);
        Type(dlg, IDC_LAUNCH_NAME1, "道具");
        Type(dlg, IDC_LAUNCH_PATH1, tool);
        Scroll(dlg, SB_BOTTOM);
        Type(dlg, IDC_LAUNCH_NAME4, "十番");
        Type(dlg, IDC_LAUNCH_PATH4, tool);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(owner, window.GetHwnd());
    EXPECT_EQ(LauncherLabel(0), "道具");
    EXPECT_EQ(LauncherLabel(9), "十番");
    EXPECT_EQ(LauncherLabel(1), "(未登録)");  // its stored program does not exist
}

TEST_F(SettingsCommandTest, AboutIsOwnedByTheMainWindowAndChangesNothing)
{
    const std::string before = ReadWholeFile(IniPath());
    HWND owner = nullptr;
    Command(IDM_HELP_VERSION, "バージョン情報", [&](HWND dlg) {
        owner = GetWindow(dlg, GW_OWNER);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(owner, window.GetHwnd());
    EXPECT_EQ(ReadWholeFile(IniPath()), before);
}

// ---------------------------------------------------------------------------------------
// A save that fails, reached through the main window's own commands: a dialog the script
// left open is cancelled, and the boxes it opened meanwhile are noted and closed.

class FailedSave : public ExplorerFixture {
protected:
    std::string Ini() { return settings->GetFilePath(CSystemData::SettingsFile).GetString(); }
    bool Play(UINT command, const char* caption, const Script& script, std::vector<std::string>& told)
    {
        return ModalDriver::Play(caption, [&](HWND dialog) {
            script(dialog);
            if (IsWindowVisible(dialog))
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }, [&] { window->SendMessage(WM_COMMAND, command, 0); }, [&](HWND box) {
            boxOwner = GetWindow(box, GW_OWNER);
            ModalDriver::Note(told)(box);
        });
    }
    HWND boxOwner = nullptr;
};

// A save that fails must not pass for a saved one: the user is told, the dialog stays with
// what was typed, and the explorer keeps the settings the file still holds.
TEST_F(FailedSave, IsToldAndNeitherTheWindowNorTheFileChange)
{
    const std::string before = ReadWholeFile(Ini());
    HANDLE lock = CreateFileA(Ini().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const struct {
        UINT command;
        const char* caption;
        int field;
        const char* typed;
    } dialogs[] = {{IDM_SETTING_COMMON, "共通設定", IDC_HOME, "C:\\new"},
                   {IDM_SETTING_LAUNCHER, "ランチャー設定", IDC_LAUNCH_NAME1, "新しい名前"}};
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.caption);
        bool visibleBefore = false, stayedOpen = false;
        HWND dialogWindow = nullptr;
        std::string kept;
        std::vector<std::string> told;
        ASSERT_TRUE(Play(d.command, d.caption, [&](HWND dialog) {
            dialogWindow = dialog;
            Type(dialog, d.field, d.typed);
            visibleBefore = IsWindowVisible(dialog) != FALSE;
            Click(dialog, IDOK);
            stayedOpen = IsWindowVisible(dialog) != FALSE;
            kept = Text(dialog, d.field);
            Click(dialog, IDCANCEL);
        }, told));
        EXPECT_EQ(told, std::vector<std::string>{SaveFailure(ERROR_SHARING_VIOLATION)});
        EXPECT_EQ(boxOwner, dialogWindow);
        ASSERT_TRUE(visibleBefore);
        EXPECT_TRUE(stayedOpen) << "the dialog ended as if saved";
        EXPECT_EQ(kept, d.typed);
        EXPECT_TRUE(IsWindowEnabled(window->GetHwnd()));
        EXPECT_EQ(PathText(), tree.Path());
    }
    CloseHandle(lock);
    EXPECT_EQ(LauncherLabel(0), "記録");
    EXPECT_STREQ(settings->GetLaunchName(0).GetString(), "記録");
    EXPECT_EQ(std::string(settings->GetHome().GetString()), tree.Path());
    EXPECT_EQ(ReadWholeFile(Ini()), before);
}

// Started while another program held the file, the explorer has defaults only: an OK
// must not write them over the stored settings.
TEST_F(FailedSave, DefaultsReadFromAHeldFileAreNeverSaved)
{
    const std::string before = ReadWholeFile(Ini());
    HANDLE lock = CreateFileA(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    DestroySystemData();
    CreateSystemData();
    settings = GetSystemData();
    EXPECT_EQ(settings->Load(), 0);

    const Script hiddenOn = [](HWND dialog) {
        Click(dialog, IDC_DISP_HIDDEN_FILE);
        Click(dialog, IDOK);
    };
    std::vector<std::string> told, toldAgain;
    ASSERT_TRUE(Play(IDM_SETTING_COMMON, "共通設定", hiddenOn, told));
    CloseHandle(lock);
    EXPECT_TRUE(Has(told, SaveFailure(ERROR_SHARING_VIOLATION)));
    EXPECT_EQ(ReadWholeFile(Ini()), before);

    // Once the file reads again, a reload brings the stored settings back and OK works.
    window->SendMessage(WM_COMMAND, IDM_RELOAD, 0);
    EXPECT_EQ(LauncherLabel(0), "記録");
    ASSERT_TRUE(Play(IDM_SETTING_COMMON, "共通設定", hiddenOn, toldAgain));  // the same clicks
    EXPECT_TRUE(toldAgain.empty());
    CSystemData stored;
    ASSERT_EQ(stored.Load(), 1);
    EXPECT_EQ(stored.GetDispHiddenFile(), 1);
    EXPECT_STREQ(stored.GetLaunchName(0).GetString(), "記録");
    EXPECT_STREQ(stored.GetHome().GetString(), tree.Path().c_str());
}
