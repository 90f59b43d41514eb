#pragma once
#include "explorer/MainWnd.h"
#include "settings/SystemData.h"
#include "support/Listing.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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

    TempDir tree;
    CSystemData* settings = nullptr;
    std::string recorder, record;
};

void DrainQuit();

// The first visible top-level window of the process with that title: the explorer's main
// window when it runs as a program of its own.
HWND FindProcessWindow(DWORD processId, const char* title);
