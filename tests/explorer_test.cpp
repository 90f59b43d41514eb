#include "explorer/MainWnd.h"
#include "resource.h"
#include "settings/SystemData.h"
#include "support/MainWindow.h"
#include "support/ModalDriver.h"
#include "support/TestProcess.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

class MainWndTest : public MainWindowTest {
protected:
    CMainWnd& Main() override { return window; }

    // The selected rows' names, each with a space, then "|" and the focused row's name.
    std::string Place()
    {
        std::string text;
        CListView& list = window.FileList();
        for (int row = -1; (row = list.GetNextItem(row, LVNI_SELECTED)) >= 0;)
            text += list.GetItemText(row, 0).GetString() + std::string(" ");
        return text + "|" + list.GetItemText(list.GetNextItem(-1, LVNI_FOCUSED), 0).GetString();
    }

    CMainWnd window{"Tavlornエクスプローラ"};
};

TEST_F(MainWndTest, OpensAtTheHomeFolderWhenNoStartFolderIsGiven)
{
    EXPECT_EQ(PathText(), tree.Path());
}

TEST_F(MainWndTest, ListsParentFirstThenEntriesInEnumerationOrder)
{
    tree.MakeDir("B");
    tree.MakeDir("日本語のフォルダ");
    tree.MakeFile("f.txt");
    tree.MakeFile("表示.txt");
    ASSERT_EQ(window.Navigate(tree.Path().c_str()), 1);

    const Rows rows = ListRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], std::make_pair(std::string(".."), std::string(FolderKind)));
    EXPECT_EQ(rows, WalkFolder(tree.Path(), false, false));
    for (const auto& row : rows)
        EXPECT_NE(row.first, ".");
    const std::vector<std::string> names = Names(rows);
    EXPECT_NE(std::find(names.begin(), names.end(), "表示.txt"), names.end());  // Shift-JIS bytes kept
    EXPECT_EQ(rows.size(), 5u);
}

TEST_F(MainWndTest, HiddenAndSystemEntriesFollowTheirOwnFlag)
{
    SetFileAttributesA(tree.MakeFile("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(tree.MakeFile("system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA(tree.MakeFile("both.txt").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.MakeFile("plain.txt");
    window.Navigate(tree.Path().c_str());
    auto shown = [&] { return Names(ListRows()); };
    using Names_ = std::vector<std::string>;

    EXPECT_EQ(shown(), Names(WalkFolder(tree.Path(), false, false)));
    EXPECT_EQ(shown().size(), 2u) << "only .. and plain.txt";

    settings->SetDispHiddenFile(TRUE);
    window.ListFolder();
    EXPECT_EQ(shown(), Names(WalkFolder(tree.Path(), true, false)));
    Names_ hiddenOnly = shown();
    EXPECT_NE(std::find(hiddenOnly.begin(), hiddenOnly.end(), "hidden.txt"), hiddenOnly.end());
    EXPECT_EQ(std::find(hiddenOnly.begin(), hiddenOnly.end(), "both.txt"), hiddenOnly.end());

    settings->SetDispHiddenFile(FALSE);
    settings->SetDispSystemFile(TRUE);
    window.ListFolder();
    EXPECT_EQ(shown(), Names(WalkFolder(tree.Path(), false, true)));

    settings->SetDispHiddenFile(TRUE);
    window.ListFolder();
    EXPECT_EQ(shown().size(), 5u);
}

TEST_F(MainWndTest, JoinPathHandlesSeparatorsAndParents)
{
    const std::vector<std::pair<std::pair<const char*, const char*>, const char*>> cases{
        {{"C:\\", "x"}, "C:\\x"},
        {{"C:\\A", "x"}, "C:\\A\\x"},
        {{"C:\\A\\", "x"}, "C:\\A\\x"},
        {{"C:\\A\\B", ".."}, "C:\\A"},
        {{"C:\\A\\B\\", ".."}, "C:\\A"},
        {{"C:\\A", ".."}, "C:\\"},
        {{"C:\\", ".."}, ""},
        {{"\\\\srv\\share\\", ".."}, ""},
        {{"\\\\srv\\share\\x\\", ".."}, "\\\\srv\\share\\"},
        {{"C:", ".."}, ""},
        {{"", "x"}, "\\x"},
        // 表 and ソ end in the byte 0x5C, which is not a separator there.
        {{"C:\\d\\表", "x"}, "C:\\d\\表\\x"},
        {{"C:\\d\\表", ".."}, "C:\\d"},
        {{"C:\\d\\表\\ソ", ".."}, "C:\\d\\表"},
        {{"C:\\ソ", "十"}, "C:\\ソ\\十"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(window.JoinPath(c.first.first, c.first.second).GetString(), c.second)
            << c.first.first << " + " << c.first.second;
}

TEST_F(MainWndTest, NavigateRefusesWhatIsNotAFolder)
{
    tree.MakeDir("sub");
    const std::string file = tree.MakeFile("a.txt");
    window.Navigate(tree.Path().c_str());
    const Rows before = ListRows();

    EXPECT_EQ(window.Navigate(file.c_str()), 0);
    EXPECT_EQ(window.Navigate((tree / "missing").c_str()), 0);
    EXPECT_EQ(window.Navigate(""), 0);
    EXPECT_EQ(PathText(), tree.Path());
    EXPECT_EQ(ListRows(), before);
}

// A folder of 257 bytes is a folder, but with "\*.*" behind it no ANSI path can reach its
// entries: it is refused, never shown as empty.
TEST_F(MainWndTest, AFolderThatCannotBeEnumeratedIsRefusedNotListedEmpty)
{
    const std::string parent = tree.MakeDir(std::string(245 - tree.Path().size(), 'L'));
    const std::string folder = parent + "\\" + std::string(257 - parent.size() - 1, 'M');
    for (const std::string& path : {folder, folder + "\\inner", folder + "\\a.txt"}) {
        const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
        ASSERT_TRUE(path.back() == 't' ? CloseHandle(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr))
                                       : CreateDirectoryW(wide.c_str(), nullptr)) << path;
    }
    ASSERT_TRUE(PathIsDirectoryA(folder.c_str()));
    ASSERT_EQ(window.Navigate(parent.c_str()), 1);
    const Rows before = ListRows();
    ASSERT_EQ(before.size(), 2u) << "the parent lists it";

    EXPECT_EQ(window.Navigate(folder.c_str()), 0);
    Select(before[1].first);
    window.OnOpen();
    window.PathBox().SetWindowText(folder.c_str());  // typed, and Enter
    EXPECT_EQ(window.OnReload(), 0);
    EXPECT_EQ(PathText(), folder);
    EXPECT_EQ(ListRows(), before);
    window.PathBox().SetWindowText(parent.c_str());
    EXPECT_EQ(window.OnUp(), 1);
    EXPECT_EQ(PathText(), tree.Path()) << "the rows still meant the parent";
}

TEST_F(MainWndTest, UpFromADriveRootStopsAtTheDrive)
{
    const std::string sub = tree.MakeDir("sub");
    ASSERT_EQ(window.Navigate((sub + "\\").c_str()), 1);
    window.OnUp();
    EXPECT_EQ(PathText(), tree.Path());
    ASSERT_EQ(window.Navigate("C:"), 1);  // the drive's root, not its current directory
    EXPECT_EQ(PathText(), "C:\\");
    const Rows atDrive = ListRows();
    EXPECT_FALSE(atDrive.empty());
    EXPECT_EQ(window.OnUp(), 1);  // nothing above: refused
    EXPECT_EQ(PathText(), "C:\\");
    EXPECT_EQ(ListRows(), atDrive);
}

TEST_F(MainWndTest, AFolderRootKeepsItsFirstRealEntry)
{
    window.Navigate("C:\\");
    const Rows rows = ListRows();
    EXPECT_EQ(rows, WalkFolder("C:", false, false));
}

TEST_F(MainWndTest, HomeFallsBackToTheDocumentsFolder)
{
    char documents[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, documents, CSIDL_PERSONAL, FALSE));

    settings->SetHome("");
    EXPECT_EQ(window.OnHome(), 1);
    EXPECT_EQ(PathText(), documents);

    window.Navigate(tree.Path().c_str());
    settings->SetHome((tree / "gone").c_str());
    EXPECT_EQ(window.OnHome(), 1);
    EXPECT_EQ(PathText(), documents);

    const std::string sub = tree.MakeDir("home");
    settings->SetHome(sub.c_str());
    window.OnHome();
    EXPECT_EQ(PathText(), sub);
}

TEST_F(MainWndTest, FoldersEndingInTrailByte5CListGoInAndUp)
{
    const std::string hyo = tree.MakeDir("表");
    tree.MakeDir("表示");  // a sibling that a byte-wise pattern would list instead
    const std::string soft = tree.MakeDir("表\\ソフト");
    const std::string ju = tree.MakeDir("表\\ソフト\\十");
    tree.MakeFile("表\\in-hyo.txt");
    tree.MakeFile("表\\ソフト\\十\\deep.txt");

    ASSERT_EQ(window.Navigate(hyo.c_str()), 1);
    EXPECT_EQ(ListRows(), WalkFolder(hyo, false, false));

    window.OpenFolder("ソフト");
    EXPECT_EQ(PathText(), soft);
    window.OpenFolder("十");
    EXPECT_EQ(PathText(), ju);
    EXPECT_EQ(ListRows(), WalkFolder(ju, false, false));
    EXPECT_EQ(ListRows().size(), 2u);

    window.OnUp();
    EXPECT_EQ(PathText(), soft);
    EXPECT_EQ(Place(), "十 |十");  // the folder left
    window.Navigate((ju + "\\").c_str());  // typed with a closing separator
    window.OnUp();
    EXPECT_EQ(Place(), "十 |十");
    window.OnUp();
    EXPECT_EQ(PathText(), hyo);
    EXPECT_EQ(ListRows(), WalkFolder(hyo, false, false));
    window.OnUp();
    EXPECT_EQ(PathText(), tree.Path());
}

TEST_F(MainWndTest, ReloadReadsTheSettingsFileAgain)
{
    SetFileAttributesA(tree.MakeFile("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    window.Navigate(tree.Path().c_str());
    EXPECT_EQ(ListRows().size(), 1u);

    CSystemData written;
    written.SetDispHiddenFile(TRUE);
    ASSERT_TRUE(written.Save());
    EXPECT_EQ(window.OnReload(), 1);
    EXPECT_EQ(ListRows().size(), 2u);
    DeleteFileA(written.GetFilePath(CSystemData::SettingsFile).GetString());
}

TEST_F(MainWndTest, EveryMainWindowHasMenusOfItsOwn)
{
    CMainWnd second{"Tavlornエクスプローラ"};
    ASSERT_NE(second.Create(0, 0, 640, 480, nullptr), nullptr);
    EXPECT_NE(second.ContextMenu().GetHandle(), window.ContextMenu().GetHandle());
    for (HMENU bar : {GetMenu(window.GetHwnd()), GetMenu(second.GetHwnd())}) {
        ASSERT_EQ(GetMenuItemCount(bar), 4);
        const int items[] = {4, 0, 2, 2};  // File, Edit, Settings, Help
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, i)), items[i]) << "drop-down " << i;
    }
}

// Entries come and go between two listings, so rows are found again by name.
TEST_F(MainWndTest, UpShowsTheFolderLeftAndReloadKeepsSelectionAndTopRow)
{
    for (int i = 10; i < 70; ++i)
        tree.MakeDir("d" + std::to_string(i));
    const std::string parent = tree.Path().substr(tree.Path().rfind('\\') + 1);
    tree.MakeDir("d65\\" + parent);  // named like the folder it is entered from
    window.OpenFolder("d65");
    EXPECT_EQ(Place(), "|..");  // a folder gone into starts at its top, only going up lands
    RemoveDirectoryA((tree / ("d65\\" + parent)).c_str());
    window.OnUp();
    CListView& list = window.FileList();
    const int left = list.GetNextItem(-1, LVNI_SELECTED), top = list.GetTopIndex();
    EXPECT_EQ(Place(), "d65 |d65");
    EXPECT_TRUE(top > 0 && left < top + list.SendMessage(LVM_GETCOUNTPERPAGE, 0, 0)) << top;
    for (const char* name : {"..", "d30", "d66"})
        list.SetItemState(list.FindItem(-1, name), LVIS_SELECTED, LVIS_SELECTED);
    list.SendMessage(LVM_SCROLL, 0, -100);
    const std::string first = list.GetItemText(list.GetTopIndex(), 0).GetString();
    for (const char* name : {"a", "b", "c"})
        tree.MakeDir(name);  // every row moves down three
    RemoveDirectoryA((tree / "d30").c_str());
    window.SendMessage(WM_COMMAND, IDM_RELOAD, 0);
    EXPECT_EQ(Place(), ".. d65 d66 |d65");
    EXPECT_EQ(list.GetItemText(list.GetTopIndex(), 0).GetString(), first);
    list.SetItemState(0, 0, LVIS_SELECTED);
    RemoveDirectoryA((tree / "d65").c_str());  // the focus goes to the first row still selected
    window.SendMessage(WM_COMMAND, IDM_RELOAD, 0);
    EXPECT_EQ(Place(), "d66 |d66");
    // Wine scrolls to a row given the focus: only a focus above the kept top row leaves that
    // row below the refilled view, and a row scrolled down to lands at the bottom.
    list.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    list.SendMessage(LVM_SCROLL, 0, 500);
    const std::string lower = list.GetItemText(list.GetTopIndex(), 0).GetString();
    window.OnReload();
    EXPECT_EQ(Place(), "d66 |..");
    EXPECT_EQ(list.GetItemText(list.GetTopIndex(), 0).GetString(), lower);
    // Two names of one length fill the kept selection's first block to its last byte.
    const std::string full(63, 'n'), twin(63, 'm');
    tree.MakeDir(full);
    tree.MakeDir(twin);
    window.ListFolder();
    Select({full, twin});
    window.OnReload();
    EXPECT_EQ(Place(), twin + " " + full + " |" + twin);
    window.PathBox().SetWindowText((tree / "d66\\..").c_str());  // typed over: maybe another folder
    window.OnReload();
    EXPECT_EQ(Place(), "|..");
}

namespace {

// Counts the list's notifications on their way to the window's own handler.
class CNoticeCountingWnd : public CMainWnd {
public:
    using CMainWnd::CMainWnd;
    std::vector<UINT> codes;
    std::vector<HCURSOR> cursors;  // as each row went in
    LRESULT OnListNotify(WPARAM wParam, NMHDR* header) override
    {
        codes.push_back(header->code);
        if (header->code == LVN_INSERTITEM)
            cursors.push_back(GetCursor());
        return CMainWnd::OnListNotify(wParam, header);
    }
    size_t Count(UINT code) const { return std::count(codes.begin(), codes.end(), code); }
};

}  // namespace

// Rows hold no data, so leaving a folder clears the list in one step: a notice per
// deleted row would make leaving a large folder cost as much again.
class MainWndLeaving : public MainWindowTest {
protected:
    void SetUp() override { CreateSettings(); }  // the test opens the window on its tree
    CMainWnd& Main() override { return window; }
    CNoticeCountingWnd window{"Tavlornエクスプローラ"};
};

TEST_F(MainWndLeaving, ClearsTheListWithoutANoticePerRowUnderTheWaitCursor)
{
    const std::string full = tree.MakeDir("full");
    const std::string empty = tree.MakeDir("empty");
    for (const char* name : {"a.txt", "b.txt", "表示.txt"})
        tree.MakeFile(std::string("full\\") + name);
    settings->SetStartFolder(full.c_str());
    OpenWindow();
    ASSERT_EQ(window.FileList().GetItemCount(), 4);
    EXPECT_EQ(window.Count(LVN_INSERTITEM), 4u);  // the list's notices do reach the window

    window.codes.clear();
    const HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    SetCursor(cross);
    ASSERT_EQ(window.Navigate(empty.c_str()), 1);
    EXPECT_EQ(window.cursors.back(), LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_EQ(window.Count(LVN_DELETEALLITEMS), 1u);
    EXPECT_EQ(window.Count(LVN_DELETEITEM), 0u);
    EXPECT_EQ(window.FileList().GetItemCount(), 1);
    EXPECT_EQ(window.FileList().GetItemText(0, 0), "..");
}

// Commands that reach the shell: a file type of the test's own whose "open" and
// "edit" verbs, like the launcher entries, run a recorder that writes down its
// command line.
class ShellCommandTest : public MainWndTest {
protected:
    void SetUp() override
    {
        UseRecorder(".tavrec");
        MainWndTest::SetUp();
        work = tree.MakeDir("work");
        tree.MakeDir("work\\sub");
        tree.MakeFile("work\\b.tavrec");
        tree.MakeFile("work\\c.tavrec");
        window.Navigate(work.c_str());
    }

    void RegisterLauncher(int index, const char* name, const std::string& program)
    {
        settings->SetLaunchName(index, name);
        settings->SetLaunchPath(index, program.c_str());
    }

    std::string work;
};

TEST_F(ShellCommandTest, OpenAndEditHandTheJoinedPathToTheShell)
{
    Select("b.tavrec");
    EXPECT_EQ(window.OnOpen(), 1);
    const std::string b = work + "\\b.tavrec";
    EXPECT_EQ(Recorded(1), std::vector<std::string>{"open \"" + b + "\""});  // before the next start
    EXPECT_EQ(window.OnEdit(), 1);
    EXPECT_EQ(Recorded(2), (std::vector<std::string>{"open \"" + b + "\"", "edit \"" + b + "\""}));
}

TEST_F(ShellCommandTest, FoldersAreEnteredNotEditedNorOpenedByTheShell)
{
    Select("sub");
    EXPECT_EQ(window.OnEdit(), 0);
    EXPECT_EQ(window.OnOpen(), 1);
    EXPECT_EQ(PathText(), work + "\\sub");
    Select("..");
    window.OnOpen();
    EXPECT_EQ(PathText(), work);
    Select("c.tavrec");
    window.OnEdit();  // the sentinel: nothing may have arrived before it
    EXPECT_EQ(Recorded(1), std::vector<std::string>{"edit \"" + work + "\\c.tavrec\""});
}

// A folder typed into the path box but not entered: the rows still belong to the listed one.
TEST_F(ShellCommandTest, RowsAreJoinedWithTheListedFolderNotAnEditedPathBox)
{
    const std::string typed = tree.MakeDir("other") + "\\sub";
    tree.MakeDir("other\\sub");
    tree.MakeFile("other\\sub\\b.tavrec");
    RegisterLauncher(2, "記録", recorder);
    window.PathBox().SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    Select("b.tavrec");
    const UINT commands[] = {IDM_FILE_OPEN, IDM_FILE_EDIT, IDM_OPEN_WITH_FIRST + 2};
    for (size_t i = 0; i < 3; ++i) {  // one at a time: the records keep the order
        window.SendMessage(WM_COMMAND, commands[i], 0);
        Recorded(i + 1);
    }
    const std::string b = "\"" + work + "\\b.tavrec\"";
    EXPECT_EQ(Recorded(3), (std::vector<std::string>{"open " + b, "edit " + b, b}));
    Select("..");
    window.SendMessage(WM_COMMAND, IDM_FILE_OPEN, 0);
    EXPECT_EQ(PathText(), tree.Path());
}

TEST_F(ShellCommandTest, LauncherGetsTheQuotedPathAndOnlyTheFirstSelectedRowCounts)
{
    RegisterLauncher(2, "記録", recorder);
    Select("b.tavrec");
    window.FileList().SetItemState(window.FileList().GetItemCount() - 1, LVIS_SELECTED,
                                   LVIS_SELECTED);
    EXPECT_EQ(window.OnOpenWith(2), 1);
    Recorded(1);  // the recorders start on their own; one at a time keeps the order
    Select("..");
    EXPECT_EQ(window.OnOpenWith(2), 1);
    Recorded(2);
    Select("sub");
    window.SendMessage(WM_COMMAND, IDM_OPEN_WITH_FIRST + 2, 0);
    EXPECT_EQ(Recorded(3), (std::vector<std::string>{"\"" + work + "\\b.tavrec\"",
                                                     "\"" + tree.Path() + "\"",
                                                     "\"" + work + "\\sub\""}));
    RegisterLauncher(9, "十番", recorder);
    Select("b.tavrec");
    window.SendMessage(WM_COMMAND, IDM_OPEN_WITH_LAST, 0);  // the tenth entry's command
    const std::vector<std::string> lines = Recorded(4);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], "\"" + work + "\\b.tavrec\"");
}

TEST_F(ShellCommandTest, NothingStartsWithoutSelectionOrWithAnUnregisteredLauncher)
{
    RegisterLauncher(0, "記録", recorder);
    RegisterLauncher(1, "壊れた", (tree / "missing.exe"));
    window.FileList().SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(window.OnOpen(), 0);
    EXPECT_EQ(window.OnEdit(), 0);
    EXPECT_EQ(window.OnOpenWith(0), 0);
    Select("b.tavrec");
    EXPECT_EQ(window.OnOpenWith(1), 0);
    EXPECT_EQ(window.OnOpenWith(3), 0);  // no entry at all
    EXPECT_EQ(window.OnOpenWith(0), 1);  // the sentinel
    EXPECT_EQ(Recorded(1), std::vector<std::string>{"\"" + work + "\\b.tavrec\""});
}

TEST_F(ShellCommandTest, LauncherMenuNamesOnlyEntriesWhoseProgramExists)
{
    RegisterLauncher(3, "名前だけ", (tree / "missing.exe"));
    RegisterLauncher(4, "", recorder);
    RegisterLauncher(5, "記録", recorder);
    RegisterLauncher(6, "型", std::string(ExecutableFolder()) + "\\R*.exe");  // matches Recorder.exe
    RegisterLauncher(7, "", tree.MakeFile("表.exe"));  // 表's trail byte is no separator
    RegisterLauncher(8, "型", std::string(ExecutableFolder()) + "\\Recorder.ex?");
    EXPECT_EQ(window.UpdateLauncherMenu(), 1);
    auto label = [&](int index) {
        char text[64] = "?";
        GetMenuStringA(window.ContextMenu().GetHandle(), IDM_OPEN_WITH_FIRST + index, text,
                       sizeof text, MF_BYCOMMAND);
        return std::string(text);
    };
    EXPECT_EQ(label(0), "(未登録)");
    EXPECT_EQ(label(3), "(未登録)");
    EXPECT_EQ(label(4), "Recorder.exe");  // no name: the program's file name
    EXPECT_EQ(label(5), "記録");
    EXPECT_EQ(label(6), "(未登録)");
    EXPECT_EQ(label(7), "表.exe");
    EXPECT_EQ(label(8), "(未登録)");
    Select("b.tavrec");
    EXPECT_EQ(window.OnOpenWith(6), 0);
    EXPECT_EQ(window.OnOpenWith(8), 0);

    CSystemData file;  // the settings file changes; a reload relabels
    file.SetLaunchName(0, "新しい");
    file.SetLaunchPath(0, recorder.c_str());
    ASSERT_TRUE(file.Save());
    window.OnReload();
    EXPECT_EQ(label(0), "新しい");
    EXPECT_EQ(label(5), "(未登録)");
    DeleteFileA(file.GetFilePath(CSystemData::SettingsFile).GetString());
}

// The list's keys arrive as LVN_KEYDOWN: the key goes to the list control itself,
// which tells its parent.
class ListKeysTest : public MainWndTest {
protected:
    void SetUp() override
    {
        MainWndTest::SetUp();
        work = tree.MakeDir("work");
        tree.MakeDir("work\\inner");
        window.Navigate(work.c_str());
    }

    void Key(UINT key) { window.FileList().SendMessage(WM_KEYDOWN, key, 0); }

    void SelectRow(int row)
    {
        window.FileList().SetItemState(-1, 0, LVIS_SELECTED);
        window.FileList().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }

    static void Control(bool down)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_CONTROL;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
        for (int i = 0; i < 100 && ((GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0) != down; ++i)
            Sleep(10);
    }

    std::string work;
};

TEST_F(ListKeysTest, BackspaceGoesUpAndEnterOpensTheSelectedFolder)
{
    Key(VK_BACK);
    EXPECT_EQ(PathText(), tree.Path());
    window.Navigate(work.c_str());
    SelectRow(1);  // "inner", after ".."
    Key(VK_RETURN);
    EXPECT_EQ(PathText(), work + "\\inner");
}

TEST_F(ListKeysTest, F5ReloadsAndShowsANewEntry)
{
    const size_t before = ListRows().size();
    tree.MakeFile("work\\new.txt");
    Key(VK_F5);
    EXPECT_EQ(ListRows().size(), before + 1);
}

TEST_F(ListKeysTest, CtrlHomeGoesHomeAndPlainHomeDoesNot)
{
    Key(VK_HOME);
    EXPECT_EQ(PathText(), work);
    Control(true);
    Key(VK_HOME);
    Control(false);
    EXPECT_EQ(PathText(), tree.Path());
}

TEST_F(ListKeysTest, AppsKeyAndRightClickShowTheContextMenu)
{
    int menusSeen = 0;
    // The menu runs its own loop; a timer inside it notes the menu and ends it.
    ModalDriver driver;
    driver.Menus([&](HWND) { ++menusSeen; EndMenu(); }).Start(100);
    Key(VK_APPS);
    EXPECT_EQ(menusSeen, 1);
    NMHDR click{window.FileList().GetHwnd(), IDC_FILE_LIST, static_cast<UINT>(NM_RCLICK)};
    window.SendMessage(WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(menusSeen, 2);
}

class PathBoxTest : public ListKeysTest {
protected:
    // Enter is posted back to the main window, so the queue must run.
    void PressEnter()
    {
        window.PathBox().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
};

TEST_F(PathBoxTest, EnterOnATypedFolderListsIt)
{
    window.PathBox().SetWindowText((work + "\\inner").c_str());
    PressEnter();
    EXPECT_EQ(ListRows(), WalkFolder(work + "\\inner", false, false));
    EXPECT_EQ(ListRows().size(), 1u);
}

// The listed folder is what the user sees; the process's current directory is not.
TEST_F(PathBoxTest, RelativeAndTrailingBlankPathsAreTakenFromTheListedFolder)
{
    const std::vector<std::pair<std::string, std::string>> steps{
        {"inner", work + "\\inner"}, {"..", work}, {".", work}, {"..\\work\\inner", work + "\\inner"},
        {"..\\..\\work", work}, {work + " ", work}, {work + "\\inner. ", work + "\\inner"}};
    for (const auto& step : steps) {
        window.PathBox().SetWindowText(step.first.c_str());
        PressEnter();
        EXPECT_EQ(PathText(), step.second) << step.first;
        EXPECT_EQ(ListRows(), WalkFolder(step.second, false, false)) << step.first;
    }
}

TEST_F(PathBoxTest, EnterOnAFileChangesNothingAndKeepsTheText)
{
    const std::string file = tree.MakeFile("work\\f.txt");
    window.ListFolder();
    const Rows before = ListRows();
    window.PathBox().SetWindowText(file.c_str());
    PressEnter();
    EXPECT_EQ(PathText(), file);
    EXPECT_EQ(ListRows(), before);
}

TEST_F(PathBoxTest, TabCarriageReturnAndEscapeAreSwallowed)
{
    CInputBoxEx& box = window.PathBox();
    box.SetWindowText("C:\\abc");
    box.SendMessage(EM_SETSEL, 6, 6);
    for (WPARAM ch : {WPARAM('\t'), WPARAM('\r'), WPARAM(27)})
        EXPECT_EQ(box.SendMessage(WM_CHAR, ch, 0), 0);
    box.SendMessage(WM_CHAR, 'd', 0);  // ordinary characters still arrive
    EXPECT_EQ(PathText(), "C:\\abcd");
}

// The window passes the keyboard on to the child that last had it: typing in the path box
// goes on after a visit to another window, and a folder chosen in the browser puts the
// keyboard on the list's first row.
TEST_F(PathBoxTest, TheKeyboardComesBackToThePathBoxAndGoesToTheListAfterBrowse)
{
    const TempDir documents(DocumentsFolder());  // the browser does not always find Temp
    window.Navigate(documents.MakeDir("chosen").c_str());
    window.ShowWindow(SW_SHOW);
    ASSERT_TRUE(SetForegroundWindow(window.GetHwnd()));
    CListView& list = window.FileList();
    EXPECT_EQ(GetFocus(), list.GetHwnd());
    SetFocus(window.PathBox().GetHwnd());
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    EXPECT_NE(GetFocus(), window.PathBox().GetHwnd());
    SetActiveWindow(window.GetHwnd());
    EXPECT_EQ(GetFocus(), window.PathBox().GetHwnd());
    DestroyWindow(other);

    list.SetItemState(-1, 0, LVIS_FOCUSED);
    ModalDriver().Others(ModalDriver::Post(IDOK)).Run([&] {
        window.SendMessage(WM_COMMAND, IDC_BROWSE, 0);
    });
    EXPECT_EQ(PathText(), documents / "chosen");
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(GetFocus(), list.GetHwnd());
}

// Row colours, seen in a real paint of the list.
TEST_F(MainWndTest, FolderRowsAreBlueFileRowsGreyOnBlack)
{
    tree.MakeDir("folder");
    tree.MakeFile("file.txt");
    window.Navigate(tree.Path().c_str());
    CListView& list = window.FileList();
    const RECT client = list.GetClientRect();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                     PRF_CLIENT | PRF_ERASEBKGND);

    auto count = [&](int row, COLORREF colour) {
        RECT item{LVIR_BOUNDS, 0, 0, 0};
        list.SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        int n = 0;
        for (int y = item.top; y < item.bottom; ++y)
            for (int x = item.left; x < item.right && x < client.right; ++x)
                n += GetPixel(memory, x, y) == colour;
        return n;
    };
    const Rows rows = ListRows();
    const int folderRow = static_cast<int>(std::find(rows.begin(), rows.end(),
        std::make_pair(std::string("folder"), std::string(FolderKind))) - rows.begin());
    const int fileRow = static_cast<int>(std::find(rows.begin(), rows.end(),
        std::make_pair(std::string("file.txt"), std::string(FileKind))) - rows.begin());
    const COLORREF blue = RGB(0, 120, 255), grey = RGB(196, 196, 196);
    EXPECT_GT(count(folderRow, blue), 10);
    EXPECT_EQ(count(folderRow, grey), 0);
    EXPECT_GT(count(fileRow, grey), 10);
    EXPECT_EQ(count(fileRow, blue), 0);
    EXPECT_GT(count(0, blue), 5) << "the .. row is a folder";
    EXPECT_EQ(GetPixel(memory, client.right - 2, client.bottom - 2), RGB(0, 0, 0));

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
