#include "explorer/MainWnd.h"
#include "resource.h"
#include "settings/SystemData.h"
#include "support/MainWindow.h"
#include "support/ModalDriver.h"
#include "support/TestProcess.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// What the process holds. GetGuiResources answers 0 under Wine, so the objects are
// counted here: GDI objects by asking GetObjectType about every handle index, windows
// by enumerating the process's own, menus by asking IsMenu about every handle index.
// Both tables accept a handle whose high word is 0 for any generation of the entry.
// Kernel handles (files, find handles, events): GetProcessHandleCount answers 0 under
// Wine, so every handle value is asked about too; they are multiples of four. Wine's find
// handle is a block of the process heap, with no kernel handle left open for a search
// without wildcards: the heaps' bytes in use are counted as well.
struct Counts {
    int gdi = 0, windows = 0, menus = 0;
    DWORD handles = 0;
    size_t heap = 0, workingSet = 0;
};

int CountGdiObjects()
{
    int count = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++count;
    return count;
}

// USER handle values start at 0x20 and go in steps of two; an odd value would name the
// same entry as the even one below it and count every menu twice.
int CountMenus()
{
    int count = 0;
    for (ULONG_PTR value = 0x20; value <= 0xFFFF; value += 2)
        if (IsMenu(reinterpret_cast<HMENU>(value)))
            ++count;
    return count;
}

DWORD CountKernelHandles()
{
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0)
        return count;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value <= 0xFFFF; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    return count;
}

size_t HeapInUse()
{
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    SIZE_T used = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry = {};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                used += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return used;
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

int CountWindows()
{
    int count = 0;
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    // Message-only windows are not top-level windows of the desktop.
    for (HWND window = nullptr;
         (window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;)
        CountTopLevel(window, reinterpret_cast<LPARAM>(&count));
    return count;
}

size_t WorkingSet()
{
    // Through kernel32 so that no extra import library is needed.
    using Query = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    const Query query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo")));
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (query == nullptr || !query(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return counters.WorkingSetSize;
}

Counts Take()
{
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return {gdi != 0 ? static_cast<int>(gdi) : CountGdiObjects(), CountWindows(), CountMenus(),
            CountKernelHandles(), HeapInUse(), WorkingSet()};
}

void Report(const char* what, const Counts& before, const Counts& after)
{
    std::printf("%s: GDI %d -> %d, windows %d -> %d, menus %d -> %d, handles %lu -> %lu, "
                "heap %zu -> %zu, working set %zu -> %zu KiB\n",
                what, before.gdi, after.gdi, before.windows, after.windows, before.menus, after.menus,
                static_cast<unsigned long>(before.handles), static_cast<unsigned long>(after.handles),
                before.heap, after.heap, before.workingSet / 1024, after.workingSet / 1024);
    std::fflush(stdout);
}

// Allowed growth after a warm-up round: a few GDI objects and kernel handles for caches
// the system fills lazily, no window and no menu, 16 KiB of heap blocks, and 4 MiB of
// working set for heap that stays mapped.
void ExpectBackToBaseline(const char* what, const Counts& before, const Counts& after)
{
    Report(what, before, after);
    EXPECT_LE(after.gdi, before.gdi + 4) << what;
    EXPECT_LE(after.windows, before.windows) << what;
    EXPECT_LE(after.menus, before.menus) << what;
    EXPECT_LE(after.handles, before.handles + 4) << what;
    EXPECT_LE(after.heap, before.heap + 16 * 1024) << what;
    EXPECT_LE(after.workingSet, before.workingSet + 4 * 1024 * 1024) << what;
}

}  // namespace

TEST(Counters, SeeObjectsComeAndGo)
{
    // The thread's first window brings helpers of the system's own (an input method
    // window) that live as long as it: it stays open while the others are counted.
    HWND first = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    const Counts before = Take();
    HBRUSH brushes[5];
    for (HBRUSH& brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    HMENU menu = CreatePopupMenu();
    HANDLE events[3];
    for (HANDLE& event : events)
        event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, window, nullptr,
                                 nullptr, nullptr);
    std::string ballast(16 * 1024 * 1024, 'x');  // touched, so it is in the working set
    const Counts during = Take();
    Report("counters", before, during);
    EXPECT_EQ(during.gdi, before.gdi + 5);
    EXPECT_EQ(during.menus, before.menus + 1);
    EXPECT_EQ(during.windows, before.windows + 2);
    EXPECT_EQ(during.handles, before.handles + 3);
    EXPECT_GE(during.heap, before.heap + 16 * 1024 * 1024);
    EXPECT_GE(during.workingSet, before.workingSet + 15 * 1024 * 1024);
    ballast.clear();
    ballast.shrink_to_fit();

    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    DestroyMenu(menu);
    for (HANDLE event : events)
        CloseHandle(event);
    DestroyWindow(child);
    DestroyWindow(window);
    const Counts after = Take();
    DestroyWindow(first);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.menus, before.menus);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.handles, before.handles);
}

// The main window over a small tree, with a settings file.
class Leaks : public MainWindowTest {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 20; ++i)
            tree.MakeFile("file" + std::to_string(i) + ".txt");
        tree.MakeFile("表示.txt");
        tree.MakeDir("ソ");
        tree.MakeFile("ソ\\inner.txt");
        tree.MakeDir("sub");
        tree.MakeFile("sub\\one.txt");
        CreateSettings();
        settings->SetLaunchName(0, "自分");
        settings->SetLaunchPath(0, (std::string(ExecutableFolder()) + "\\test.exe").c_str());
        ASSERT_EQ(settings->Save(), 1);
        OpenWindow();
    }

    void Reloads(int count)
    {
        for (int i = 0; i < count; ++i)
            window.SendMessage(WM_COMMAND, IDM_RELOAD, 0);
    }

    // Into a folder and back out, one navigation each.
    void Navigations(int count)
    {
        for (int i = 0; i < count; ++i) {
            if (i % 2 == 0)
                window.OpenFolder(i % 4 == 0 ? "sub" : "ソ");
            else
                window.SendMessage(WM_COMMAND, IDM_GO_UP, 0);
        }
    }

    // Each dialog opened count times through its command, ended from inside its modal
    // loop alternately with OK and with Cancel, so both the saving and the discarding
    // ends are run.
    void DialogOpenings(int count)
    {
        for (int i = 0; i < count; ++i)
            ModalDriver().Others(ModalDriver::Post(i % 2 ? IDOK : IDCANCEL)).Run([&] {
                for (UINT id : {IDM_SETTING_COMMON, IDM_SETTING_LAUNCHER, IDM_HELP_VERSION})
                    window.SendMessage(WM_COMMAND, id, 0);
            }, 5);
    }

    int RowCount() { return window.FileList().GetItemCount(); }

    CMainWnd& Main() override { return window; }
    CMainWnd window{"Tavlornエクスプローラ"};
};

TEST_F(Leaks, AThousandReloadsLeaveNothingBehind)
{
    Reloads(20);
    const int rows = RowCount();
    const Counts baseline = Take();
    Reloads(1000);
    ExpectBackToBaseline("1000 reloads", baseline, Take());
    EXPECT_EQ(RowCount(), rows);
    EXPECT_STREQ(window.PathBox().GetWindowText().GetString(), tree.Path().c_str());
}

TEST_F(Leaks, AThousandNavigationsLeaveNothingBehind)
{
    Navigations(20);
    const Counts baseline = Take();
    Navigations(1000);
    ExpectBackToBaseline("1000 navigations", baseline, Take());
    EXPECT_STREQ(window.PathBox().GetWindowText().GetString(), tree.Path().c_str());
    EXPECT_EQ(RowCount(), 24);  // "..", 21 files, ソ and sub
}

TEST_F(Leaks, AHundredOpeningsOfEachDialogLeaveNothingBehind)
{
    DialogOpenings(4);
    const Counts baseline = Take();
    DialogOpenings(100);
    ExpectBackToBaseline("100 openings of each dialog", baseline, Take());
    // The OK ends saved and reloaded: the settings are still the ones stored.
    CSystemData stored;
    ASSERT_EQ(stored.Load(), 1);
    EXPECT_STREQ(stored.GetHome().GetString(), tree.Path().c_str());
    EXPECT_STREQ(stored.GetLaunchName(0).GetString(), "自分");
}

TEST_F(Leaks, FiftyMainWindowsLeaveNothingBehind)
{
    Counts baseline;
    for (int i = 0; i < 52; ++i) {
        if (i == 2)
            baseline = Take();  // after a warm-up, beside the fixture's own window
        CMainWnd another{"Tavlornエクスプローラ"};
        ASSERT_NE(another.Create(0, 0, 640, 480, nullptr), nullptr);
        another.DestroyWindow();
    }
    ExpectBackToBaseline("50 main windows", baseline, Take());
}
