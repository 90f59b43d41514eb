#include "app/MainApp.h"

// The one application object; its constructor makes it the current application.
static CMainApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int cmdShow)
{
    return RunApplication(instance, prevInstance, cmdLine, cmdShow);
}
