#include "framework/core/WinApp.h"

#include <cstdio>

IMPLEMENT_RUNTIME_CLASS(CWinApp, CObject)

namespace {
CWinApp* g_currentApp = nullptr;
}

CWinApp* GetCurrentApp()
{
    return g_currentApp;
}

void TraceLine(const char* text)
{
    std::fputs(text ? text : "", stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

CWinApp::CWinApp()
    : m_hInstance(nullptr), m_hPrevInstance(nullptr), m_pszCmdLine(nullptr), m_nCmdShow(0),
      m_bQuit(0)
{
    g_currentApp = this;
}

CWinApp::~CWinApp() {}

int CWinApp::Initialize()
{
    return 1;
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1 || m_bQuit)
            break;  // a message fetched after RequestQuit is dropped
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

int CWinApp::Terminate()
{
    return 0;
}

CWinApp* CWinApp::RequestQuit()
{
    m_bQuit = 1;
    return this;
}

int RunApplication(HINSTANCE instance, HINSTANCE prevInstance, char* cmdLine, int cmdShow)
{
    CWinApp* app = GetCurrentApp();
    if (app == nullptr) {
        MessageBoxA(nullptr, "アプリケーションが正しく初期化されていません", "エラー",
                    MB_OK | MB_ICONERROR);
        return -1;
    }
    app->m_hInstance = instance;
    app->m_hPrevInstance = prevInstance;
    app->m_pszCmdLine = cmdLine;
    app->m_nCmdShow = cmdShow;
    if (app->Initialize() > 0)
        app->Run();
    return app->Terminate();
}
