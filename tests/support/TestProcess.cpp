#include "support/TestProcess.h"

#include "settings/SystemData.h"
#include "support/TempDir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

const char* const FolderOption = "--settings-folder=";

std::string g_settingsFolder;

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    std::printf("crash: exception 0x%08lx at %p\n",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                info->ExceptionRecord->ExceptionAddress);
    std::fflush(stdout);
    ExitProcess(3);
}

// A desktop of the program's own: Wine lets any process take the foreground, and a
// program beside this one showing its window would take the keyboard from these windows.
void UseOwnDesktop()
{
    char name[32];
    wsprintfA(name, "tavlorn-test-%lu", GetCurrentProcessId());
    if (HDESK desktop = CreateDesktopA(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr))
        SetThreadDesktop(desktop);
}

}  // namespace

void PrepareUnattendedProcess()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
}

const char* ExecutableFolder()
{
    static char folder[MAX_PATH] = "";
    if (folder[0] == '\0') {
        GetModuleFileNameA(nullptr, folder, MAX_PATH);
        char* name = folder;
        for (char* p = folder; *p; p = CharNextA(p))
            if (*p == '\\')
                name = p;
        *name = '\0';
    }
    return folder;
}

const std::string& SettingsFolder()
{
    return g_settingsFolder;
}

int RunTests(int argc, char** argv)
{
    PrepareUnattendedProcess();
    UseOwnDesktop();
    testing::InitGoogleTest(&argc, argv);
    TempDir temp;
    // Named with the trail byte 0x5C, which must not be taken for a separator.
    g_settingsFolder = temp.MakeDir("表");
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], FolderOption, std::strlen(FolderOption)) == 0)
            g_settingsFolder = argv[i] + std::strlen(FolderOption);
    SetSettingsFolder(g_settingsFolder.c_str());
    return RUN_ALL_TESTS();
}
