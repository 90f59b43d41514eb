#include "support/PrivateCopy.h"

#include "support/TempDir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

const char* const CopyMarker = "--running-from-private-copy";

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    std::printf("crash: exception 0x%08lx at %p\n",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                info->ExceptionRecord->ExceptionAddress);
    std::fflush(stdout);
    ExitProcess(3);
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
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

bool RunFromPrivateCopy(int argc, char** argv, int& exitCode)
{
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == CopyMarker)
            return false;

    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    TempDir folder;
    const std::string copy = folder / "test.exe";
    if (!CopyFileA(self, copy.c_str(), FALSE)) {
        std::printf("cannot copy %s to %s\n", self, copy.c_str());
        exitCode = 2;
        return true;
    }
    std::string commandLine = Quoted(copy);
    for (int i = 1; i < argc; ++i)
        commandLine += " " + Quoted(argv[i]);
    commandLine += std::string(" ") + CopyMarker;

    SetEnvironmentVariableA("TAVLORN_TEST_ORIGIN", ExecutableFolder());
    std::fflush(stdout);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                        folder.Path().c_str(), &startup, &process)) {
        std::printf("cannot start %s\n", copy.c_str());
        exitCode = 2;
        return true;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 2;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    exitCode = static_cast<int>(code);
    return true;
}

const char* OriginalFolder()
{
    static char folder[MAX_PATH] = "";
    if (folder[0] == '\0' && GetEnvironmentVariableA("TAVLORN_TEST_ORIGIN", folder, MAX_PATH) == 0)
        lstrcpynA(folder, ExecutableFolder(), MAX_PATH);
    return folder;
}

int RunTestsFromPrivateCopy(int argc, char** argv)
{
    int exitCode = 0;
    if (RunFromPrivateCopy(argc, argv, exitCode))
        return exitCode;
    PrepareUnattendedProcess();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
