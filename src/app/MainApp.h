#pragma once
#include "framework/core/WinApp.h"
#include "framework/core/String.h"

class CMainApp : public CWinApp {
public:
    CMainApp() : m_windowFailed(false) {}
    ~CMainApp() override;
    DECLARE_RUNTIME_CLASS(CMainApp)

    int Initialize() override;
    int Run() override;
    int Terminate() override;

    // The folder a command line asks to start in: quotes dropped, a non-folder cut
    // to the folder that holds it.
    static CString StartFolderFromCommandLine(const char* commandLine);

    // Exit code when the main window could not be created.
    static const int ExitNoWindow = 1;

private:
    bool m_windowFailed;
};
