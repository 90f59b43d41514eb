#pragma once
#include "framework/core/Object.h"

// The application base: the entry point only calls these virtuals on the last
// application object constructed.
class CWinApp : public CObject {
public:
    CWinApp();
    virtual ~CWinApp();
    DECLARE_RUNTIME_CLASS(CWinApp)

    virtual int Initialize();
    virtual int Run();
    virtual int Terminate();
    virtual CWinApp* RequestQuit();

    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;  // always null on Win32; stored, never used
    char* m_pszCmdLine;         // not copied: the entry point's own text
    int m_nCmdShow;             // stored, never used
    int m_bQuit;
};

// The current application: set by every CWinApp constructor, never cleared.
CWinApp* GetCurrentApp();

// The body of WinMain, kept apart so that it can be exercised without a process exit.
int RunApplication(HINSTANCE instance, HINSTANCE prevInstance, char* cmdLine, int cmdShow);

// Writes one line to standard output and flushes it.
void TraceLine(const char* text);
