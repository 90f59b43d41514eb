// The explorer's entry point linked without any application object.
#include "framework/core/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int cmdShow)
{
    return RunApplication(instance, prevInstance, cmdLine, cmdShow);
}
