#include <windows.h>
#include <gtest/gtest.h>
#include <cstdio>

// A crash must fail the run with a line of output, not wait on a debugger dialog.
static LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    std::printf("crash: exception 0x%08lx at %p\n",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                info->ExceptionRecord->ExceptionAddress);
    std::fflush(stdout);
    ExitProcess(3);
}

int main(int argc, char** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
