#include "app/MainApp.h"

#include "explorer/MainWnd.h"
#include "framework/core/PathLookup.h"
#include "framework/core/PathText.h"
#include "settings/SystemData.h"

IMPLEMENT_RUNTIME_CLASS(CMainApp, CWinApp)

CMainApp::~CMainApp() {}

CString CMainApp::StartFolderFromCommandLine(const char* commandLine)
{
    CString folder(commandLine ? commandLine : "");
    // Past an opening quote the last character goes too, whatever it is: a quoted path
    // followed by more arguments is then no folder and is cut to one.
    if (folder.GetLength() >= 3 && folder.GetString()[0] == '"')
        folder = folder.Mid(1, folder.GetLength() - 2);
    if (!IsFolder(folder)) {
        const int separator = FindLastSeparator(folder);
        folder = separator >= 0 ? folder.Left(separator) : CString("");
    }
    return folder;
}

int CMainApp::Initialize()
{
    if (CreateSystemData()) {
        CSystemData* settings = GetSystemData();
        settings->Load();
        TraceLine(m_pszCmdLine);
        const CString folder = StartFolderFromCommandLine(m_pszCmdLine);
        settings->SetStartFolder(folder);
        TraceLine(folder.GetString());
    }
    return CWinApp::Initialize();
}

int CMainApp::Run()
{
    CMainWnd window("Tavlornエクスプローラ");
    if (window.Create(CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr) == nullptr) {
        m_windowFailed = true;  // a loop with no window would never end
        return 0;
    }
    window.ShowWindow(SW_SHOW);
    return CWinApp::Run();
}

int CMainApp::Terminate()
{
    DestroySystemData();
    const int result = CWinApp::Terminate();
    return m_windowFailed ? ExitNoWindow : result;
}
