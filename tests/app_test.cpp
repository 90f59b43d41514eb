#include "app/MainApp.h"
#include "framework/core/PathText.h"
#include "resource.h"
#include "settings/SystemData.h"
#include "support/MainWindow.h"
#include "support/ModalDriver.h"
#include "support/TestProcess.h"
#include "support/TempDir.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Starting folder worked out from the command line.
class StartFolderTest : public testing::Test {
protected:
    std::string From(const std::string& commandLine)
    {
        return CMainApp::StartFolderFromCommandLine(commandLine.c_str()).GetString();
    }
    TempDir tree;
};

TEST_F(StartFolderTest, QuotedFilePathStartsInItsFolder)
{
    const std::string file = tree.MakeFile("report.txt");
    EXPECT_EQ(From("\"" + file + "\""), tree.Path());
    EXPECT_EQ(From(file), tree.Path());
}

TEST_F(StartFolderTest, DirectoryIsKeptAndEmptyStaysEmpty)
{
    EXPECT_EQ(From(tree.Path()), tree.Path());
    EXPECT_EQ(From("\"" + tree.Path() + "\""), tree.Path());
    EXPECT_EQ(From(""), "");
    EXPECT_EQ(From("\"\""), "");  // too short to unquote, no separator
}

TEST_F(StartFolderTest, QuotedPathWithMoreArgumentsIsCutAtItsLastSeparator)
{
    const std::string sub = tree.MakeDir("sub");
    // Only the first and last characters go, so the rest is no folder and is cut.
    EXPECT_EQ(From("\"" + sub + "\" -x"), tree.Path());
}

TEST_F(StartFolderTest, FolderNamesEndingInTrailByte5CAreNotCutInside)
{
    const std::string hyo = tree.MakeDir("表");
    const std::string file = tree.MakeFile("表\\memo.txt");
    EXPECT_EQ(From("\"" + file + "\""), hyo);
    EXPECT_EQ(From(hyo + "\\missing.txt"), hyo);
    EXPECT_EQ(From(tree.MakeFile("表.txt")), tree.Path());  // the trail byte is no separator
    const std::string ju = tree.MakeDir("表\\十");
    EXPECT_EQ(From(ju), ju);
}

// The application object's own steps, without a message loop.
class MainAppTest : public testing::Test {
protected:
    void TearDown() override { DestroySystemData(); }
    TempDir tree;
};

TEST_F(MainAppTest, InitializeCreatesSettingsAndStoresTheStartFolder)
{
    CMainApp app;
    std::string commandLine = "\"" + tree.MakeFile("a.txt") + "\"";
    app.m_pszCmdLine = &commandLine[0];
    EXPECT_EQ(app.Initialize(), 1);
    ASSERT_NE(GetSystemData(), nullptr);
    EXPECT_STREQ(GetSystemData()->GetStartFolder().GetString(), tree.Path().c_str());

    // A second start-up finds the settings and leaves them alone.
    std::string other = tree.Path() + "\\elsewhere";
    app.m_pszCmdLine = &other[0];
    EXPECT_EQ(app.Initialize(), 1);
    EXPECT_STREQ(GetSystemData()->GetStartFolder().GetString(), tree.Path().c_str());

    EXPECT_EQ(app.Terminate(), 0);
    EXPECT_EQ(GetSystemData(), nullptr);
}

// Command lines: the start folder, and the window that opens on it.
class CommandLineInput : public MainAppTest {
protected:
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
                  static_cast<int>(WalkFolder(shown).size()))
            << shown;
        window.DestroyWindow();
        app.Terminate();
        DrainQuit();
        return shown;
    }

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

namespace {

// Makes every window of the thread fail to be created.
LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam)
{
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(MainAppTest, AMainWindowThatCannotBeCreatedEndsTheProgramWithOne)
{
    CMainApp app;  // the current application from here on
    const HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    PostQuitMessage(0);  // should a window appear after all, its loop ends at once
    EXPECT_EQ(RunApplication(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOW), 1);
    UnhookWindowsHookEx(hook);
    DrainQuit();
}

// The built program as a separate process.
class ExplorerProcessTest : public testing::Test {
protected:
    // Runs a copy of exeName from the build folder inside the temp folder, standard
    // output into a file there.
    bool Start(const std::string& exeName, const std::string& arguments, PROCESS_INFORMATION& started)
    {
        // Probes sit beside the tests, the explorer one folder up.
        const std::string folder = std::string(ExecutableFolder()) +
                                   (exeName == "TavlornExplorer.exe" ? "\\.." : "");
        const std::string source = folder + "\\" + exeName;
        const std::string copy = tree / exeName;
        if (!CopyFileA(source.c_str(), copy.c_str(), FALSE))
            return false;
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        output = CreateFileA((tree / "stdout.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                             &inherit, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
        std::string commandLine = QuotedArgument(copy.c_str()).GetString();
        commandLine += arguments.empty() ? "" : " " + arguments;
        return CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                              tree.Path().c_str(), &startup, &started) != FALSE;
    }

    // The first visible top-level window of the process whose title is title, or null once
    // the process has ended (a 10 MB settings file is slow to read).
    static HWND WaitForWindow(const PROCESS_INFORMATION& started, const char* title)
    {
        const DWORD id = started.dwProcessId;
        HWND found = nullptr;
        for (int i = 0; i < 1200 && (found = FindProcessWindow(id, title)) == nullptr; ++i)
            if (WaitForSingleObject(started.hProcess, 50) == WAIT_OBJECT_0)
                break;
        return found;
    }

    static DWORD WaitForExit(const PROCESS_INFORMATION& started)
    {
        if (WaitForSingleObject(started.hProcess, 20000) != WAIT_OBJECT_0) {
            TerminateProcess(started.hProcess, 99);
            return 99;
        }
        DWORD code = 99;
        GetExitCodeProcess(started.hProcess, &code);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        return code;
    }

    std::string Output()
    {
        CloseHandle(output);
        output = INVALID_HANDLE_VALUE;
        return ReadWholeFile(tree / "stdout.txt");
    }

    // Starts the explorer in the temp folder, iniContent beside it when not empty, and
    // closes it once its window showed; true when the window came and the process ended
    // with 0. shownPath receives the path box's text.
    bool RunAndClose(const std::string& arguments, const std::string& iniContent,
                     std::string& shownPath)
    {
        if (!iniContent.empty())
            tree.MakeFile("TavlornExplorer.ini", iniContent);
        PROCESS_INFORMATION started{};
        if (!Start("TavlornExplorer.exe", arguments, started))
            return false;
        HWND window = WaitForWindow(started, "Tavlornエクスプローラ");
        if (window != nullptr) {
            char path[1024] = "";
            SendMessageA(GetDlgItem(window, IDC_PATH), WM_GETTEXT, sizeof path,
                         reinterpret_cast<LPARAM>(path));
            shownPath = path;
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        const DWORD code = WaitForExit(started);
        Output();  // the next start writes its own
        return window != nullptr && code == 0;
    }

    void TearDown() override
    {
        if (output != INVALID_HANDLE_VALUE)
            CloseHandle(output);
    }

    TempDir tree;
    HANDLE output = INVALID_HANDLE_VALUE;
};

TEST_F(ExplorerProcessTest, ShowsTheFolderFromItsCommandLineAndClosesWithZero)
{
    const std::string shown = tree.MakeDir("shown");
    tree.MakeFile("shown\\one.txt");
    tree.MakeFile("shown\\二.txt");
    tree.MakeDir("shown\\three");
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(Start("TavlornExplorer.exe", "\"" + shown + "\"", started));
    HWND window = WaitForWindow(started, "Tavlornエクスプローラ");
    ASSERT_NE(window, nullptr);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "CWindow");

    HWND list = GetDlgItem(window, IDC_FILE_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);  // "..", one, 二, three
    char path[MAX_PATH] = "";
    // WM_GETTEXT is marshalled across processes; GetWindowTextA would read the stored title.
    SendMessageA(GetDlgItem(window, IDC_PATH), WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(path));
    EXPECT_EQ(std::string(path), shown);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(started), 0u);
    const std::string traces = Output();
    EXPECT_NE(traces.find("\"" + shown + "\"\r\n" + shown + "\r\n"), std::string::npos)
        << traces;
}

TEST_F(ExplorerProcessTest, FileExitEndsWithZero)
{
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(Start("TavlornExplorer.exe", "", started));
    HWND window = WaitForWindow(started, "Tavlornエクスプローラ");
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, IDM_FILE_EXIT, 0);
    EXPECT_EQ(WaitForExit(started), 0u);
}

TEST_F(ExplorerProcessTest, WithoutAnApplicationObjectReportsAndReturnsMinusOne)
{
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(Start("NoAppProbe.exe", "", started));
    HWND box = WaitForWindow(started, "エラー");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(Has(ChildTexts(box), "アプリケーションが正しく初期化されていません"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForExit(started), static_cast<DWORD>(-1));
}

// The built program, started with command lines a shell or a user could give it.
using ExplorerProcess = ExplorerProcessTest;

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
