#include "support/MainWindow.h"

#include "framework/core/SystemMessage.h"
#include "resource.h"
#include "support/FileType.h"
#include "support/TestProcess.h"

#include <shellapi.h>

#include <algorithm>

void MainWindowTest::CreateSettings()
{
    CreateSystemData();
    settings = GetSystemData();
    settings->SetHome(tree.Path().c_str());
}

void MainWindowTest::OpenWindow()
{
    ASSERT_NE(Main().Create(0, 0, 640, 480, nullptr), nullptr);
}

void MainWindowTest::CloseWindow()
{
    Main().DestroyWindow();
    DrainQuit();
}

void MainWindowTest::DestroySettings()
{
    if (GetSystemData() != nullptr)
        DeleteFileA(GetSystemData()->GetFilePath(CSystemData::SettingsFile).GetString());
    DestroySystemData();
    settings = nullptr;
}

void MainWindowTest::UseRecorder(const std::string& extension)
{
    recorder = std::string(ExecutableFolder()) + "\\Recorder.exe";
    record = tree / "record.txt";
    SetEnvironmentVariableA("TAVLORN_RECORD_FILE", record.c_str());
    ASSERT_TRUE(RegisterVerbsFileType(extension, recorder));
}

std::vector<std::string> MainWindowTest::Recorded(size_t count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i) {
        lines.clear();
        const std::string text = ReadWholeFile(record);
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
            std::string line = text.substr(start, end - start);
            const size_t afterName = line.find("\" ", 1);  // the recorder's quoted path
            lines.push_back(afterName == std::string::npos ? line : line.substr(afterName + 2));
        }
        if (lines.size() >= count)
            break;
        Sleep(50);
    }
    return lines;
}

void MainWindowTest::Select(const std::vector<std::string>& names)
{
    CListView& list = Main().FileList();
    list.SetItemState(-1, 0, LVIS_SELECTED);
    for (int i = 0; i < list.GetItemCount(); ++i)
        if (std::find(names.begin(), names.end(), list.GetItemText(i, 0).GetString()) != names.end())
            list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
}

Rows MainWindowTest::ListRows()
{
    Rows rows;
    CListView& list = Main().FileList();
    for (int i = 0; i < list.GetItemCount(); ++i)
        rows.emplace_back(list.GetItemText(i, 0).GetString(), list.GetItemText(i, 1).GetString());
    return rows;
}

std::string MainWindowTest::LauncherLabel(int index)
{
    char text[400] = "?";
    GetMenuStringA(Main().ContextMenu().GetHandle(), IDM_OPEN_WITH_FIRST + index, text, sizeof text,
                   MF_BYCOMMAND);
    return text;
}

std::string MainWindowTest::PathText()
{
    return Main().PathBox().GetWindowText().GetString();
}

const char MainTitle[] = "Tavlornエクスプローラ";

void ExplorerFixture::SetUp()
{
    UseRecorder(".tav");
    CreateSettings();
    settings->SetLaunchName(0, "記録");
    settings->SetLaunchPath(0, recorder.c_str());
    ASSERT_EQ(settings->Save(), 1);  // reloads read the file again
    window.reset(MakeWindow());
    OpenWindow();
}

void ExplorerFixture::TearDown()
{
    MainWindowTest::TearDown();
    window.reset();
}

CMainWnd* ExplorerFixture::MakeWindow()
{
    return new CMainWnd(MainTitle);
}

std::string ExplorerFixture::Place()
{
    std::string text;
    CListView& list = window->FileList();
    for (int row = -1; (row = list.GetNextItem(row, LVNI_SELECTED)) >= 0;)
        text += list.GetItemText(row, 0).GetString() + std::string(" ");
    return text + "|" + list.GetItemText(list.GetNextItem(-1, LVNI_FOCUSED), 0).GetString();
}

std::string ExplorerFixture::Reason(DWORD error)
{
    return SystemMessage(error).GetString();
}

void ExplorerFixture::RegisterLauncher(int index, const char* name, const std::string& program)
{
    settings->SetLaunchName(index, name);
    settings->SetLaunchPath(index, program.c_str());
}

std::string ExplorerFixture::LastArgument(const std::string& line)
{
    int count = 0;
    const std::wstring full = L"x.exe " + Wide(line);
    LPWSTR* arguments = CommandLineToArgvW(full.c_str(), &count);
    const std::string last = count > 0 ? Ansi(arguments[count - 1]) : "";
    LocalFree(arguments);
    return last;
}

bool Has(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

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

namespace {

struct WindowSearch {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    if (owner == search->processId && lstrcmpA(text, search->title) == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* title)
{
    WindowSearch search{processId, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DrainQuit()
{
    MSG quit;  // the main window posts WM_QUIT when destroyed, and File > Exit posts it
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
