#include "app/MainApp.h"

#include <cstdlib>

// The one application object; its constructor makes it the current application.
static CMainApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int cmdShow)
{
    return RunApplication(instance, prevInstance, cmdLine, cmdShow);
}

// std::terminate's default handler writes the pending exception's demangled type to
// standard error, which a windowed program shows nowhere; its demangler alone was a
// fifth of the executable. Ending the process is all that is left to do.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx
