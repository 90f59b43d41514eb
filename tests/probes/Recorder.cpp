// Stands in for a launcher program or a file type's verb: appends its own command
// line, one line per start, to the file named by TAVLORN_RECORD_FILE.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char target[MAX_PATH] = "";
    if (GetEnvironmentVariableA("TAVLORN_RECORD_FILE", target, MAX_PATH) == 0)
        return 1;
    HANDLE file = CreateFileA(target, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
    return 0;
}
