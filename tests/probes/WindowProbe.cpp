// Reads what a running explorer shows, from outside its process, for the end-to-end
// tests and the screenshot script; it never changes the explorer's state.
//   WindowProbe main            the main window: path box, rows, focus, rectangles
//   WindowProbe dialog TITLE    a shown dialog with that title: its controls
//   WindowProbe menus           the shown popup menus
// Prints "key=value" lines (Shift-JIS) on standard output; exit code 1 when the
// window asked for is not there.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>

namespace {

const char* const MainTitle = "Tavlornエクスプローラ";

void PrintRect(const char* key, const RECT& rect)
{
    printf("%s=%ld %ld %ld %ld\n", key, rect.left, rect.top, rect.right, rect.bottom);
}

void PrintWindowRect(const char* key, HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    PrintRect(key, rect);
}

// WM_GETTEXT is marshalled across processes; GetWindowTextA would read only a title.
void PrintText(const char* key, HWND window)
{
    char text[1024] = "";
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    printf("%s=%s\n", key, text);
}

// The control with the keyboard focus in the window's thread, as its control id:
// 0 for the window itself, -1 when the focus is elsewhere.
int FocusId(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || info.hwndFocus == nullptr)
        return -1;
    if (info.hwndFocus == window)
        return 0;
    return IsChild(window, info.hwndFocus) ? GetDlgCtrlID(info.hwndFocus) : -1;
}

// The close box, found the way the system finds it: the first point from the right
// of the caption that hit-tests as HTCLOSE.
bool FindCloseBox(HWND window, POINT& point)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    for (LONG y = rect.top + 2; y < rect.top + 40; y += 2) {
        for (LONG x = rect.right - 2; x > rect.right - 60; x -= 2) {
            const LPARAM at = MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
            if (SendMessageA(window, WM_NCHITTEST, 0, at) == HTCLOSE) {
                point.x = x - 6;  // away from the box's right edge
                point.y = y + 6;
                return true;
            }
        }
    }
    return false;
}

// List-view messages that carry pointers need memory in the list's own process.
class CRemoteBlock {
public:
    CRemoteBlock(HWND window, SIZE_T size) : m_size(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process != nullptr)
            m_base = static_cast<char*>(VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~CRemoteBlock()
    {
        if (m_base != nullptr)
            VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE);
        if (m_process != nullptr)
            CloseHandle(m_process);
    }
    CRemoteBlock(const CRemoteBlock&) = delete;
    CRemoteBlock& operator=(const CRemoteBlock&) = delete;

    char* Base() const { return m_base; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const
    {
        return m_base != nullptr && offset + size <= m_size &&
               WriteProcessMemory(m_process, m_base + offset, data, size, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const
    {
        return m_base != nullptr && offset + size <= m_size &&
               ReadProcessMemory(m_process, m_base + offset, data, size, nullptr);
    }

private:
    HANDLE m_process = nullptr;
    char* m_base = nullptr;
    SIZE_T m_size;
};

// One line per row: its screen rectangle, its two texts.
void PrintRows(HWND list, int count)
{
    const SIZE_T textOffset = 256;
    const int textSize = 512;
    CRemoteBlock block(list, textOffset + 2 * textSize);
    if (block.Base() == nullptr)
        return;
    for (int row = 0; row < count && row < 100; ++row) {
        RECT rect = {};
        rect.left = LVIR_BOUNDS;
        if (!block.Write(0, &rect, sizeof(rect)) ||
            !SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(block.Base())) ||
            !block.Read(0, &rect, sizeof(rect)))
            return;
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        char texts[2][textSize] = {};
        for (int column = 0; column < 2; ++column) {
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = block.Base() + textOffset + column * textSize;
            item.cchTextMax = textSize;
            if (!block.Write(0, &item, sizeof(item)))
                return;
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.Base()));
            block.Read(textOffset + column * textSize, texts[column], textSize - 1);
        }
        printf("row%d=%ld %ld %ld %ld|%s|%s\n", row, rect.left, rect.top, rect.right, rect.bottom,
               texts[0], texts[1]);
    }
}

int ProbeMain()
{
    HWND window = FindWindowA("CWindow", MainTitle);
    if (window == nullptr)
        return 1;
    HWND pathBox = GetDlgItem(window, 110);
    HWND list = GetDlgItem(window, 130);
    PrintWindowRect("rect", window);
    printf("enabled=%d\n", IsWindowEnabled(window) ? 1 : 0);
    printf("focus=%d\n", FocusId(window));
    PrintText("path", pathBox);
    PrintWindowRect("pathbox", pathBox);
    PrintWindowRect("list", list);
    POINT close = {};
    if (FindCloseBox(window, close))
        printf("close=%ld %ld\n", close.x, close.y);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    printf("rows=%d\n", count);
    printf("selected=%d\n", static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                          MAKELPARAM(LVNI_SELECTED, 0))));
    PrintRows(list, count);
    return 0;
}

struct DialogSearch {
    const char* title;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(lParam);
    char className[32] = "";
    char title[256] = "";
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, title, sizeof(title));
    if (IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0 && lstrcmpA(title, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM)
{
    char key[32] = "";
    wsprintfA(key, "control%d", GetDlgCtrlID(control));
    RECT rect = {};
    GetWindowRect(control, &rect);
    char className[32] = "";
    GetClassNameA(control, className, sizeof(className));
    const LRESULT check = lstrcmpiA(className, "Button") == 0 ? SendMessageA(control, BM_GETCHECK, 0, 0) : 0;
    printf("%s=%ld %ld %ld %ld|%d\n", key, rect.left, rect.top, rect.right, rect.bottom, static_cast<int>(check));
    return TRUE;
}

int ProbeDialog(const char* title)
{
    DialogSearch search = {title, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr)
        return 1;
    PrintWindowRect("rect", search.found);
    EnumChildWindows(search.found, PrintControl, 0);
    return 0;
}

BOOL CALLBACK PrintMenu(HWND window, LPARAM lParam)
{
    int* count = reinterpret_cast<int*>(lParam);
    char className[32] = "";
    GetClassNameA(window, className, sizeof(className));
    if (IsWindowVisible(window) && lstrcmpA(className, "#32768") == 0) {
        char key[32] = "";
        wsprintfA(key, "menu%d", (*count)++);
        PrintWindowRect(key, window);
    }
    return TRUE;
}

int ProbeMenus()
{
    int count = 0;
    EnumWindows(PrintMenu, reinterpret_cast<LPARAM>(&count));
    printf("menus=%d\n", count);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    int result = 2;
    if (argc >= 2 && lstrcmpA(argv[1], "main") == 0)
        result = ProbeMain();
    else if (argc >= 3 && lstrcmpA(argv[1], "dialog") == 0)
        result = ProbeDialog(argv[2]);
    else if (argc >= 2 && lstrcmpA(argv[1], "menus") == 0)
        result = ProbeMenus();
    fflush(stdout);
    return result;
}
