#include "app/MainApp.h"
#include "explorer/MainWnd.h"
#include "framework/core/PathText.h"
#include "resource.h"
#include "settings/SystemData.h"
#include "support/MainWindow.h"
#include "support/ModalDriver.h"
#include "support/TestProcess.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring Wide(const std::string& text)
{
    wchar_t wide[4096] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 4096);
    return wide;
}

std::string Ansi(const std::wstring& text)
{
    char ansi[4096] = "";
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

// Files and folders whose names the code page cannot hold are made through the wide
// functions, as another program would make them.
void MakeFileW(const std::wstring& path, const std::string& content)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ShortNameOf(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return "";
    FindClose(search);
    return Ansi(found.cAlternateFileName);
}



bool Has(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Every dialog the command shows (folder browser, settings dialogs, message boxes) is
// cancelled from inside its own modal loop.
void SendWithDialogsCancelled(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ModalDriver().Run([&] { SendMessageA(window, message, wParam, lParam); }, 20);
}

// Fills folder with count empty files f000000.txt, f000001.txt, ... Wine's file creation
// slows with every entry already in the folder (20,000 take a minute), so under Wine a
// shell of the host makes them; elsewhere the wide functions do.
bool MakeNumberedFiles(const std::string& folder, int count)
{
    using Spawn = LONG(CDECL*)(char* const* argv, int wait);
    using UnixName = char*(CDECL*)(const wchar_t* path);
    const Spawn spawn = reinterpret_cast<Spawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    const UnixName unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring wide = Wide(folder);
    if (spawn != nullptr && unixName != nullptr) {
        char* unixFolder = unixName(wide.c_str());
        if (unixFolder == nullptr)
            return false;
        std::string script = "cd \"$1\" && seq -f f%06g.txt 0 " + std::to_string(count - 1) +
                             " | xargs touch";
        char* const argv[] = {const_cast<char*>("/bin/sh"), const_cast<char*>("-c"), &script[0],
                              const_cast<char*>("sh"), unixFolder, nullptr};
        const LONG status = spawn(argv, 1);
        HeapFree(GetProcessHeap(), 0, unixFolder);
        return status == 0;
    }
    wchar_t name[32];
    for (int i = 0; i < count; ++i) {
        wsprintfW(name, L"\\f%06d.txt", i);
        HANDLE file = CreateFileW((wide + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(file);
    }
    return true;
}

// A main window over a volume without short names: the listing sees no 8.3 names.
class CNoShortNamesWnd : public CMainWnd {
public:
    CNoShortNamesWnd() : CMainWnd("Tavlornエクスプローラ") {}

protected:
    void AddRow(const WIN32_FIND_DATAW& entry) override
    {
        WIN32_FIND_DATAW bare = entry;
        bare.cAlternateFileName[0] = L'\0';
        CMainWnd::AddRow(bare);
    }
};

}  // namespace

// A main window over a temporary tree, with a file type of the test's own whose "open"
// and "edit" verbs, like launcher entry 0, run a recorder that writes down its command
// line: what reached the shell is read back from the record.
class ExplorerFixture : public MainWindowTest {
protected:
    void SetUp() override
    {
        UseRecorder(".tav");
        CreateSettings();
        settings->SetLaunchName(0, "記録");
        settings->SetLaunchPath(0, recorder.c_str());
        ASSERT_EQ(settings->Save(), 1);  // reloads read the file again
        window.reset(MakeWindow());
        OpenWindow();
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        window.reset();
    }

    virtual CMainWnd* MakeWindow() { return new CMainWnd("Tavlornエクスプローラ"); }
    CMainWnd& Main() override { return *window; }

    // The last argument of a recorded line as a program's own parser splits it.
    static std::string LastArgument(const std::string& line)
    {
        int count = 0;
        const std::wstring full = L"x.exe " + Wide(line);
        LPWSTR* arguments = CommandLineToArgvW(full.c_str(), &count);
        const std::string last = count > 0 ? Ansi(arguments[count - 1]) : "";
        LocalFree(arguments);
        return last;
    }

    std::string Content(const std::string& path) { return ReadWholeFile(path); }

    std::unique_ptr<CMainWnd> window;
};

// ---------------------------------------------------------------------------------------
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

TEST_F(UnrepresentableNames, AreListedByShortNamesNeverAsTheirLookAlikes)
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
}

TEST_F(UnrepresentableNames, OpeningARowReachesTheEntryItShows)
{
    window->Navigate(folder.c_str());
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
    CMainWnd* MakeWindow() override { return new CNoShortNamesWnd; }

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

TEST_F(NoShortNames, RowsStayButNoCommandOpensThem)
{
    window->Navigate(folder.c_str());
    const std::vector<std::string> lossy = LossyRows();
    ASSERT_EQ(lossy.size(), 3u) << "the accented file, the emoji file and the accented folder keep a row each";
    EXPECT_EQ(ListRows().size(), 6u);

    for (const std::string& name : lossy) {
        Select(name);
        EXPECT_EQ(window->OnOpen(), 0) << name;
        EXPECT_EQ(window->OnEdit(), 0) << name;
        EXPECT_EQ(window->OnOpenWith(0), 0) << name;
        window->SendMessage(WM_COMMAND, IDM_FILE_OPEN, 0);
        window->SendMessage(WM_COMMAND, IDM_OPEN_WITH_FIRST, 0);
        EXPECT_EQ(PathText(), folder) << name;
    }
    // First among several selected, a refused row stops the command: the next one does
    // not stand in for it.
    const Rows rows = ListRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].first.find('?') == std::string::npos)
            continue;
        for (size_t j = i + 1; j < rows.size(); ++j) {
            if (rows[j].first.find('?') == std::string::npos) {
                Select({rows[i].first, rows[j].first});
                EXPECT_EQ(window->OnOpen(), 0) << rows[i].first << " before " << rows[j].first;
                EXPECT_EQ(PathText(), folder);
                break;
            }
        }
        break;
    }

    Select("cafe.tav");  // the sentinel: nothing may have arrived before it
    window->OnOpen();
    const std::vector<std::string> lines = Recorded(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Content(LastArgument(lines[0])), "plain");
}

TEST_F(NoShortNames, ARowThatStartsWithTheLostCharacterIsRefusedToo)
{
    MakeFileW(Wide(folder) + L"\\\u00e9t\u00e9.tav", "leading");  // été, listed as ?t?.tav
    window->Navigate(folder.c_str());
    ASSERT_TRUE(Has(LossyRows(), "?t?.tav"));
    Select("?t?.tav");
    EXPECT_EQ(window->OnOpen(), 0);
    EXPECT_EQ(window->OnEdit(), 0);
    EXPECT_EQ(window->OnOpenWith(0), 0);
}

TEST(NameConversion, OnlyExactNamesPassAndShortNamesStandIn)
{
    CString text;
    EXPECT_TRUE(ExactAnsiName(L"\u8868\u793a.txt", text));  // 表示.txt
    EXPECT_STREQ(text.GetString(), "表示.txt");
    EXPECT_FALSE(ExactAnsiName(L"caf\u00e9.txt", text));
    EXPECT_STRNE(text.GetString(), "cafe.txt") << "never the best-fit look-alike";
    EXPECT_FALSE(ExactAnsiName(L"x\U0001F600", text));
    EXPECT_FALSE(ExactAnsiName(L"\u00e9", text));

    WIN32_FIND_DATAW entry = {};
    lstrcpyW(entry.cFileName, L"Gr\u00f6\u00dfe.txt");
    lstrcpyW(entry.cAlternateFileName, L"GRE~1.TXT");
    EXPECT_TRUE(ListedName(entry, text));
    EXPECT_STREQ(text.GetString(), "GRE~1.TXT");
    entry.cAlternateFileName[0] = L'\0';
    EXPECT_FALSE(ListedName(entry, text));
    EXPECT_STRNE(text.GetString(), "Grose.txt");
    lstrcpyW(entry.cFileName, L"\u30bd\u30d5\u30c8");  // ソフト needs no short name
    EXPECT_TRUE(ListedName(entry, text));
    EXPECT_STREQ(text.GetString(), "ソフト");
}

// Made full, a relative path of double-byte names can pass MAX_PATH in the code page while
// it still fits in UTF-16: it is refused, never cut to another folder's name.
TEST(NameConversion, ARelativePathTooLongWhenMadeFullIsRefusedNotCut)
{
    std::string relative;
    for (int i = 0; i < 150; ++i)
        relative += "日";
    EXPECT_STREQ(FullPath("C:\\windows", relative.c_str()).GetString(), "");
    EXPECT_STREQ(FullPath("C:\\windows", "日").GetString(), "C:\\windows\\日");
}

// ---------------------------------------------------------------------------------------
// Names whose last byte is 0x5C, wherever a path is split, joined or quoted.

TEST_F(ExplorerFixture, TrailByte5CNamesArriveWholeAtTheShellAndTheLauncher)
{
    const std::string hyo = tree.MakeDir("表");
    const std::string so = tree.MakeDir("表\\ソ");
    tree.MakeFile("表\\ソ\\十.tav", "ju");
    tree.MakeDir("表示");  // what a byte-wise pattern would list instead

    ASSERT_EQ(window->Navigate(hyo.c_str()), 1);
    EXPECT_EQ(ListRows(), WalkFolder(hyo, false, false));
    Select("ソ");
    EXPECT_EQ(window->OnOpenWith(0), 1);  // a folder ending in 0x5C, quoted
    Recorded(1);
    window->OnOpen();
    EXPECT_EQ(PathText(), so);
    Select("十.tav");
    window->OnOpen();
    Recorded(2);
    Select("..");
    window->OnOpenWith(0);

    const std::vector<std::string> lines = Recorded(3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "\"" + so + "\"") << "nothing added after the trail byte";
    EXPECT_EQ(LastArgument(lines[0]), so);
    EXPECT_EQ(Content(LastArgument(lines[1])), "ju");
    EXPECT_EQ(LastArgument(lines[2]), hyo);
}

TEST_F(ExplorerFixture, ALauncherPathEndingInASeparatorIsNotCutByItsQuote)
{
    // The parent of a folder just below a drive is the drive's root, C:\ itself.
    ASSERT_EQ(window->Navigate("C:\\windows"), 1);
    Select("..");
    EXPECT_EQ(window->OnOpenWith(0), 1);
    const std::vector<std::string> lines = Recorded(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(LastArgument(lines[0]), "C:\\") << lines[0];
}

TEST(QuotedArgumentText, DoublesOnlyRealSeparatorsBeforeTheQuote)
{
    EXPECT_STREQ(QuotedArgument("C:\\a b\\c.txt").GetString(), "\"C:\\a b\\c.txt\"");
    EXPECT_STREQ(QuotedArgument("C:\\").GetString(), "\"C:\\\\\"");
    EXPECT_STREQ(QuotedArgument("C:\\x\\\\").GetString(), "\"C:\\x\\\\\\\\\"");
    EXPECT_STREQ(QuotedArgument("C:\\表").GetString(), "\"C:\\表\"");
    EXPECT_STREQ(QuotedArgument("C:\\ソ\\十").GetString(), "\"C:\\ソ\\十\"");
    EXPECT_STREQ(QuotedArgument("").GetString(), "\"\"");
}

// ---------------------------------------------------------------------------------------
// Folders that are empty, huge, gone, unreadable, too deep or full of hidden entries.

using AwkwardFolders = ExplorerFixture;

TEST_F(AwkwardFolders, AnEmptyFolderShowsOnlyItsParentRow)
{
    const std::string empty = tree.MakeDir("empty");
    ASSERT_EQ(window->Navigate(empty.c_str()), 1);
    EXPECT_EQ(ListRows(), (Rows{{"..", FolderKind}}));
    window->FileList().SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(window->OnOpen(), 0);
    EXPECT_EQ(window->OnEdit(), 0);
    EXPECT_EQ(window->OnReload(), 1);
    EXPECT_EQ(ListRows().size(), 1u);
}

TEST_F(AwkwardFolders, TheDriveRootListsWithoutDotsAndItsRowsOpen)
{
    ASSERT_EQ(window->Navigate("C:\\"), 1);
    const Rows rows = ListRows();
    EXPECT_EQ(rows, WalkFolder("C:", false, false));
    ASSERT_FALSE(rows.empty());
    EXPECT_NE(rows[0].first, "..");
    Select("windows");
    EXPECT_EQ(window->OnOpen(), 1);
    EXPECT_EQ(PathText(), "C:\\windows");
    window->OnUp();
    EXPECT_EQ(PathText(), "C:\\");
    EXPECT_EQ(ListRows(), rows);
}

TEST_F(AwkwardFolders, AFolderThatVanishedAfterListingIsNotEntered)
{
    const std::string sub = tree.MakeDir("sub");
    ASSERT_EQ(window->Navigate(tree.Path().c_str()), 1);
    const Rows before = ListRows();
    ASSERT_TRUE(RemoveDirectoryA(sub.c_str()));

    Select("sub");
    window->OnOpen();
    EXPECT_EQ(PathText(), tree.Path());
    EXPECT_EQ(ListRows(), before);
    EXPECT_EQ(window->OnReload(), 1);
    EXPECT_FALSE(Has(Names(ListRows()), "sub"));
}

// Listed empty, it would look empty: it is refused like a path that is no folder.
TEST_F(AwkwardFolders, AFolderThatCannotBeReadIsRefusedAndTheListStays)
{
    const std::string locked = tree.MakeDir("locked");
    tree.MakeFile("locked\\inside.txt");
    window->Navigate(tree.Path().c_str());
    const Rows before = ListRows();
    // Held open without sharing, the folder is there but cannot be enumerated.
    HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    EXPECT_EQ(window->Navigate(locked.c_str()), 0);
    EXPECT_EQ(PathText(), tree.Path());
    EXPECT_EQ(ListRows(), before);
    window->PathBox().SetWindowText(locked.c_str());
    EXPECT_EQ(window->OnReload(), 0);
    CloseHandle(hold);
    EXPECT_EQ(window->OnReload(), 1);
    EXPECT_EQ(ListRows(), WalkFolder(locked, false, false));

    window->OnUp();
    EXPECT_EQ(PathText(), tree.Path());
    EXPECT_EQ(ListRows(), WalkFolder(tree.Path(), false, false));
}

TEST_F(AwkwardFolders, APathTooLongForTheAnsiFunctionsIsRefused)
{
    // A real folder deeper than MAX_PATH, made through the wide functions.
    std::wstring deep = L"\\\\?\\" + Wide(tree.Path());
    std::string deepAnsi = tree.Path();
    while (deepAnsi.size() < 300) {
        deep += L"\\" + std::wstring(40, L'd');
        deepAnsi += "\\" + std::string(40, 'd');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    window->Navigate(tree.Path().c_str());
    const Rows before = ListRows();

    EXPECT_EQ(window->Navigate(deepAnsi.c_str()), 0);
    EXPECT_EQ(window->Navigate(std::string(300, 'x').c_str()), 0);
    // Typed into the path box and entered: refused, the typed text stays.
    window->PathBox().SetWindowText(deepAnsi.c_str());
    window->SendMessage(WM_APP + 1, reinterpret_cast<WPARAM>(&window->PathBox()), 0);
    EXPECT_EQ(PathText(), deepAnsi);
    EXPECT_EQ(ListRows(), before);
    Select("..");
    window->OnOpen();  // the row is the listed folder's, whatever the box holds
    EXPECT_EQ(PathText(), tree.Path().substr(0, tree.Path().rfind('\\')));
}

// A relative path is taken from the listed folder, never from the current directory
// (the open-file dialog moves it), and it is fixed when entered.
TEST_F(AwkwardFolders, ARelativePathIsFixedWhenEntered)
{
    const std::string here = tree.MakeDir("here");
    tree.MakeDir("here\\sub");
    tree.MakeFile("here\\sub\\mine.txt");
    const std::string there = tree.MakeDir("there");
    tree.MakeDir("there\\sub");
    tree.MakeFile("there\\sub\\other.txt");
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);

    SetCurrentDirectoryA(there.c_str());
    ASSERT_EQ(window->Navigate(here.c_str()), 1);
    EXPECT_EQ(window->Navigate("sub"), 1);
    EXPECT_EQ(PathText(), here + "\\sub");
    window->OnReload();
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(PathText(), here + "\\sub");
    EXPECT_TRUE(Has(Names(ListRows()), "mine.txt"));
}

TEST_F(AwkwardFolders, HiddenAndSystemEntriesShowForEveryCombinationOfFlags)
{
    const std::string box = tree.MakeDir("box");
    const DWORD kinds[] = {0, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY,
                           FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE};
    std::vector<std::pair<std::string, DWORD>> made;
    for (DWORD attributes : kinds) {
        const std::string tag = "a" + std::to_string(attributes);
        const std::string file = tree.MakeFile("box\\f" + tag + ".txt");
        const std::string dir = tree.MakeDir("box\\d" + tag);
        ASSERT_TRUE(SetFileAttributesA(file.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL));
        ASSERT_TRUE(SetFileAttributesA(dir.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL));
        made.emplace_back("f" + tag + ".txt", attributes);
        made.emplace_back("d" + tag, attributes);
    }
    for (int flags = 0; flags < 4; ++flags) {
        const bool system = flags & 1, hidden = flags & 2;
        settings->SetDispSystemFile(system);
        settings->SetDispHiddenFile(hidden);
        ASSERT_EQ(window->Navigate(box.c_str()), 1);
        const std::vector<std::string> shown = Names(ListRows());
        for (const auto& entry : made) {
            const bool expected = (system || !(entry.second & FILE_ATTRIBUTE_SYSTEM)) &&
                                  (hidden || !(entry.second & FILE_ATTRIBUTE_HIDDEN));
            EXPECT_EQ(Has(shown, entry.first), expected)
                << entry.first << " with system " << system << ", hidden " << hidden;
        }
        EXPECT_EQ(ListRows(), WalkFolder(box, hidden, system));
    }
    for (const auto& entry : made)
        SetFileAttributesA((box + "\\" + entry.first).c_str(), FILE_ATTRIBUTE_NORMAL);
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
    EXPECT_EQ(ListRows(), WalkFolder(tree.Path(), false, false));
}

// ---------------------------------------------------------------------------------------
// Every command in every awkward state: nothing crashes, and nothing but the expected
// entry reaches the shell.

class EveryCommand : public ExplorerFixture {
protected:
    void SetUp() override
    {
        ExplorerFixture::SetUp();
        work = tree.MakeDir("work");
        tree.MakeDir("work\\sub");
        tree.MakeFile("work\\b.tav");
        tree.MakeFile("work\\c.tav");
    }

    // Sends every command of the window, from the same starting state each time, and
    // returns the path box after each.
    std::vector<std::string> RunAll(const std::function<void()>& prepare)
    {
        std::vector<std::string> after;
        for (UINT id : Commands()) {
            prepare();
            SendWithDialogsCancelled(window->GetHwnd(), WM_COMMAND, id, 0);
            DrainQuit();
            EXPECT_TRUE(IsWindow(window->GetHwnd())) << "command " << id;
            after.push_back(PathText());
        }
        return after;
    }

    static std::vector<UINT> Commands()
    {
        std::vector<UINT> ids = {IDC_BROWSE,     IDM_GO_HOME,   IDM_GO_UP,          IDM_RELOAD,
                                 IDM_FILE_OPEN,  IDM_FILE_EDIT, IDM_FILE_EXIT,      IDM_SETTING_COMMON,
                                 IDM_SETTING_LAUNCHER, IDM_HELP_USAGE, IDM_HELP_VERSION};
        for (UINT id = IDM_OPEN_WITH_FIRST; id <= IDM_OPEN_WITH_LAST; ++id)
            ids.push_back(id);
        return ids;
    }

    static size_t IndexOf(UINT id)
    {
        const std::vector<UINT> ids = Commands();
        return std::find(ids.begin(), ids.end(), id) - ids.begin();
    }

    std::string work;
};

TEST_F(EveryCommand, WithNoSelectionOnlyNavigationActs)
{
    const std::vector<std::string> after = RunAll([&] {
        window->Navigate(work.c_str());
        window->FileList().SetItemState(-1, 0, LVIS_SELECTED);
    });
    EXPECT_EQ(after[IndexOf(IDM_GO_HOME)], tree.Path());
    EXPECT_EQ(after[IndexOf(IDM_GO_UP)], tree.Path());
    for (UINT id : {IDC_BROWSE, IDM_RELOAD, IDM_FILE_OPEN, IDM_FILE_EDIT, IDM_OPEN_WITH_FIRST})
        EXPECT_EQ(after[IndexOf(id)], work) << id;
    Select("c.tav");  // the sentinel
    window->OnEdit();
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

TEST_F(EveryCommand, OnTheParentRowOpenGoesUpAndTheLauncherGetsTheParent)
{
    const std::vector<std::string> after = RunAll([&] {
        window->Navigate(work.c_str());
        Select("..");
    });
    EXPECT_EQ(after[IndexOf(IDM_FILE_OPEN)], tree.Path());
    EXPECT_EQ(after[IndexOf(IDM_FILE_EDIT)], work);
    EXPECT_EQ(Recorded(1), std::vector<std::string>{"\"" + tree.Path() + "\""});
}

TEST_F(EveryCommand, AfterTheListedFolderWasDeletedNothingBreaks)
{
    const std::string gone = tree.MakeDir("gone");
    const std::vector<std::string> after = RunAll([&] {
        CreateDirectoryA(gone.c_str(), nullptr);
        tree.MakeFile("gone\\lost.tav");
        tree.MakeDir("gone\\inner");
        window->Navigate(gone.c_str());
        DeleteFileA((gone + "\\lost.tav").c_str());
        RemoveDirectoryA((gone + "\\inner").c_str());
        RemoveDirectoryA(gone.c_str());
        Select("lost.tav");
    });
    EXPECT_EQ(after[IndexOf(IDM_RELOAD)], gone) << "refused: the path box stays";
    EXPECT_EQ(after[IndexOf(IDM_GO_UP)], tree.Path());
    EXPECT_EQ(after[IndexOf(IDM_GO_HOME)], tree.Path());
    // The launcher gets the path the row shows; the shell finds no file to open or edit.
    EXPECT_EQ(Recorded(1), std::vector<std::string>{"\"" + gone + "\\lost.tav\""});
}

// ---------------------------------------------------------------------------------------
// The settings file, whatever it holds.

class SettingsInput : public testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }

    static std::string Ini() { return SettingsFolder() + "\\TavlornExplorer.ini"; }
    static void Remove()
    {
        DeleteFileA(Ini().c_str());
        RemoveDirectoryA(Ini().c_str());
    }
    static void WriteIni(const std::string& content)
    {
        HANDLE file = CreateFileA(Ini().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    static std::string Text(const CString& text) { return text.GetString(); }

    // Every value set, distinct, some in Japanese and ending in the byte 0x5C.
    static void Fill(CSystemData& data)
    {
        data.SetHome("C:\\表\\ソ");
        data.SetDispSystemFile(1);
        data.SetDispHiddenFile(0);
        for (int i = 0; i < CSystemData::LauncherCount; ++i) {
            data.SetLaunchName(i, ("十" + std::to_string(i)).c_str());
            data.SetLaunchPath(i, ("C:\\能力\\p" + std::to_string(i) + ".exe").c_str());
        }
    }

    static void ExpectSame(const CSystemData& a, const CSystemData& b, const std::string& what)
    {
        EXPECT_EQ(Text(a.GetHome()), Text(b.GetHome())) << what;
        EXPECT_EQ(a.GetDispSystemFile(), b.GetDispSystemFile()) << what;
        EXPECT_EQ(a.GetDispHiddenFile(), b.GetDispHiddenFile()) << what;
        for (int i = 0; i < CSystemData::LauncherCount; ++i) {
            EXPECT_EQ(Text(a.GetLaunchName(i)), Text(b.GetLaunchName(i))) << what << " name " << i;
            EXPECT_EQ(Text(a.GetLaunchPath(i)), Text(b.GetLaunchPath(i))) << what << " path " << i;
        }
    }

    // Whatever the file held, what is saved over it comes back whole.
    static void ExpectSavesOver(const std::string& what)
    {
        CSystemData saved;
        Fill(saved);
        EXPECT_EQ(saved.Save(), 1) << what;
        CSystemData loaded;
        EXPECT_EQ(loaded.Load(), 1) << what;
        ExpectSame(loaded, saved, what);
    }
};

TEST_F(SettingsInput, OddFilesReadWithoutHarmAndTakeASaveWhole)
{
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 65536; ++i) {
        seed = seed * 1103515245 + 12345;
        garbage += static_cast<char>(seed >> 16);
    }
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty", ""},
        {"binary garbage", garbage},
        {"garbage with a UTF-16 mark", "\xFF\xFE" + garbage},
        {"no sections", "HOME=C:\\x\r\nDISP_HIDDEN_FILE=TRUE\r\nNAME1=a\r\n"},
        {"only a bracket", "[\r\n]\r\n[[[\r\n=\r\n==\r\n"},
        {"no line ends", std::string(5000, '[')},
    };
    for (const auto& file : files) {
        WriteIni(file.second);
        CSystemData data;
        EXPECT_EQ(data.Load(), 1) << file.first;
        ExpectSavesOver(file.first);
        Remove();
    }
    CSystemData missing;
    Fill(missing);
    EXPECT_EQ(missing.Load(), 1);
    EXPECT_EQ(Text(missing.GetHome()), "");
    EXPECT_EQ(GetFileAttributesA(Ini().c_str()), INVALID_FILE_ATTRIBUTES) << "nothing created";
}

TEST_F(SettingsInput, KeysAfterGarbageAreStillFound)
{
    WriteIni(std::string("\x01\x02\xFE\x80junk\r\n\x81\x5C\r\n") +
             "[COMMON_SETTING]\r\nHOME=C:\\表\r\nDISP_HIDDEN_FILE=TRUE\r\n");
    CSystemData data;
    data.Load();
    EXPECT_EQ(Text(data.GetHome()), "C:\\表");
    EXPECT_EQ(data.GetDispHiddenFile(), 1);
}

TEST_F(SettingsInput, DuplicateSectionsAndKeysReadTheFirstAndASaveIsSeen)
{
    WriteIni("[COMMON_SETTING]\r\nHOME=C:\\first\r\nHOME=C:\\second\r\n"
             "[LACNCH_SETTING]\r\nNAME1=one\r\n"
             "[COMMON_SETTING]\r\nHOME=C:\\third\r\nDISP_HIDDEN_FILE=TRUE\r\n"
             "[LACNCH_SETTING]\r\nNAME1=uno\r\nNAME2=two\r\n");
    CSystemData data;
    data.Load();
    EXPECT_EQ(Text(data.GetHome()), "C:\\first");
    EXPECT_EQ(Text(data.GetLaunchName(0)), "one");
    ExpectSavesOver("duplicates");
}

TEST_F(SettingsInput, AUtf16FileKeepsItsValues)
{
    const std::wstring text = L"\uFEFF[COMMON_SETTING]\r\nHOME=C:\\\u8868\r\nDISP_SYSTEM_FILE=TRUE\r\n"
                              L"[LACNCH_SETTING]\r\nNAME3=\u30bd\u30d5\u30c8\r\n";
    WriteIni(std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
    CSystemData data;
    EXPECT_EQ(data.Load(), 1);
    EXPECT_EQ(Text(data.GetHome()), "C:\\表");
    EXPECT_EQ(data.GetDispSystemFile(), 1);
    EXPECT_EQ(Text(data.GetLaunchName(2)), "ソフト");
    // Saved back unchanged, the file still reads the same.
    EXPECT_EQ(data.Save(), 1);
    CSystemData again;
    again.Load();
    ExpectSame(again, data, "UTF-16 after a save");
    ExpectSavesOver("UTF-16");
}

TEST_F(SettingsInput, LongValuesSurviveALoadAndASave)
{
    for (int length : {259, 260, 300, 10000}) {
        std::string value;
        for (int i = 0; i < length; ++i)
            value += static_cast<char>('a' + i % 26);
        WriteIni("[COMMON_SETTING]\r\nHOME=" + value + "\r\n[LACNCH_SETTING]\r\nNAME1=" + value +
                 "\r\nPATH10=" + value + "\r\n");
        CSystemData data;
        data.Load();
        EXPECT_EQ(Text(data.GetHome()), value) << length;
        EXPECT_EQ(Text(data.GetLaunchPath(9)), value) << length;
        data.SetDispHiddenFile(TRUE);  // the user changes something else and saves
        ASSERT_EQ(data.Save(), 1);
        CSystemData loaded;
        loaded.Load();
        EXPECT_EQ(Text(loaded.GetLaunchName(0)), value) << length;
        EXPECT_EQ(Text(loaded.GetLaunchPath(9)), value) << length;
    }
}

TEST_F(SettingsInput, QuotesAndBlanksAroundValuesComeBackAsTheyWere)
{
    WriteIni("[COMMON_SETTING]\r\n HOME = \"C:\\a b \" \r\nDISP_HIDDEN_FILE = TRUE \r\n"
             "[LACNCH_SETTING]\r\nNAME1=  padded  \r\nNAME2='single'\r\nNAME3=\"unbalanced\r\n");
    CSystemData read;
    read.Load();
    EXPECT_EQ(Text(read.GetHome()), "C:\\a b ");
    EXPECT_EQ(read.GetDispHiddenFile(), 1);
    EXPECT_EQ(Text(read.GetLaunchName(0)), "padded");
    EXPECT_EQ(Text(read.GetLaunchName(1)), "single");
    EXPECT_EQ(Text(read.GetLaunchName(2)), "\"unbalanced");
    ASSERT_EQ(read.Save(), 1);
    CSystemData reread;
    reread.Load();
    ExpectSame(reread, read, "read, saved, read again");

    // Values the user typed with blanks and quotes of their own.
    CSystemData typed;
    const char* const names[] = {"  two blanks ", "\"quoted\"", "'single'", "\"unbalanced",
                                 "a \"b\" c",      "\t",         "'",        "\"",
                                 "\"\"",           "  "};
    for (int i = 0; i < CSystemData::LauncherCount; ++i)
        typed.SetLaunchName(i, names[i]);
    typed.SetHome(" C:\\表 ");
    ASSERT_EQ(typed.Save(), 1);
    CSystemData loaded;
    loaded.Load();
    ExpectSame(loaded, typed, "typed values");
    // Blanks and quotes at one end only; a path with one quote is no quoted path.
    const char* const oneSided[] = {"名前\t", "\t名前", "名前 ", " 名前", "x'", "'x",
                                    "C:\\x.exe\"", "\"C:\\x.exe", "\"C:\\表", "表\""};
    for (int i = 0; i < CSystemData::LauncherCount; ++i) {
        typed.SetLaunchName(i, oneSided[i]);
        typed.SetLaunchPath(i, oneSided[CSystemData::LauncherCount - 1 - i]);
    }
    ASSERT_EQ(typed.Save(), 1);
    loaded.Load();
    ExpectSame(loaded, typed, "one-sided values");

    // Paths pasted in quotes come back as paths, blanks inside the quotes kept.
    typed.SetHome("\"C:\\Program Files\\表\"");
    typed.SetLaunchPath(0, "\" C:\\x.exe \"");
    ASSERT_EQ(typed.Save(), 1);
    loaded.Load();
    EXPECT_EQ(Text(loaded.GetHome()), "C:\\Program Files\\表");
    EXPECT_EQ(Text(loaded.GetLaunchPath(0)), " C:\\x.exe ");
}

TEST_F(SettingsInput, ALineBreakInAValueFailsTheSaveAndInjectsNothing)
{
    CSystemData data;
    Fill(data);
    ASSERT_EQ(data.Save(), 1);
    data.SetLaunchName(4, "evil\r\n[COMMON_SETTING]\r\nHOME=C:\\elsewhere");
    data.SetLaunchPath(5, "a\nb");
    EXPECT_EQ(data.Save(), 0);
    CSystemData loaded;
    loaded.Load();
    EXPECT_EQ(Text(loaded.GetHome()), "C:\\表\\ソ");
    EXPECT_EQ(Text(loaded.GetLaunchName(4)), "十4");

    Fill(data);  // HOME, the first key written, fails the save as well
    data.SetHome("C:\\a\r\nb");
    EXPECT_EQ(data.Save(), 0);
    Fill(data);  // and any one name or path alone
    data.SetLaunchName(9, "a\nb");
    EXPECT_EQ(data.Save(), 0);
    Fill(data);
    data.SetLaunchPath(0, "a\nb");
    EXPECT_EQ(data.Save(), 0);
}

TEST_F(SettingsInput, ATenMegabyteFileStillLoads)
{
    std::string big = "[JUNK]\r\n";
    for (int i = 0; big.size() < 10 * 1024 * 1024; ++i)
        big += "KEY" + std::to_string(i) + "=" + std::string(100, 'x') + "\r\n";
    big += "[COMMON_SETTING]\r\nHOME=C:\\big\r\nDISP_SYSTEM_FILE=TRUE\r\n"
           "[LACNCH_SETTING]\r\nNAME10=last\r\n";
    WriteIni(big);
    CMainApp app;
    std::string commandLine;
    app.m_pszCmdLine = &commandLine[0];
    ASSERT_EQ(app.Initialize(), 1);
    CSystemData* data = GetSystemData();
    EXPECT_EQ(Text(data->GetHome()), "C:\\big");
    EXPECT_EQ(data->GetDispSystemFile(), 1);
    EXPECT_EQ(Text(data->GetLaunchName(9)), "last");
    app.Terminate();
}

// While another program holds the file without sharing, reading answers defaults only.
TEST_F(SettingsInput, AFileThatCannotBeReadLeavesTheSettingsAsTheyWere)
{
    CSystemData saved;
    Fill(saved);
    ASSERT_EQ(saved.Save(), 1);
    CSystemData data;
    ASSERT_EQ(data.Load(), 1);

    HANDLE lock = CreateFileA(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.Load(), 0);
    ExpectSame(data, saved, "loaded while locked");

    CSystemData fresh;  // started while the file was held: defaults, which must not be saved
    EXPECT_EQ(fresh.Load(), 0);
    CloseHandle(lock);
    fresh.SetDispHiddenFile(TRUE);
    EXPECT_EQ(fresh.Save(), 0);
    CSystemData check;
    check.Load();
    ExpectSame(check, saved, "after the refused save");
    EXPECT_EQ(fresh.Load(), 1);
    ExpectSame(fresh, saved, "loaded again");
    EXPECT_EQ(fresh.Save(), 1);

    // A folder in the file's place reads no better.
    Remove();
    ASSERT_TRUE(CreateDirectoryA(Ini().c_str(), nullptr));
    EXPECT_EQ(data.Load(), 0);
    ExpectSame(data, saved, "a folder in the file's place");
}

// ---------------------------------------------------------------------------------------
// A save that fails, reached through the main window's own commands.

namespace {

// Plays a user at a settings dialog: the script runs once the dialog shows; a window
// that opens meanwhile (the message box) gets its texts recorded and is closed with OK;
// a dialog the script left open is cancelled.
struct DialogPlay {
    const char* caption = nullptr;
    std::function<void(HWND)> script;
    std::vector<std::string> boxTexts;
};

bool Play(HWND mainWindow, UINT command, DialogPlay& play)
{
    ModalDriver driver;
    driver.Expect(play.caption, [&](HWND dialog) {
        play.script(dialog);
        if (IsWindowVisible(dialog))
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    driver.Others([&](HWND box) {
        const std::vector<std::string> texts = ChildTexts(box);
        play.boxTexts.insert(play.boxTexts.end(), texts.begin(), texts.end());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    return driver.Run([&] { SendMessageA(mainWindow, WM_COMMAND, command, 0); }, 20);
}

}  // namespace

class FailedSave : public ExplorerFixture {
protected:
    std::string Ini() { return settings->GetFilePath(CSystemData::SettingsFile).GetString(); }
    std::string LauncherLabel(int index)
    {
        char text[256] = "";
        GetMenuStringA(window->ContextMenu().GetHandle(), IDM_OPEN_WITH_FIRST + index, text,
                       sizeof text, MF_BYCOMMAND);
        return text;
    }
};

TEST_F(FailedSave, IsToldAndNeitherTheWindowNorTheFileChange)
{
    const std::string before = ReadWholeFile(Ini());
    HANDLE lock = CreateFileA(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    bool stayedOpen = false;
    DialogPlay play;
    play.caption = "ランチャー設定";
    play.script = [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_LAUNCH_NAME1, "新しい名前");
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        stayedOpen = IsWindowVisible(dialog) != FALSE;
        SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    };
    ASSERT_TRUE(Play(window->GetHwnd(), IDM_SETTING_LAUNCHER, play));
    CloseHandle(lock);

    EXPECT_TRUE(Has(play.boxTexts, "設定を保存できませんでした。"));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(LauncherLabel(0), "記録");
    EXPECT_STREQ(settings->GetLaunchName(0).GetString(), "記録");
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

    DialogPlay play;
    play.caption = "共通設定";
    play.script = [&](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, IDC_DISP_HIDDEN_FILE), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    };
    ASSERT_TRUE(Play(window->GetHwnd(), IDM_SETTING_COMMON, play));
    CloseHandle(lock);
    EXPECT_TRUE(Has(play.boxTexts, "設定を保存できませんでした。"));
    EXPECT_EQ(ReadWholeFile(Ini()), before);

    // Once the file reads again, a reload brings the stored settings back and OK works.
    window->SendMessage(WM_COMMAND, IDM_RELOAD, 0);
    EXPECT_EQ(LauncherLabel(0), "記録");
    DialogPlay again;
    again.caption = "共通設定";
    again.script = [&](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, IDC_DISP_HIDDEN_FILE), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    };
    ASSERT_TRUE(Play(window->GetHwnd(), IDM_SETTING_COMMON, again));
    EXPECT_TRUE(again.boxTexts.empty());
    CSystemData stored;
    ASSERT_EQ(stored.Load(), 1);
    EXPECT_EQ(stored.GetDispHiddenFile(), 1);
    EXPECT_STREQ(stored.GetLaunchName(0).GetString(), "記録");
    EXPECT_STREQ(stored.GetHome().GetString(), tree.Path().c_str());
}

// ---------------------------------------------------------------------------------------
// Command lines: the start folder, and the window that opens on it.

class CommandLineInput : public testing::Test {
protected:
    void TearDown() override
    {
        DestroySystemData();
        DrainQuit();
    }

    // Start-up as the program does it; the window must show a folder that exists and
    // list exactly that folder.
    std::string StartWith(const std::string& commandLine)
    {
        CMainApp app;
        std::string text = commandLine;
        app.m_pszCmdLine = &text[0];
        EXPECT_EQ(app.Initialize(), 1);
        GetSystemData()->SetHome(home.c_str());
        CMainWnd window("Tavlornエクスプローラ");
        EXPECT_NE(window.Create(0, 0, 640, 480, nullptr), nullptr);
        const std::string shown = window.PathBox().GetWindowText().GetString();
        EXPECT_NE(PathIsDirectoryA(shown.c_str()), FALSE) << "[" << shown << "]";
        EXPECT_EQ(window.FileList().GetItemCount(),
                  static_cast<int>(WalkFolder(shown, false, false).size()))
            << shown;
        window.DestroyWindow();
        app.Terminate();
        DrainQuit();
        return shown;
    }

    TempDir tree;
    std::string home = tree.MakeDir("home");
};

TEST_F(CommandLineInput, OddCommandLinesGiveAFolderThatExists)
{
    const std::string sub = tree.MakeDir("sub");
    const std::string file = tree.MakeFile("sub\\a.txt");
    const std::string hyo = tree.MakeDir("表");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", home},
        {"\"", home},
        {"\"\"", home},
        {"\"\"\"", home},
        {"\"" + sub, tree.Path()},  // unbalanced: the last character goes unseen
        {sub + "\"", tree.Path()},
        {std::string(300, 'x'), home},
        {"C:\\" + std::string(300, 'y'), "C:\\"},
        {std::string(32000, 'z'), home},
        {"\"" + std::string(32000, '\\') + "\"", home},
        {sub + "\\", sub + "\\"},
        {"\"" + sub + "\\\"", sub + "\\"},
        {file, sub},
        {"\"" + file + "\"", sub},
        {sub + "\\missing\\deeper.txt", home},
        {"\"" + file + "\" -x --y", sub},
        {hyo + "\\memo.txt", hyo},
        {"\"" + hyo + "\"", hyo},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartWith(c.first), c.second) << "command line [" << c.first.substr(0, 80) << "]";
}

TEST_F(CommandLineInput, RelativePathsAndABareDriveStartSomewhereReal)
{
    tree.MakeDir("rel");
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(tree.Path().c_str());
    const std::string relative = StartWith("rel");
    const std::string dotted = StartWith(".\\rel\\..\\rel");
    const std::string drive = StartWith("C:");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(relative, tree / "rel");
    EXPECT_EQ(dotted, tree / "rel");
    EXPECT_EQ(drive, "C:\\");  // the root: "C:" alone is the drive's current directory
}

// The built program, started with command lines a shell or a user could give it.
class ExplorerProcess : public testing::Test {
protected:
    // Starts a copy of the explorer in the temp folder, iniContent beside it when not
    // empty, and closes it once its window showed; true when the window came and the
    // process ended with 0. shownPath receives the path box's text.
    bool RunAndClose(const std::string& arguments, const std::string& iniContent,
                     std::string& shownPath)
    {
        const std::string source = std::string(ExecutableFolder()) + "\\..\\TavlornExplorer.exe";
        const std::string copy = tree / "TavlornExplorer.exe";
        if (!CopyFileA(source.c_str(), copy.c_str(), FALSE))
            return false;
        if (!iniContent.empty())
            tree.MakeFile("TavlornExplorer.ini", iniContent);
        std::string commandLine = "\"" + copy + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            tree.Path().c_str(), &startup, &process))
            return false;
        HWND window = nullptr;
        for (int i = 0; i < 1200 && window == nullptr; ++i) {  // a 10 MB file is slow to read
            window = FindProcessWindow(process.dwProcessId, "Tavlornエクスプローラ");
            if (window == nullptr && WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)
                break;
        }
        DWORD code = 99;
        if (window != nullptr) {
            char path[1024] = "";
            SendMessageA(GetDlgItem(window, IDC_PATH), WM_GETTEXT, sizeof path,
                         reinterpret_cast<LPARAM>(path));
            shownPath = path;
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 98);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return window != nullptr && code == 0;
    }

    TempDir tree;
};

TEST_F(ExplorerProcess, StartsAndEndsWithZeroWhateverItsCommandLineHolds)
{
    const std::string sub = tree.MakeDir("sub");
    const std::string home = tree.MakeDir("home");
    const std::string ini = "[COMMON_SETTING]\r\nHOME=" + home + "\r\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\"", home},
        {"\"" + sub, tree.Path()},
        {"sub", sub},  // relative to the folder it was started in
        {"C:", "C:\\"},
        {std::string(32000, 'q'), home},
        {"\"" + sub + "\\\" trailing args", sub},
    };
    for (const auto& c : cases) {
        std::string shown;
        EXPECT_TRUE(RunAndClose(c.first, ini, shown)) << c.first.substr(0, 60);
        EXPECT_EQ(shown, c.second) << c.first.substr(0, 60);
    }
}

TEST_F(ExplorerProcess, StartsWithATenMegabyteSettingsFile)
{
    const std::string home = tree.MakeDir("home");
    std::string big = "[JUNK]\r\n";
    for (int i = 0; big.size() < 10 * 1024 * 1024; ++i)
        big += "K" + std::to_string(i) + "=" + std::string(120, 'x') + "\r\n";
    big += "[COMMON_SETTING]\r\nHOME=" + home + "\r\n";
    std::string shown;
    EXPECT_TRUE(RunAndClose("", big, shown));
    EXPECT_EQ(shown, home);
}
