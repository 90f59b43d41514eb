#include "common/Messages.h"
#include "explorer/MainWnd.h"
#include "framework/core/PathText.h"
#include "framework/core/SystemMessage.h"
#include "resource.h"
#include "settings/SystemData.h"
#include "support/FileType.h"
#include "support/MainWindow.h"
#include "support/ModalDriver.h"
#include "support/TestProcess.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <objidl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using MainWndTest = ExplorerFixture;

namespace {

// Files whose names the code page or Win32 cannot hold are made through the wide
// functions, as another program would make them.
void MakeFileW(const std::wstring& path, const std::string& content)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

// Rows in the reverse of their order, as a volume that lists by creation date gives
// entries made again.
int CALLBACK Reversed(LPARAM first, LPARAM second, LPARAM)
{
    return first < second ? 1 : first > second ? -1 : 0;
}

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

std::string ShortNameOf(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return "";
    FindClose(search);
    return Ansi(found.cAlternateFileName);
}

// Fills folder with count empty files f000000.txt, f000001.txt, ... Wine's file creation
// slows with every entry already in the folder (20,000 take a minute), so under Wine a
// shell of the host makes them; elsewhere the wide functions do.
bool MakeNumberedFiles(const std::string& folder, int count)
{
    if (RunUnixShell("cd \"$1\" && seq -f f%06g.txt 0 " + std::to_string(count - 1) + " | xargs touch", folder))
        return true;
    const std::wstring wide = Wide(folder);
    wchar_t name[32];
    for (int i = 0; i < count && !testing::Test::HasFatalFailure(); ++i) {
        wsprintfW(name, L"\\f%06d.txt", i);
        MakeFileW(wide + name, "");
    }
    return !testing::Test::HasFatalFailure();
}

// A main window over a volume without short names: the listing sees no 8.3 names.
class CNoShortNamesWnd : public CMainWnd {
public:
    using CMainWnd::CMainWnd;
    bool AddRow(CTextList& rows, const WIN32_FIND_DATAW& entry) override
    {
        WIN32_FIND_DATAW bare = entry;
        bare.cAlternateFileName[0] = L'\0';
        return CMainWnd::AddRow(rows, bare);
    }
};

}  // namespace

TEST_F(MainWndTest, ListsParentFirstThenEntriesInEnumerationOrder)
{
    tree.MakeDir("B");
    tree.MakeDir("日本語のフォルダ");
    tree.MakeFile("f.txt");
    tree.MakeFile("表示.txt");
    ASSERT_EQ(window->Navigate(tree.Path().c_str()), 1);

    const Rows rows = ListRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], std::make_pair(std::string(".."), std::string(FolderKind)));
    EXPECT_EQ(rows, WalkFolder(tree.Path()));
    for (const auto& row : rows)
        EXPECT_NE(row.first, ".");
    EXPECT_TRUE(Has(Names(rows), "表示.txt"));  // Shift-JIS bytes kept
    EXPECT_EQ(rows.size(), 5u);
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
        EXPECT_STREQ(window->JoinPath(c.first.first, c.first.second).GetString(), c.second)
            << c.first.first << " + " << c.first.second;
}

TEST_F(MainWndTest, OpensAtHomeAndHomeFallsBackToTheDocumentsFolder)
{
    EXPECT_EQ(PathText(), tree.Path());  // no start folder given
    char documents[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, documents, CSIDL_PERSONAL, FALSE));

    settings->SetHome("");
    EXPECT_EQ(window->OnHome(), 1);
    EXPECT_EQ(PathText(), documents);

    window->Navigate(tree.Path().c_str());
    settings->SetHome((tree / "gone").c_str());
    EXPECT_EQ(window->OnHome(), 1);
    EXPECT_EQ(PathText(), documents);

    const std::string sub = tree.MakeDir("home");
    settings->SetHome(sub.c_str());
    window->OnHome();
    EXPECT_EQ(PathText(), sub);
}

TEST_F(MainWndTest, PathsEndingInByte5CListGoInAndUpAndReachTheShellWhole)
{
    const std::string hyo = tree.MakeDir("表");
    tree.MakeDir("表示");  // a sibling that a byte-wise pattern would list instead
    const std::string soft = tree.MakeDir("表\\ソフト");
    const std::string ju = tree.MakeDir("表\\ソフト\\十");
    tree.MakeFile("表\\in-hyo.txt");
    tree.MakeFile("表\\ソフト\\十\\deep.txt");

    ASSERT_EQ(window->Navigate(hyo.c_str()), 1);
    EXPECT_EQ(ListRows(), WalkFolder(hyo));

    window->OpenFolder("ソフト");
    EXPECT_EQ(PathText(), soft);
    window->OpenFolder("十");
    EXPECT_EQ(PathText(), ju);
    EXPECT_EQ(ListRows(), WalkFolder(ju));
    EXPECT_EQ(ListRows().size(), 2u);

    window->OnUp();
    EXPECT_EQ(PathText(), soft);
    EXPECT_EQ(Place(), "十 |十");  // the folder left
    window->Navigate((ju + "\\").c_str());  // typed with a closing separator
    window->OnUp();
    EXPECT_EQ(Place(), "十 |十");
    window->OnUp();
    EXPECT_EQ(PathText(), hyo);
    EXPECT_EQ(ListRows(), WalkFolder(hyo));
    window->OnUp();
    EXPECT_EQ(PathText(), tree.Path());

    // Whole at the shell and the launcher: a folder ending in 0x5C quoted, a file in it.
    const std::string so = tree.MakeDir("表\\ソ");
    tree.MakeFile("表\\ソ\\十.tav", "ju");
    ASSERT_EQ(window->Navigate(hyo.c_str()), 1);
    EXPECT_EQ(ListRows(), WalkFolder(hyo));
    Select("ソ");
    EXPECT_EQ(window->OnOpenWith(0), 1);
    Recorded(1);
    window->OnOpen();
    EXPECT_EQ(PathText(), so);
    Select("十.tav");
    window->OnOpen();
    Recorded(2);
    Select("..");
    window->OnOpenWith(0);
    ASSERT_EQ(Recorded(3).size(), 3u);  // in order, before the next start
    // The parent of a folder just below a drive is the drive's root: C:\ must not lose its quote.
    ASSERT_EQ(window->Navigate("C:\\windows"), 1);
    Select("..");
    EXPECT_EQ(window->OnOpenWith(0), 1);
    const std::vector<std::string> lines = Recorded(4);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "\"" + so + "\"") << "nothing added after the trail byte";
    EXPECT_EQ(LastArgument(lines[0]), so);
    EXPECT_EQ(Content(LastArgument(lines[1])), "ju");
    EXPECT_EQ(LastArgument(lines[2]), hyo);
    EXPECT_EQ(LastArgument(lines[3]), "C:\\") << lines[3];
}

TEST_F(MainWndTest, EveryMainWindowHasMenusOfItsOwn)
{
    CMainWnd second{"Tavlornエクスプローラ"};
    ASSERT_NE(second.Create(0, 0, 640, 480, nullptr), nullptr);
    EXPECT_NE(second.ContextMenu().GetHandle(), window->ContextMenu().GetHandle());
    for (HMENU bar : {GetMenu(window->GetHwnd()), GetMenu(second.GetHwnd())}) {
        ASSERT_EQ(GetMenuItemCount(bar), 4);
        const int items[] = {4, 0, 2, 2};  // File, Edit, Settings, Help
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, i)), items[i]) << "drop-down " << i;
    }
}

// Entries come and go between two listings, and may come back in another order, so rows
// are found again by name.
TEST_F(MainWndTest, UpShowsTheFolderLeftAndReloadKeepsSelectionAndTopRow)
{
    for (int i = 10; i < 70; ++i)
        tree.MakeDir("d" + std::to_string(i));
    const std::string parent = tree.Path().substr(tree.Path().rfind('\\') + 1);
    tree.MakeDir("d65\\" + parent);  // named like the folder it is entered from
    window->OpenFolder("d65");
    EXPECT_EQ(Place(), "|..");  // a folder gone into starts at its top, only going up lands
    RemoveDirectoryA((tree / ("d65\\" + parent)).c_str());
    window->OnUp();
    CListView& list = window->FileList();
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
    window->SendMessage(WM_COMMAND, IDM_RELOAD, 0);
    EXPECT_EQ(Place(), ".. d65 d66 |d65");
    EXPECT_EQ(list.GetItemText(list.GetTopIndex(), 0).GetString(), first);
    list.SetItemState(0, 0, LVIS_SELECTED);
    RemoveDirectoryA((tree / "d65").c_str());  // the focus goes to the first row still selected
    window->SendMessage(WM_COMMAND, IDM_RELOAD, 0);
    EXPECT_EQ(Place(), "d66 |d66");
    // Wine scrolls to a row given the focus: only a focus above the kept top row leaves that
    // row below the refilled view, and a row scrolled down to lands at the bottom.
    list.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    list.SendMessage(LVM_SCROLL, 0, 500);
    const std::string lower = list.GetItemText(list.GetTopIndex(), 0).GetString();
    window->OnReload();
    EXPECT_EQ(Place(), "d66 |..");
    EXPECT_EQ(list.GetItemText(list.GetTopIndex(), 0).GetString(), lower);
    // Two names of one length fill the kept selection's first block to its last byte.
    const std::string full(63, 'n'), twin(63, 'm');
    tree.MakeDir(full);
    tree.MakeDir(twin);
    window->ListFolder();
    Select({full, twin});
    window->OnReload();
    EXPECT_EQ(Place(), twin + " " + full + " |" + twin);
    list.SendMessage(LVM_SORTITEMSEX, 0, reinterpret_cast<LPARAM>(&Reversed));
    Select({"d66", "d12", "a"});
    list.SetItemState(list.FindItem(-1, "d12"), LVIS_FOCUSED, LVIS_FOCUSED);
    window->OnReload();
    EXPECT_EQ(Place(), "a d12 d66 |d12");
    window->PathBox().SetWindowText((tree / "d66\\..").c_str());  // typed over: maybe another folder
    window->OnReload();
    EXPECT_EQ(Place(), "|..");
}

// Rows hold no data, so leaving a folder clears the list in one step: a notice per
// deleted row would make leaving a large folder cost as much again.
class MainWndLeaving : public ExplorerFixture {
protected:
    CMainWnd* MakeWindow() override { return new CNoticeCountingWnd(MainTitle); }
};

TEST_F(MainWndLeaving, ClearsTheListWithoutANoticePerRowUnderTheWaitCursor)
{
    const std::string full = tree.MakeDir("full");
    const std::string empty = tree.MakeDir("empty");
    for (const char* name : {"a.txt", "b.txt", "表示.txt"})
        tree.MakeFile(std::string("full\\") + name);
    CNoticeCountingWnd& counting = static_cast<CNoticeCountingWnd&>(*window);
    counting.codes.clear();
    ASSERT_EQ(window->Navigate(full.c_str()), 1);
    ASSERT_EQ(window->FileList().GetItemCount(), 4);
    EXPECT_EQ(counting.Count(LVN_INSERTITEM), 4u);  // the list's notices do reach the window

    counting.codes.clear();
    const HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    SetCursor(cross);
    ASSERT_EQ(window->Navigate(empty.c_str()), 1);
    EXPECT_EQ(counting.cursors.back(), LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_EQ(counting.Count(LVN_DELETEALLITEMS), 1u);
    EXPECT_EQ(counting.Count(LVN_DELETEITEM), 0u);
    EXPECT_EQ(ListRows(), (Rows{{"..", FolderKind}}));  // an empty folder: its parent row only
    window->FileList().SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(window->OnOpen(), 0);
    EXPECT_EQ(window->OnEdit(), 0);
    EXPECT_EQ(window->OnReload(), 1);
    EXPECT_EQ(ListRows(), (Rows{{"..", FolderKind}}));
}

// The window listing a folder "work" with a folder and two files of the recorder's type.
class WorkFolder : public ExplorerFixture {
protected:
    void SetUp() override
    {
        ExplorerFixture::SetUp();
        work = tree.MakeDir("work");
        tree.MakeDir("work\\sub");
        tree.MakeFile("work\\b.tav");
        tree.MakeFile("work\\c.tav");
        window->Navigate(work.c_str());
    }

    std::string work;
};

// Commands that reach the shell, as the recorder wrote them down.
using ShellCommandTest = WorkFolder;

// The shell reads %TAVLORN_B% in a path as a variable: b.tav and b.exe must not start.
TEST_F(ShellCommandTest, NamesThatReadAsVariablesReachThemselves)
{
    SetEnvironmentVariableA("TAVLORN_B", "b");
    tree.MakeFile("work\\%TAVLORN_B%.tav");
    tree.MakeFile("work\\100%.tav");
    const std::string program = work + "\\%TAVLORN_B%.exe";
    ASSERT_TRUE(CopyFileA(recorder.c_str(), program.c_str(), FALSE));
    window->OnReload();
    RegisterLauncher(1, "変数", program);
    Select("%TAVLORN_B%.tav");
    window->OnOpen();
    Recorded(1);
    window->SendMessage(WM_COMMAND, IDM_OPEN_WITH_FIRST + 1, 0);
    Recorded(2);
    Select("100%.tav");
    window->OnEdit();
    EXPECT_EQ(Recorded(3), (std::vector<std::string>{"open \"" + work + "\\%TAVLORN_B%.tav\"",
                                                     "\"" + work + "\\%TAVLORN_B%.tav\"",
                                                     "edit \"" + work + "\\100%.tav\""}));
    SetEnvironmentVariableA("TAVLORN_B", nullptr);
}

// Made on a share or from Linux: the file system reads "memo.tvr." as memo.tvr. Their
// short names keep a type of three letters.
TEST_F(ShellCommandTest, NamesEndingInADotOrABlankReachTheirOwnEntry)
{
    ASSERT_TRUE(RegisterVerbsFileType(".tvr", recorder));
    const std::wstring base = L"\\\\?\\" + Wide(work) + L"\\";
    tree.MakeFile("work\\memo.tvr", "plain");
    MakeFileW(base + L"memo.tvr.", std::string("\\", 2));  // "\\" and a NUL byte
    MakeFileW(base + L"memo.tvr ", std::string("\\", 2));
    ASSERT_TRUE(CreateDirectoryW((base + L"dir.").c_str(), nullptr));
    tree.MakeFile("work\\dir\\look-alike");
    std::vector<std::string> shortNames;
    for (const wchar_t* name : {L"memo.tvr.", L"memo.tvr ", L"dir."}) {
        shortNames.push_back(ShortNameOf(base + name));
        ASSERT_GT(shortNames.back().size(), 0u);
    }
    window->OnReload();
    for (int i = 0; i < 2; ++i) {
        Select(shortNames[i]);
        window->OnOpen();
        const std::vector<std::string> lines = Recorded(i + 1);
        ASSERT_EQ(lines.size(), static_cast<size_t>(i + 1)) << shortNames[i];
        EXPECT_EQ(Content(LastArgument(lines[i])), std::string("\\", 2)) << lines[i];
    }
    Select(shortNames[2]);
    window->OnOpen();
    EXPECT_EQ(ListRows(), (Rows{{"..", "フォルダ"}}));  // not dir's look-alike
    window->OnUp();
    EXPECT_EQ(Place(), shortNames[2] + " |" + shortNames[2]);
    window->OnReload();
    EXPECT_EQ(Place(), shortNames[2] + " |" + shortNames[2]);
}

// The row joined with the listed folder reaches the shell, quoted for the launcher; a folder
// typed into the path box but not entered changes nothing, the rows still belong to the
// listed one. Of several rows selected only the first counts.
TEST_F(ShellCommandTest, CommandsHandTheFirstRowJoinedWithTheListedFolderNotAnEditedPathBox)
{
    const std::string typed = tree.MakeDir("other") + "\\sub";
    tree.MakeDir("other\\sub");
    tree.MakeFile("other\\sub\\b.tav");
    RegisterLauncher(2, "記録", recorder);
    Select("b.tav");
    EXPECT_EQ(window->OnOpen(), 1);
    const std::string b = "\"" + work + "\\b.tav\"";
    EXPECT_EQ(Recorded(1), std::vector<std::string>{"open " + b});  // before the next start
    window->PathBox().SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    EXPECT_EQ(window->OnEdit(), 1);
    EXPECT_EQ(Recorded(2), (std::vector<std::string>{"open " + b, "edit " + b}));
    window->SendMessage(WM_COMMAND, IDM_OPEN_WITH_FIRST + 2, 0);
    EXPECT_EQ(Recorded(3), (std::vector<std::string>{"open " + b, "edit " + b, b}));
    Select({"b.tav", ListRows().back().first});
    EXPECT_EQ(window->OnOpenWith(2), 1);
    Recorded(4);
    Select("..");
    EXPECT_EQ(window->OnOpenWith(2), 1);
    Recorded(5);
    Select("sub");
    window->SendMessage(WM_COMMAND, IDM_OPEN_WITH_FIRST + 2, 0);
    EXPECT_EQ(Recorded(6), (std::vector<std::string>{"open " + b, "edit " + b, b, b, "\"" + tree.Path() + "\"",
                                                     "\"" + work + "\\sub\""}));
    RegisterLauncher(9, "十番", recorder);
    Select("b.tav");
    window->SendMessage(WM_COMMAND, IDM_OPEN_WITH_LAST, 0);  // the tenth entry's command
    const std::vector<std::string> lines = Recorded(7);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[6], b);
    Select("..");
    window->SendMessage(WM_COMMAND, IDM_FILE_OPEN, 0);
    EXPECT_EQ(PathText(), tree.Path());
}

TEST_F(ShellCommandTest, LauncherMenuNamesOnlyEntriesWhoseProgramExistsAndAReloadReadsTheFile)
{
    RegisterLauncher(0, "", "");
    RegisterLauncher(3, "名前だけ", (tree / "missing.exe"));
    RegisterLauncher(4, "", recorder);
    RegisterLauncher(5, "記録", recorder);
    RegisterLauncher(6, "型", std::string(ExecutableFolder()) + "\\R*.exe");  // matches Recorder.exe
    RegisterLauncher(7, "", tree.MakeFile("表.exe"));  // 表's trail byte is no separator
    RegisterLauncher(8, "型", std::string(ExecutableFolder()) + "\\Recorder.ex?");
    RegisterLauncher(1, ("R&D" + std::string(300, 'W')).c_str(), recorder);  // "&" shows as itself
    RegisterLauncher(2, "R&D", recorder);
    EXPECT_EQ(window->UpdateLauncherMenu(), 1);
    EXPECT_EQ(LauncherLabel(0), "(未登録)");
    EXPECT_EQ(LauncherLabel(3), "(未登録)");
    EXPECT_EQ(LauncherLabel(4), "Recorder.exe");  // no name: the program's file name
    EXPECT_EQ(LauncherLabel(5), "記録");
    EXPECT_EQ(LauncherLabel(6), "(未登録)");
    EXPECT_EQ(LauncherLabel(7), "表.exe");
    EXPECT_EQ(LauncherLabel(8), "(未登録)");
    EXPECT_EQ(LauncherLabel(2), "R&&D");
    const std::string cut = LauncherLabel(1);  // about a third of the screen, not 300 characters
    EXPECT_TRUE(cut.size() > 20 && cut.size() < 150 && cut.compare(0, 4, "R&&D") == 0 &&
                cut.compare(cut.size() - 2, 2, "…") == 0) << cut;
    Select("b.tav");
    // A pattern is no program: nothing starts, and the user reads which path failed.
    const std::vector<std::string> told = ModalDriver::Messages([&] {
        EXPECT_EQ(window->OnOpenWith(6), 0);
        EXPECT_EQ(window->OnOpenWith(8), 0);
        EXPECT_EQ(window->OnOpenWith(0), 0);  // unregistered: nothing to tell
    }, window->GetHwnd(), MainTitle);
    EXPECT_EQ(told, (std::vector<std::string>{
                        StartFailure((std::string(ExecutableFolder()) + "\\R*.exe").c_str(), ERROR_FILE_NOT_FOUND).GetString(),
                        StartFailure((std::string(ExecutableFolder()) + "\\Recorder.ex?").c_str(), ERROR_FILE_NOT_FOUND).GetString()}));

    SetFileAttributesA(tree.MakeFile("work\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    window->ListFolder();
    EXPECT_FALSE(Has(Names(ListRows()), "hidden.txt"));
    CSystemData file;  // the settings file changes: a reload reads it again
    file.SetLaunchName(0, "新しい");
    file.SetLaunchPath(0, recorder.c_str());
    file.SetDispHiddenFile(TRUE);
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(window->OnReload(), 1);
    EXPECT_EQ(LauncherLabel(0), "新しい");
    EXPECT_EQ(LauncherLabel(5), "(未登録)");
    EXPECT_TRUE(Has(Names(ListRows()), "hidden.txt"));
}

// Only the modifiers a key is known by let it move the keyboard: a plain L is the list's typing.
TEST(ChildKeys, F4CtrlLAndF6MoveTheKeyboardWithTheirOwnModifiersOnly)
{
    using K = KeyboardStop;
    const struct { UINT key; int ctrl, shift; K stop; } rows[] = {
        {VK_F4, 0, 0, K::PathBox}, {VK_F4, 1, 0, K::None}, {VK_F4, 0, 1, K::None}, {'L', 1, 0, K::PathBox},
        {'L', 0, 0, K::None}, {'L', 1, 1, K::None}, {VK_F6, 0, 0, K::Next}, {VK_F6, 0, 1, K::Previous},
        {VK_F6, 1, 0, K::None}, {VK_TAB, 0, 0, K::None}, {VK_ESCAPE, 0, 0, K::None}};
    for (const auto& row : rows)
        EXPECT_EQ(StopOfKey(row.key, row.ctrl, row.shift), row.stop) << row.key << row.ctrl << row.shift;
}

// The list's keys arrive as LVN_KEYDOWN: the key goes to the list control itself,
// which tells its parent.
class ListKeysTest : public WorkFolder {
protected:
    void Key(UINT key) { window->FileList().SendMessage(WM_KEYDOWN, key, 0); }

    static void Control(bool down)  // read with GetAsyncKeyState: a real key event
    {
        keybd_event(VK_CONTROL, 0, down ? 0 : KEYEVENTF_KEYUP, 0);
        for (int i = 0; i < 100 && ((GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0) != down; ++i)
            Sleep(10);
    }

    // Enter in the path box is posted back to the main window, so the queue must run.
    void PressEnter()
    {
        window->PathBox().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        Pump();
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
};

TEST_F(ListKeysTest, BackspaceGoesUpEnterOpensTheSelectedFolderAndOnlyCtrlHomeGoesHome)
{
    Key(VK_BACK);
    EXPECT_EQ(PathText(), tree.Path());
    window->Navigate(work.c_str());
    Select("sub");
    Key(VK_RETURN);
    EXPECT_EQ(PathText(), work + "\\sub");
    Key(VK_HOME);
    EXPECT_EQ(PathText(), work + "\\sub");
    Control(true);
    Key(VK_HOME);
    Control(false);
    EXPECT_EQ(PathText(), tree.Path());
}

// A listed folder deleted meanwhile gives way to the nearest folder still there, untold.
TEST_F(ListKeysTest, F5ReloadsAndShowsANewEntryOrTheNearestFolderLeft)
{
    const size_t before = ListRows().size();
    tree.MakeFile("work\\new.txt");
    Key(VK_F5);
    EXPECT_EQ(ListRows().size(), before + 1);
    const std::string deeper = tree.MakeDir("work\\gone") + "\\deeper";
    tree.MakeDir("work\\gone\\deeper");
    ASSERT_EQ(window->Navigate(deeper.c_str()), 1);
    ASSERT_TRUE(RemoveDirectoryA(deeper.c_str()) && RemoveDirectoryA((work + "\\gone").c_str()));
    EXPECT_EQ(ModalDriver::Messages([&] { Key(VK_F5); }).size(), 0u);
    EXPECT_EQ(PathText(), work);
    EXPECT_EQ(ListRows(), WalkFolder(work));
}

TEST_F(ListKeysTest, AppsKeyAndRightClickShowTheContextMenu)
{
    int menusSeen = 0;
    RECT menu = {}, row = {LVIR_LABEL, 0, 0, 0};
    // The menu runs its own loop; a timer inside it notes the menu and ends it.
    ModalDriver driver;
    driver.Menus([&](HWND shown) { ++menusSeen; GetWindowRect(shown, &menu); EndMenu(); }).Start(100);
    Key(VK_APPS);
    EXPECT_EQ(menusSeen, 1);
    // Shift+F10: the list's WM_CONTEXTMENU from the keyboard while F10 is down, the menu at
    // the focused row. Without F10 it is the Apps key's release, already answered.
    window->FileList().SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window->FileList().GetHwnd()), -1);
    EXPECT_EQ(menusSeen, 1);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_F10] = 0x80;
    SetKeyboardState(keys);
    window->FileList().SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    window->FileList().SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window->FileList().GetHwnd()), -1);
    keys[VK_F10] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(menusSeen, 2);
    window->FileList().SendMessage(LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    MapWindowPoints(window->FileList().GetHwnd(), nullptr, reinterpret_cast<POINT*>(&row), 2);
    EXPECT_TRUE(menu.left >= row.left && menu.left < row.right && menu.top >= row.top && menu.top <= row.bottom + 2)
        << menu.left << "," << menu.top << " row " << row.left << "," << row.top << "-" << row.bottom;
    NMHDR click{window->FileList().GetHwnd(), IDC_FILE_LIST, static_cast<UINT>(NM_RCLICK)};
    window->SendMessage(WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(menusSeen, 3);
}

using PathBoxTest = ListKeysTest;

// The box keeps code-page text: a pasted café would land as cafe, another folder.
TEST_F(PathBoxTest, APastedPathOutsideTheCodePageReachesItsFolderOrIsRefused)
{
    tree.MakeDir("work\\cafe");
    const std::wstring cafe = std::wstring(work.begin(), work.end()) + L"\\caf\u00e9";
    ASSERT_TRUE(CreateDirectoryW(cafe.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((cafe + L"\\in-caf\u00e9").c_str(), nullptr));
    auto paste = [&](const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        lstrcpyW(static_cast<wchar_t*>(GlobalLock(data)), text.c_str());
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
        window->PathBox().SendMessage(WM_CHAR, 0x16, 0);  // Ctrl+V
    };
    window->PathBox().SetWindowText("");
    paste(cafe);
    PressEnter();
    EXPECT_NE(PathText(), work + "\\cafe");
    EXPECT_EQ(ListRows().size(), 2u);  // "..", and café's own folder by its short name; cafe is empty

    window->PathBox().SetWindowText(work.c_str());
    window->PathBox().SendMessage(EM_SETSEL, work.size(), work.size());
    const std::vector<std::string> told = ModalDriver::Messages([&] { paste(L"\\nowhere-caf\u00e9"); });
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("貼り付けません"), std::string::npos) << told[0];
    EXPECT_EQ(PathText(), work);
}

// A relative path is taken from the listed folder, which the user sees, never from the
// current directory, which the open-file dialog moves; entered, it is fixed.
TEST_F(PathBoxTest, EnterListsATypedFolderAndRelativeOnesAreTakenFromTheListedFolder)
{
    window->PathBox().SetWindowText((work + "\\sub").c_str());
    PressEnter();
    EXPECT_EQ(ListRows(), WalkFolder(work + "\\sub"));
    EXPECT_EQ(ListRows().size(), 1u);
    tree.MakeFile("work\\sub\\mine.txt");
    const std::string there = tree.MakeDir("there");
    tree.MakeDir("there\\sub");  // what the current directory would give instead
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(there.c_str());
    const std::vector<std::pair<std::string, std::string>> steps{
        {"..", work}, {"sub", work + "\\sub"}, {"..", work}, {".", work}, {"..\\work\\sub", work + "\\sub"},
        {"..\\..\\work", work}, {work + " ", work}, {work + "\\sub. ", work + "\\sub"}};
    for (const auto& step : steps) {
        window->PathBox().SetWindowText(step.first.c_str());
        PressEnter();
        EXPECT_EQ(PathText(), step.second) << step.first;
        EXPECT_EQ(ListRows(), WalkFolder(step.second)) << step.first;
    }
    ASSERT_EQ(window->Navigate(work.c_str()), 1);
    EXPECT_EQ(window->Navigate("sub"), 1);
    EXPECT_EQ(PathText(), work + "\\sub");
    window->OnReload();
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(PathText(), work + "\\sub");
    EXPECT_TRUE(Has(Names(ListRows()), "mine.txt"));
}

// The user reads why, and the box names the listed folder again, so box and list agree.
// Asked for by code, what is no folder is refused quietly; typed, it is explained.
TEST_F(PathBoxTest, EnterOnAFileOrAMissingFolderIsExplainedAndTheBoxShowsTheListedFolder)
{
    const std::string file = tree.MakeFile("work\\f.txt");
    window->ListFolder();
    const Rows before = ListRows();
    const std::string missing = tree / "missing";
    EXPECT_EQ(window->Navigate(file.c_str()), 0);
    EXPECT_EQ(window->Navigate(missing.c_str()), 0);
    EXPECT_EQ(window->Navigate(""), 0);
    EXPECT_EQ(PathText(), work);
    EXPECT_EQ(ListRows(), before);
    for (const std::string& typed : {file, missing, missing + "\\deeper"}) {
        window->PathBox().SetWindowText(typed.c_str());
        const std::vector<std::string> told = ModalDriver::Messages([&] { PressEnter(); }, window->GetHwnd(), MainTitle);
        const DWORD reason = typed == file ? ERROR_DIRECTORY : typed == missing ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        EXPECT_EQ(told, std::vector<std::string>{"フォルダ「" + typed + "」を表示できません。\r\n\r\n" + Reason(reason)});
        EXPECT_EQ(PathText(), work);
        EXPECT_EQ(ListRows(), before);
    }
}

TEST_F(PathBoxTest, TabCarriageReturnAndEscapeAreSwallowed)
{
    CInputBoxEx& box = window->PathBox();
    box.SetWindowText("C:\\abc");
    box.SendMessage(EM_SETSEL, 6, 6);
    for (WPARAM ch : {WPARAM('\t'), WPARAM('\r'), WPARAM(27)})
        EXPECT_EQ(box.SendMessage(WM_CHAR, ch, 0), 0);
    box.SendMessage(WM_CHAR, 'd', 0);  // ordinary characters still arrive
    EXPECT_EQ(PathText(), "C:\\abcd");
}

// F6 goes round list, path box and 参照; F4 takes the keyboard to the path box, its text
// selected to be typed over. The window passes the keyboard on to the child that last had
// it: typing in the path box goes on after a visit to another window. Enter on 参照 opens
// the browser, and a folder chosen there puts the keyboard on the list's first row.
TEST_F(PathBoxTest, TheKeyboardGoesRoundTheChildrenComesBackToThePathBoxAndGoesToTheListAfterBrowse)
{
    const TempDir documents(DocumentsFolder());  // the browser does not always find Temp
    window->Navigate(documents.MakeDir("chosen").c_str());
    window->ShowWindow(SW_SHOW);
    ASSERT_TRUE(SetForegroundWindow(window->GetHwnd()));
    CListView& list = window->FileList();
    const HWND ring[] = {list.GetHwnd(), window->PathBox().GetHwnd(), GetDlgItem(window->GetHwnd(), IDC_BROWSE)};
    EXPECT_EQ(GetFocus(), ring[0]);
    for (int i = 0; i < 3; ++i) {
        SendMessageA(ring[i], WM_KEYDOWN, VK_F6, 0);
        EXPECT_EQ(GetFocus(), ring[(i + 1) % 3]) << i;
    }
    window->PathBox().SendMessage(EM_SETSEL, 1, 1);
    Key(VK_F4);
    EXPECT_EQ(GetFocus(), ring[1]);
    EXPECT_EQ(window->PathBox().SendMessage(EM_GETSEL, 0, 0), MAKELONG(0, PathText().size()));
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    EXPECT_NE(GetFocus(), window->PathBox().GetHwnd());
    SetActiveWindow(window->GetHwnd());
    EXPECT_EQ(GetFocus(), window->PathBox().GetHwnd());
    DestroyWindow(other);

    list.SetItemState(-1, 0, LVIS_FOCUSED);
    SetFocus(ring[2]);
    ModalDriver().Others(ModalDriver::Post(IDOK)).Run([&] {
        SendMessageA(ring[2], WM_KEYDOWN, VK_RETURN, 0);
        Pump();
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
    window->Navigate(tree.Path().c_str());
    CListView& list = window->FileList();
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
    const int folderRow = list.FindItem(-1, "folder"), fileRow = list.FindItem(-1, "file.txt");
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

// Names the code page cannot hold, beside the look-alikes that best-fit makes of them.

class UnrepresentableNames : public ExplorerFixture {
protected:
    void SetUp() override
    {
        ExplorerFixture::SetUp();
        folder = tree.MakeDir("names");
        const std::wstring w = Wide(folder) + L"\\";
        MakeFileW(w + L"cafe.tav", "plain");
        MakeFileW(w + L"caf\u00e9.tav", "accent");
        MakeFileW(w + L"smile\U0001F600.tav", "emoji");
        CreateDirectoryW((w + L"de").c_str(), nullptr);
        MakeFileW(w + L"de\\in-plain.txt", "");
        CreateDirectoryW((w + L"d\u00e9").c_str(), nullptr);
        MakeFileW(w + L"d\u00e9\\in-accent.txt", "");
        accentShort = ShortNameOf(w + L"caf\u00e9.tav");
        emojiShort = ShortNameOf(w + L"smile\U0001F600.tav");
        folderShort = ShortNameOf(w + L"d\u00e9");
    }

    std::string folder, accentShort, emojiShort, folderShort;
};

TEST_F(UnrepresentableNames, AreListedByShortNamesNeverAsTheirLookAlikesAndOpenTheirOwnEntry)
{
    ASSERT_FALSE(accentShort.empty()) << "Wine makes 8.3 names for such entries";
    ASSERT_EQ(window->Navigate(folder.c_str()), 1);
    const std::vector<std::string> names = Names(ListRows());

    EXPECT_EQ(std::count(names.begin(), names.end(), "cafe.tav"), 1) << "one row per entry";
    EXPECT_EQ(std::count(names.begin(), names.end(), "de"), 1);
    EXPECT_TRUE(Has(names, accentShort));
    EXPECT_TRUE(Has(names, emojiShort));
    EXPECT_TRUE(Has(names, folderShort));
    EXPECT_EQ(names.size(), 6u);  // "..", two folders, three files
    for (const std::string& name : names)
        EXPECT_EQ(name.find('?'), std::string::npos) << name;

    Select(accentShort);
    EXPECT_EQ(window->OnOpen(), 1);
    Recorded(1);  // one at a time: the records keep the order
    Select(emojiShort);
    EXPECT_EQ(window->OnOpenWith(0), 1);
    Recorded(2);
    Select("cafe.tav");
    EXPECT_EQ(window->OnEdit(), 1);
    const std::vector<std::string> lines = Recorded(3);

    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 5), "open ");
    EXPECT_EQ(Content(LastArgument(lines[0])), "accent");
    EXPECT_EQ(Content(LastArgument(lines[1])), "emoji");
    EXPECT_EQ(lines[2].substr(0, 5), "edit ");
    EXPECT_EQ(Content(LastArgument(lines[2])), "plain");

    Select(folderShort);
    window->OnOpen();
    EXPECT_TRUE(Has(Names(ListRows()), "in-accent.txt")) << PathText();
    window->OnUp();
    Select("de");
    window->OnOpen();
    EXPECT_TRUE(Has(Names(ListRows()), "in-plain.txt")) << PathText();
}

class NoShortNames : public UnrepresentableNames {
protected:
    CMainWnd* MakeWindow() override { return new CNoShortNamesWnd(MainTitle); }

    // The rows the lossy names fall on: the ones with the code page's '?' in them.
    std::vector<std::string> LossyRows()
    {
        std::vector<std::string> lossy;
        for (const std::string& name : Names(ListRows()))
            if (name.find('?') != std::string::npos)
                lossy.push_back(name);
        return lossy;
    }
};

TEST_F(NoShortNames, RowsStayButNoCommandOpensThemWhereverTheLostCharacterIs)
{
    window->Navigate(folder.c_str());
    const std::vector<std::string> lossy = LossyRows();
    ASSERT_EQ(lossy.size(), 3u) << "the accented file, the emoji file and the accented folder keep a row each";
    EXPECT_EQ(ListRows().size(), 6u);

    for (const std::string& name : lossy) {
        Select(name);
        // Each command refuses aloud, naming the row, owned by and titled as the window.
        const std::vector<std::string> told = ModalDriver::Messages([&] {
            EXPECT_EQ(window->OnOpen(), 0) << name;
            EXPECT_EQ(window->OnEdit(), 0) << name;
            EXPECT_EQ(window->OnOpenWith(0), 0) << name;
            window->SendMessage(WM_COMMAND, IDM_FILE_OPEN, 0);
            window->SendMessage(WM_COMMAND, IDM_OPEN_WITH_FIRST, 0);
        }, window->GetHwnd(), MainTitle);
        EXPECT_EQ(told, std::vector<std::string>(5, NameRefusal(name.c_str(), NameFault::CodePage).GetString()));
        EXPECT_EQ(PathText(), folder) << name;
    }
    // First among several selected, a refused row stops the command: the next one does
    // not stand in for it.
    const Rows rows = ListRows();
    auto lost = [](const Rows::value_type& row) { return row.first.find('?') != std::string::npos; };
    const auto refused = std::find_if(rows.begin(), rows.end(), lost);
    const auto kept = std::find_if_not(refused, rows.end(), lost);
    if (kept != rows.end()) {
        Select({refused->first, kept->first});
        EXPECT_EQ(ModalDriver::Messages([&] { EXPECT_EQ(window->OnOpen(), 0); }).size(), 1u)
            << refused->first << " before " << kept->first;
        EXPECT_EQ(PathText(), folder);
    }

    MakeFileW(Wide(folder) + L"\\\u00e9t\u00e9.tav", "leading");  // été: the lost character first
    window->OnReload();
    ASSERT_TRUE(Has(LossyRows(), "?t?.tav"));
    Select("?t?.tav");
    EXPECT_EQ(ModalDriver::Messages([&] {
        EXPECT_EQ(window->OnOpen(), 0);
        EXPECT_EQ(window->OnEdit(), 0);
        EXPECT_EQ(window->OnOpenWith(0), 0);
    }).size(), 3u);

    Select("cafe.tav");  // the sentinel: nothing may have arrived before it
    window->OnOpen();
    const std::vector<std::string> lines = Recorded(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Content(LastArgument(lines[0])), "plain");
}

// Names a Linux folder holds that no Win32 call opens as they stand: each reaches its own
// entry by a short name, or every command refuses it aloud.
class ForeignNames : public ExplorerFixture {
protected:
    void SetUp() override
    {
        ExplorerFixture::SetUp();
        folder = tree.MakeDir("foreign");
        ASSERT_TRUE(RunUnixShell("cd \"$1\" && printf quote > 'a\"b.tav' && printf plain > ab.tav && "
                                 "printf device > AUX && mkdir null NULL '<>?:\"{}|_+' 'q?dir' && "
                                 "printf inside > 'q?dir/in.tav'", folder));
        window->Navigate(folder.c_str());
        for (const auto& row : ListRows())
            if (!Has({"..", "ab.tav", "AUX", "null", "NULL", Odd}, row.first))
                (row.second == FolderKind ? dir : quote) = row.first;
    }
    void TearDown() override
    {
        RunUnixShell("rm -rf \"$1\"", folder);
        ExplorerFixture::TearDown();
    }
    std::string folder, dir, quote;  // the rows of q?dir and a"b.tav
    // Its short name keeps a character Windows forbids: no name reaches it.
    static constexpr const char* Odd = "<>?:\"{}|_+";
};

TEST_F(ForeignNames, OpenTheLauncherEnterAndUpReachExactlyTheirEntry)
{
    EXPECT_EQ(ListRows().size(), 8u) << "every entry once";
    Select(quote);
    EXPECT_EQ(window->OnOpen(), 1);
    EXPECT_EQ(window->OnOpenWith(0), 1);
    const std::vector<std::string> lines = Recorded(2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Content(LastArgument(lines[0])), "quote") << lines[0];
    EXPECT_EQ(Content(LastArgument(lines[1])), "quote") << "the argument names no other entry: " << lines[1];

    Select(dir);
    EXPECT_EQ(window->OnOpen(), 1);
    EXPECT_EQ(PathText(), folder + "\\" + dir);
    EXPECT_TRUE(Has(Names(ListRows()), "in.tav"));
    EXPECT_EQ(window->OnUp(), 1);
    EXPECT_EQ(Place(), dir + " |" + dir);
    ASSERT_EQ(window->Navigate((folder + "\\null").c_str()), 1);
    EXPECT_EQ(window->OnUp(), 1);
    EXPECT_EQ(Place(), "null |null") << "never its case twin";

    window->Navigate(folder.c_str());
    for (const char* refused : {"AUX", Odd}) {
        Select(refused);
        EXPECT_EQ(ModalDriver::Messages([&] { EXPECT_EQ(window->OnOpen(), 0); }, window->GetHwnd(), MainTitle),
                  std::vector<std::string>{NameRefusal(refused, refused == Odd ? NameFault::Forbidden : NameFault::Device)
                                               .GetString()});
    }
}

// A share's root lists like any folder; a path typed as the system copies one is taken.
TEST_F(ForeignNames, AShareRootAndAQuotedPathWithBlanksList)
{
    const std::string link = "\"$WINEPREFIX/dosdevices/unc/tavlorn-srv/share\"";
    ASSERT_TRUE(RunUnixShell("mkdir -p \"$WINEPREFIX/dosdevices/unc/tavlorn-srv\" && ln -sfn \"$1\" " + link, folder));
    EXPECT_EQ(window->Navigate("\\\\tavlorn-srv\\share"), 1);
    EXPECT_EQ(PathText(), "\\\\tavlorn-srv\\share");
    EXPECT_TRUE(Has(Names(ListRows()), "ab.tav"));
    RunUnixShell("rm -f " + link, folder);
    window->PathBox().SetWindowText((" \t\"" + folder + "\\null\"  ").c_str());
    EXPECT_EQ(ModalDriver::Messages([&] { window->OnReload(); }), std::vector<std::string>{});
    EXPECT_EQ(PathText(), folder + "\\null");
}

// A shortcut to a folder opens the folder here; a file the shell cannot open is told.
TEST_F(ForeignNames, AFolderShortcutOpensHereAndAFailedOpenIsTold)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                           reinterpret_cast<void**>(&link))));
    link->SetPath(Wide(folder + "\\null").c_str());
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    EXPECT_TRUE(SUCCEEDED(file->Save(Wide(folder + "\\to null.lnk").c_str(), TRUE)));
    file->Release();
    link->Release();
    CoUninitialize();
    tree.MakeFile("foreign\\data.xyz");
    window->OnReload();
    Select("to null.lnk");
    EXPECT_EQ(window->OnOpen(), 1);
    EXPECT_EQ(PathText(), folder + "\\null");
    window->Navigate(folder.c_str());
    Select("data.xyz");
    EXPECT_EQ(ModalDriver::Messages([&] { window->OnOpen(); }, window->GetHwnd()).size(), 1u);
}

// Folders that are huge, gone, unreadable, too deep or full of hidden entries.

using AwkwardFolders = ExplorerFixture;

// The drive root has no "..": up from it is refused quietly, and its rows open as any.
TEST_F(AwkwardFolders, TheDriveRootListsWithoutDotsItsRowsOpenAndUpStopsThere)
{
    const std::string sub = tree.MakeDir("sub");
    ASSERT_EQ(window->Navigate((sub + "\\").c_str()), 1);
    window->OnUp();
    EXPECT_EQ(PathText(), tree.Path());
    ASSERT_EQ(window->Navigate("C:"), 1);  // the drive's root, not its current directory
    EXPECT_EQ(PathText(), "C:\\");
    const Rows rows = ListRows();
    EXPECT_EQ(rows, WalkFolder("C:"));
    ASSERT_FALSE(rows.empty());
    EXPECT_NE(rows[0].first, "..");
    EXPECT_EQ(ModalDriver::Messages([&] { EXPECT_EQ(window->OnUp(), 1); }).size(), 0u);
    EXPECT_EQ(PathText(), "C:\\");
    EXPECT_EQ(ListRows(), rows);
    Select("windows");
    EXPECT_EQ(window->OnOpen(), 1);
    EXPECT_EQ(PathText(), "C:\\windows");
    window->OnUp();
    EXPECT_EQ(PathText(), "C:\\");
    EXPECT_EQ(ListRows(), rows);
    ASSERT_EQ(window->Navigate("C:\\"), 1);  // typed with its separator: the same root
    EXPECT_EQ(ListRows(), rows);
}

// Listed empty, it would look empty: it is refused like a path that is no folder.
TEST_F(AwkwardFolders, AFolderUnreadableOrVanishedAfterListingIsRefusedAndTheListStays)
{
    const std::string locked = tree.MakeDir("locked");
    const std::string sub = tree.MakeDir("sub");
    tree.MakeFile("locked\\inside.txt");
    ASSERT_EQ(window->Navigate(tree.Path().c_str()), 1);
    const Rows before = ListRows();
    // Held open without sharing, the folder is there but cannot be enumerated.
    HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    EXPECT_EQ(window->Navigate(locked.c_str()), 0);
    EXPECT_EQ(PathText(), tree.Path());
    EXPECT_EQ(ListRows(), before);
    window->PathBox().SetWindowText(locked.c_str());
    ModalDriver::Cancelling([&] { window->SendMessage(WM_COMMAND, IDM_RELOAD, 0); });  // explained
    EXPECT_EQ(PathText(), tree.Path());
    CloseHandle(hold);
    window->PathBox().SetWindowText(locked.c_str());
    EXPECT_EQ(window->OnReload(), 1);
    EXPECT_EQ(ListRows(), WalkFolder(locked));

    window->OnUp();
    EXPECT_EQ(PathText(), tree.Path());
    EXPECT_EQ(ListRows(), WalkFolder(tree.Path()));
    ASSERT_TRUE(RemoveDirectoryA(sub.c_str()));
    Select("sub");
    EXPECT_EQ(ModalDriver::Messages([&] { window->SendMessage(WM_COMMAND, IDM_FILE_OPEN, 0); }).size(), 1u);
    EXPECT_EQ(PathText(), tree.Path());
    EXPECT_EQ(ListRows(), before);
    EXPECT_EQ(window->OnReload(), 1);
    EXPECT_FALSE(Has(Names(ListRows()), "sub"));
}

// A folder of 257 bytes is a folder, but with "\\*.*" behind it no ANSI path reaches its
// entries, and one past MAX_PATH no ANSI call reaches at all: each is refused, never
// shown as empty; a user who asked is told why.
TEST_F(AwkwardFolders, FoldersTooLongForTheAnsiFunctionsAreRefusedNotListedEmpty)
{
    const std::string parent = tree.MakeDir(std::string(245 - tree.Path().size(), 'L'));
    const std::string folder = parent + "\\" + std::string(257 - parent.size() - 1, 'M');
    std::string deep = folder + "\\inner";
    for (const std::string& path : {folder, deep})
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Wide(path)).c_str(), nullptr)) << path;
    MakeFileW(L"\\\\?\\" + Wide(folder + "\\a.txt"), "");
    while (deep.size() < 300) {
        deep += "\\" + std::string(40, 'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Wide(deep)).c_str(), nullptr));
    }
    ASSERT_TRUE(PathIsDirectoryA(folder.c_str()));
    ASSERT_EQ(window->Navigate(parent.c_str()), 1);
    const Rows before = ListRows();
    ASSERT_EQ(before.size(), 2u) << "the parent lists it";

    EXPECT_EQ(window->Navigate(folder.c_str()), 0);  // asked for by no user: not told
    EXPECT_EQ(window->Navigate(deep.c_str()), 0);
    EXPECT_EQ(window->Navigate(std::string(300, 'x').c_str()), 0);
    // The row, the typed paths and home are each refused with the reason, box back on the parent.
    settings->SetHome(folder.c_str());
    const std::vector<std::string> told = ModalDriver::Messages([&] {
        Select(before[1].first);
        window->OnOpen();
        EXPECT_EQ(PathText(), parent);
        window->PathBox().SetWindowText(folder.c_str());
        EXPECT_EQ(window->OnReload(), 0);
        EXPECT_EQ(PathText(), parent);
        window->PathBox().SetWindowText(deep.c_str());  // and Enter
        window->SendMessage(WM_INPUTBOX_ENTER, reinterpret_cast<WPARAM>(&window->PathBox()), 0);
        EXPECT_EQ(PathText(), parent);
        EXPECT_EQ(ListRows(), before);
        settings->SetHome(folder.c_str());  // the reload read the file's home
        EXPECT_EQ(window->OnHome(), 0);
    }, window->GetHwnd(), MainTitle);
    const std::string tooLong = "」を表示できません。\r\n\r\n" + Reason(ERROR_FILENAME_EXCED_RANGE);
    EXPECT_EQ(told, (std::vector<std::string>{"フォルダ「" + folder + tooLong, "フォルダ「" + folder + tooLong,
                                              "フォルダ「" + deep + tooLong, "フォルダ「" + folder + tooLong}));
    EXPECT_EQ(ListRows(), before);
    Select("..");
    EXPECT_EQ(window->OnOpen(), 1);  // the row is the listed folder's, whatever the box held
    EXPECT_EQ(PathText(), tree.Path()) << "the rows still meant the parent";
}

// Which rows each combination of the two flags leaves is written out, not worked out.
// The flags hide rows, not folders: a hidden folder typed is still listed.
TEST_F(AwkwardFolders, HiddenAndSystemEntriesShowForEveryCombinationOfFlags)
{
    SetFileAttributesA(tree.MakeFile("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(tree.MakeFile("system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA(tree.MakeFile("both.txt").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const std::string hidden = tree.MakeDir("hdir");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    tree.MakeFile("plain.txt");
    window->Navigate(tree.Path().c_str());
    using Names_ = std::vector<std::string>;
    auto shown = [&] { Names_ names = Names(ListRows()); std::sort(names.begin(), names.end()); return names; };

    EXPECT_EQ(shown(), (Names_{"..", "plain.txt"}));
    EXPECT_EQ(window->Navigate(hidden.c_str()), 1);
    window->OnUp();
    EXPECT_EQ(Place(), "|..") << "the folder left has no row to land on";

    settings->SetDispHiddenFile(TRUE);
    window->ListFolder();
    EXPECT_EQ(shown(), (Names_{"..", "hdir", "hidden.txt", "plain.txt"}));
    window->Navigate(hidden.c_str());
    window->OnUp();
    EXPECT_EQ(Place(), "hdir |hdir");

    settings->SetDispHiddenFile(FALSE);
    settings->SetDispSystemFile(TRUE);
    window->ListFolder();
    EXPECT_EQ(shown(), (Names_{"..", "plain.txt", "system.txt"}));

    settings->SetDispHiddenFile(TRUE);
    window->ListFolder();
    EXPECT_EQ(shown(), (Names_{"..", "both.txt", "hdir", "hidden.txt", "plain.txt", "system.txt"}));

    const std::string box = tree.MakeDir("box");
    const DWORD kinds[] = {0, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY,
                           FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE};
    for (DWORD attributes : kinds) {
        const std::string tag = "a" + std::to_string(attributes);
        const std::string file = tree.MakeFile("box\\f" + tag + ".txt");
        const std::string dir = tree.MakeDir("box\\d" + tag);
        ASSERT_TRUE(SetFileAttributesA(file.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL));
        ASSERT_TRUE(SetFileAttributesA(dir.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL));
    }
    // a2 hidden, a4 system, a6 and a7 both, a33 read-only and archive.
    const char* const shownTags[4][6] = {{"a0", "a33"},
                                         {"a0", "a33", "a4"},
                                         {"a0", "a2", "a33"},
                                         {"a0", "a2", "a33", "a4", "a6", "a7"}};
    for (int flags = 0; flags < 4; ++flags) {
        const bool system = flags & 1, hiddenToo = flags & 2;
        settings->SetDispSystemFile(system);
        settings->SetDispHiddenFile(hiddenToo);
        ASSERT_EQ(window->Navigate(box.c_str()), 1);
        Rows expected{{"..", FolderKind}};
        for (const char* tag : shownTags[flags])
            if (tag != nullptr)
                expected.insert(expected.end(), {{std::string("d") + tag, FolderKind},
                                                 {std::string("f") + tag + ".txt", FileKind}});
        Rows rows = ListRows(), inOrder;  // what is shown comes in the platform's order
        for (const auto& row : WalkFolder(box))
            if (std::find(rows.begin(), rows.end(), row) != rows.end())
                inOrder.push_back(row);
        EXPECT_EQ(rows, inOrder) << "system " << system << ", hidden " << hiddenToo;
        std::sort(rows.begin(), rows.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(rows, expected) << "system " << system << ", hidden " << hiddenToo;
    }
}

TEST_F(AwkwardFolders, AHundredThousandEntriesAreAllListedAndTheWindowGoesOn)
{
    const std::string big = tree.MakeDir("big");
    ASSERT_TRUE(MakeNumberedFiles(big, 100000));
    ASSERT_EQ(window->Navigate(big.c_str()), 1);
    CListView& list = window->FileList();
    ASSERT_EQ(list.GetItemCount(), 100001);
    EXPECT_STREQ(list.GetItemText(100000, 0).GetString(), "f099999.txt");
    list.SetItemState(54321, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_STREQ(list.GetItemText(list.GetSelectedIndex(), 0).GetString(), "f054320.txt");
    window->OnUp();
    EXPECT_EQ(PathText(), tree.Path());
    EXPECT_EQ(ListRows(), WalkFolder(tree.Path()));
}

// Every command in every awkward state: nothing crashes, and nothing but the expected
// entry reaches the shell.

class EveryCommand : public WorkFolder {
protected:
    // Sends every command of the window, from the same starting state each time, and
    // returns the path box after each.
    std::map<UINT, std::string> RunAll(const std::function<void()>& prepare)
    {
        std::vector<UINT> ids = {IDC_BROWSE,     IDM_GO_HOME,   IDM_GO_UP,          IDM_RELOAD,
                                 IDM_FILE_OPEN,  IDM_FILE_EDIT, IDM_FILE_EXIT,      IDM_SETTING_COMMON,
                                 IDM_SETTING_LAUNCHER, IDM_HELP_USAGE, IDM_HELP_VERSION};
        for (UINT id = IDM_OPEN_WITH_FIRST; id <= IDM_OPEN_WITH_LAST; ++id)
            ids.push_back(id);
        std::map<UINT, std::string> after;
        for (UINT id : ids) {
            prepare();
            ModalDriver::Cancelling([&] { window->SendMessage(WM_COMMAND, id, 0); });
            DrainQuit();
            EXPECT_TRUE(IsWindow(window->GetHwnd())) << "command " << id;
            after[id] = PathText();
        }
        return after;
    }
};

// Without a selection only navigation acts; a launcher without its program starts nothing.
TEST_F(EveryCommand, WithNoSelectionOrAnUnregisteredLauncherOnlyNavigationActs)
{
    std::map<UINT, std::string> after = RunAll([&] {
        window->Navigate(work.c_str());
        window->FileList().SetItemState(-1, 0, LVIS_SELECTED);
    });
    EXPECT_EQ(after[IDM_GO_HOME], tree.Path());
    EXPECT_EQ(after[IDM_GO_UP], tree.Path());
    for (UINT id : {IDC_BROWSE, IDM_RELOAD, IDM_FILE_OPEN, IDM_FILE_EDIT, IDM_OPEN_WITH_FIRST})
        EXPECT_EQ(after[id], work) << id;
    EXPECT_EQ(window->OnOpen(), 0);
    EXPECT_EQ(window->OnEdit(), 0);
    EXPECT_EQ(window->OnOpenWith(0), 0);
    RegisterLauncher(1, "壊れた", (tree / "missing.exe"));  // a launcher without its program
    Select("b.tav");
    const std::vector<std::string> told = ModalDriver::Messages([&] {
        EXPECT_EQ(window->OnOpenWith(1), 0);
        EXPECT_EQ(window->OnOpenWith(3), 0);  // no entry at all: nothing to tell
    }, window->GetHwnd(), MainTitle);
    EXPECT_EQ(told, std::vector<std::string>{StartFailure((tree / "missing.exe").c_str(), ERROR_FILE_NOT_FOUND).GetString()});
    EXPECT_EQ(PathText(), work);
    Select("c.tav");  // the sentinel: nothing may have arrived before it
    EXPECT_EQ(window->OnEdit(), 1);
    EXPECT_EQ(Recorded(1), std::vector<std::string>{"edit \"" + work + "\\c.tav\""});
}

TEST_F(EveryCommand, WithSeveralSelectedOnlyTheFirstCounts)
{
    RunAll([&] {
        window->Navigate(work.c_str());
        Select({"b.tav", "c.tav", "sub"});
    });
    const std::string b = "\"" + work + "\\b.tav\"";
    std::vector<std::string> lines = Recorded(3);
    std::sort(lines.begin(), lines.end());  // the recorders may finish in either order
    EXPECT_EQ(lines, (std::vector<std::string>{b, "edit " + b, "open " + b}));
}

TEST_F(EveryCommand, OnTheParentRowOpenGoesUpTheLauncherGetsTheParentAndFoldersAreEntered)
{
    std::map<UINT, std::string> after = RunAll([&] {
        window->Navigate(work.c_str());
        Select("..");
    });
    EXPECT_EQ(after[IDM_FILE_OPEN], tree.Path());
    EXPECT_EQ(after[IDM_FILE_EDIT], work);
    EXPECT_EQ(Recorded(1), std::vector<std::string>{"\"" + tree.Path() + "\""});
    Select("sub");  // a folder row is entered, never edited nor handed to the shell
    EXPECT_EQ(window->OnEdit(), 0);
    EXPECT_EQ(window->OnOpen(), 1);
    EXPECT_EQ(PathText(), work + "\\sub");
    Select("..");
    window->OnOpen();
    EXPECT_EQ(PathText(), work);
    Select("c.tav");
    window->OnEdit();  // the sentinel: nothing may have arrived since
    EXPECT_EQ(Recorded(2), (std::vector<std::string>{"\"" + tree.Path() + "\"", "edit \"" + work + "\\c.tav\""}));
}

TEST_F(EveryCommand, AfterTheListedFolderWasDeletedNothingBreaks)
{
    const std::string gone = tree.MakeDir("gone");
    std::map<UINT, std::string> after = RunAll([&] {
        CreateDirectoryA(gone.c_str(), nullptr);
        tree.MakeFile("gone\\lost.tav");
        tree.MakeDir("gone\\inner");
        window->Navigate(gone.c_str());
        DeleteFileA((gone + "\\lost.tav").c_str());
        RemoveDirectoryA((gone + "\\inner").c_str());
        RemoveDirectoryA(gone.c_str());
        Select("lost.tav");
    });
    EXPECT_EQ(after[IDM_RELOAD], tree.Path()) << "the nearest folder left";
    EXPECT_EQ(after[IDM_GO_UP], tree.Path());
    EXPECT_EQ(after[IDM_GO_HOME], tree.Path());
    // The launcher gets the path the row shows; the shell finds no file to open or edit.
    EXPECT_EQ(Recorded(1), std::vector<std::string>{"\"" + gone + "\\lost.tav\""});
}

