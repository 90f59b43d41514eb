// The minimal frame-and-list program: lists the folder named on its command line the
// floor's way, shows the frame and runs a message loop. Launch time and peak working
// set of the explorer are measured against it.
#include "Floor.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int)
{
    char folder[MAX_PATH] = "";
    const char* start = cmdLine;
    if (*start == '"')
        ++start;
    lstrcpynA(folder, start, MAX_PATH);
    const int length = lstrlenA(folder);
    if (length > 0 && folder[length - 1] == '"')
        folder[length - 1] = '\0';

    HWND frame = CreateFloorFrame("FloorList", CW_USEDEFAULT, CW_USEDEFAULT);
    if (frame == nullptr)
        return 1;
    if (folder[0] != '\0')
        FloorFill(FloorListOf(frame), folder);
    ShowWindow(frame, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
