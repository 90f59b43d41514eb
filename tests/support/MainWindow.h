#pragma once
#include "explorer/MainWnd.h"
#include "settings/SystemData.h"
#include "support/Listing.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The explorer's main window over a fresh temp tree, with the settings singleton it reads
// and home at the tree. Each fixture owns its window object and hands it out through
// Main(); the halves of SetUp and TearDown are there for fixtures with steps between.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        CreateSettings();
        OpenWindow();
    }
    void TearDown() override
    {
        CloseWindow();
        DestroySettings();
    }

    virtual CMainWnd& Main() = 0;

    void CreateSettings();
    void OpenWindow();
    // The window posts WM_QUIT when destroyed; a later test's loop must not see it.
    void CloseWindow();
    // Also removes the settings file a test saved.
    void DestroySettings();

    // Shell verbs of files with extension run the recorder, which writes its command line
    // to record; Recorded reads the lines back without the recorder's own name, waiting
    // until count have arrived (children start asynchronously).
    void UseRecorder(const std::string& extension);
    std::vector<std::string> Recorded(size_t count);

    // Selects the rows named, the first of them first.
    void Select(const std::vector<std::string>& names);
    void Select(const std::string& name) { Select(std::vector<std::string>{name}); }

    Rows ListRows();
    std::string PathText();
    // The context menu's label for launcher entry index.
    std::string LauncherLabel(int index);

    TempDir tree;
    CSystemData* settings = nullptr;
    std::string recorder, record;
};

// A main window over a temporary tree, with a file type of the test's own whose "open"
// and "edit" verbs, like launcher entry 0 ("記録", saved to the file), run the recorder:
// what reached the shell is read back from the record.
class ExplorerFixture : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    virtual CMainWnd* MakeWindow();
    CMainWnd& Main() override { return *window; }

    // The selected rows' names, each with a space, then "|" and the focused row's name.
    std::string Place();
    // What the system says about error, as a refusal quotes it.
    static std::string Reason(DWORD error);
    void RegisterLauncher(int index, const char* name, const std::string& program);

    // The last argument of a recorded line as a program's own parser splits it.
    static std::string LastArgument(const std::string& line);
    std::string Content(const std::string& path) { return ReadWholeFile(path); }

    std::unique_ptr<CMainWnd> window;
};

// The main window's title, which its message boxes carry too.
extern const char MainTitle[];

void DrainQuit();

bool Has(const std::vector<std::string>& names, const std::string& name);
// Between the code page and UTF-16, for names made as another program would make them.
std::wstring Wide(const std::string& text);
std::string Ansi(const std::wstring& text);

// The first visible top-level window of the process with that title: the explorer's main
// window when it runs as a program of its own.
HWND FindProcessWindow(DWORD processId, const char* title);
