// The explorer's listing, leaving, launch, memory and size against the platform's floor,
// measured in one run. Usage:
//   TavlornBench.exe [--runs N] [--size label=bytes]... [--emulated]
// --emulated says the run is under a CPU emulator: times are then shown for reference
// only, and the memory goal, counted on the heaps inside the process, still holds.
// It lists the folders that make_folders.py made in data\ beside itself and writes the
// explorer's INI beside itself too, so it must run from a folder of its own.
#include "Floor.h"
#include "explorer/MainWnd.h"
#include "settings/SystemData.h"

#include <psapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int Sizes[] = {1000, 10000, 100000};
const int LaunchEntries = 20;  // one screenful
const char* const ExplorerTitle = "Tavlornエクスプローラ";
// The figures hold for the architecture measured: the list's own data is pointer-sized.
#ifdef _WIN64
const char* const BuildArchitecture = "x86_64";
#else
const char* const BuildArchitecture = "i686";
#endif

// ---- time and statistics ----

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Series {
    std::vector<double> values;
    void Add(double v) { values.push_back(v); }
    double Median() const
    {
        std::vector<double> v(values);
        std::sort(v.begin(), v.end());
        if (v.empty())
            return 0;
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
    double Min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
    double Max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
};

// An explorer measurement, its floor, and their ratio taken run by run.
struct Pair {
    Series own, floor, ratio;
    void Add(double ownValue, double floorValue)
    {
        own.Add(ownValue);
        floor.Add(floorValue);
        ratio.Add(ownValue / floorValue);
    }
};

std::string Cell(const Series& s, const char* format)
{
    char median[32], low[32], high[32], text[112];
    snprintf(median, sizeof median, format, s.Median());
    snprintf(low, sizeof low, format, s.Min());
    snprintf(high, sizeof high, format, s.Max());
    snprintf(text, sizeof text, "%s (%s-%s)", median, low, high);
    return text;
}

void Progress(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    fflush(stderr);
}

// ---- the generated folders ----

std::string g_home;  // the benchmark's own folder

std::string HomeFolder()
{
    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    *(PathFindFileNameA(module) - 1) = '\0';
    return module;
}

// Made by make_folders.py; a marker beside each says it is complete.
std::string Folder(const char* name)
{
    const std::string path = g_home + "\\data\\" + name;
    if (GetFileAttributesA((path + ".complete").c_str()) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "%s is missing: run scripts/bench.sh\n", path.c_str());
        exit(1);
    }
    return path;
}

// The 23 keys, as the settings dialogs write them.
void WriteSettings(const std::string& home)
{
    CSystemData settings;
    settings.SetHome(home.c_str());
    for (int i = 0; i < CSystemData::LauncherCount; ++i) {
        settings.SetLaunchName(i, "");
        settings.SetLaunchPath(i, "");
    }
    settings.Save();
}

// ---- messages and paint ----

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// What the message loop would do next: paint every window whose contents changed.
void PaintNow(HWND frame)
{
    RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void BringToTop(HWND frame)
{
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Pump();
    PaintNow(frame);
}

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

// ---- heap use in this process ----

// Bytes in use on every heap of the process (blocks and their headers), and bytes the
// heaps hold committed: the gap is what growth and freed holes cost.
struct HeapUse {
    double busy = 0, committed = 0;
};

HeapUse MeasureHeaps()
{
    HeapUse use;
    HANDLE heaps[256];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(256, heaps), 256);
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                use.busy += entry.cbData + entry.cbOverhead;
            if (entry.wFlags & PROCESS_HEAP_REGION)
                use.committed += entry.Region.dwCommittedSize;
        }
        HeapUnlock(heaps[i]);
    }
    return use;
}

// ---- separate processes ----

struct Launch {
    double msToPaintedList = 0;
    double peakWorkingSetMiB = 0;
    int rows = 0;
};

struct FoundWindow {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM data)
{
    FoundWindow* f = reinterpret_cast<FoundWindow*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == f->processId && IsWindowVisible(window) && GetParent(window) == nullptr) {
        f->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND TopWindowOf(DWORD processId)
{
    FoundWindow found{processId, nullptr};
    EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

// Starts exe on folder and waits until its message loop is idle with the list painted:
// the list shown, filled, and no part of it waiting to be painted.
bool RunToPaintedList(const std::string& exe, const std::string& folder, Launch& result)
{
    std::string commandLine = "\"" + exe + "\" \"" + folder + "\"";
    // The explorer's trace lines go nowhere, as they do for a windowed process.
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    PROCESS_INFORMATION process{};
    const double start = NowMs();
    const BOOL started = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, g_home.c_str(), &startup, &process);
    CloseHandle(nowhere);
    if (!started)
        return false;
    WaitForInputIdle(process.hProcess, 60000);
    double painted = NowMs();
    bool ok = false;
    for (int attempt = 0; attempt < 60000 && !ok; ++attempt) {
        HWND frame = TopWindowOf(process.dwProcessId);
        HWND list = frame ? GetDlgItem(frame, FloorListId) : nullptr;
        if (list != nullptr && IsWindowVisible(list)) {
            DWORD_PTR rows = 0;
            SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_BLOCK, 60000, &rows);
            result.rows = static_cast<int>(rows);
            ok = rows > 0 && !GetUpdateRect(list, nullptr, FALSE) && !GetUpdateRect(frame, nullptr, FALSE);
        }
        if (!ok) {
            Sleep(1);
            painted = NowMs();
        }
    }
    result.msToPaintedList = painted - start;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        result.peakWorkingSetMiB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    TerminateProcess(process.hProcess, 0);  // closing a window of 100,000 rows costs seconds
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok;
}

// ---- the table ----

void Row(const char* what, const char* n, const std::string& own, const std::string& floor,
         const std::string& ratio, const char* goal, const char* verdict)
{
    printf("%-31s %-8s %-26s %-26s %-19s %-20s %s\n", what, n, own.c_str(), floor.c_str(),
           ratio.c_str(), goal, verdict);
}

bool g_emulated = false;

const char* Verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

// Speed is judged on a native run only: emulation slows some work far more than other.
const char* SpeedVerdict(bool met)
{
    return g_emulated ? "(emulated: not judged)" : Verdict(met);
}

std::string Count(int n)
{
    char text[16];
    if (n >= 1000)
        snprintf(text, sizeof text, "%d,%03d", n / 1000, n % 1000);
    else
        snprintf(text, sizeof text, "%d", n);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    std::vector<std::pair<std::string, long>> sizes;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--runs") && i + 1 < argc) {
            runs = std::max(1, atoi(argv[++i]));
        } else if (!strcmp(argv[i], "--emulated")) {
            g_emulated = true;
        } else if (!strcmp(argv[i], "--size") && i + 1 < argc) {
            const std::string arg = argv[++i];
            const size_t equals = arg.find('=');
            if (equals != std::string::npos)
                sizes.emplace_back(arg.substr(0, equals), atol(arg.c_str() + equals + 1));
        }
    }
    g_home = HomeFolder();
    const std::string explorerExe = g_home + "\\TavlornExplorer.exe";
    const std::string floorExe = g_home + "\\FloorList.exe";

    const std::string empty = Folder("empty");
    const std::string launchFolder = Folder("launch");
    std::vector<std::string> folders;
    for (int n : Sizes)
        folders.push_back(Folder(("n" + std::to_string(n)).c_str()));
    WriteSettings(launchFolder);

    // Launch to the first painted list, warm, and peak working set at the largest size.
    Pair launch, smallMemory, memory, bigLaunch;
    Launch warm;
    RunToPaintedList(explorerExe, launchFolder, warm);
    RunToPaintedList(floorExe, launchFolder, warm);
    for (int run = 0; run < runs; ++run) {
        Progress("launch run %d/%d\n", run + 1, runs);
        Launch own, floor;
        const bool explorerFirst = run % 2 == 0;
        bool ok = true;
        if (explorerFirst)
            ok &= RunToPaintedList(explorerExe, launchFolder, own);
        ok &= RunToPaintedList(floorExe, launchFolder, floor);
        if (!explorerFirst)
            ok &= RunToPaintedList(explorerExe, launchFolder, own);
        if (!ok || own.rows != floor.rows) {
            fprintf(stderr, "launch: rows %d vs %d, or no painted list\n", own.rows, floor.rows);
            return 1;
        }
        launch.Add(own.msToPaintedList, floor.msToPaintedList);
        smallMemory.Add(own.peakWorkingSetMiB, floor.peakWorkingSetMiB);
    }
    // The heap commits in doubling regions and the list's growing pointer arrays leave
    // holes behind them, so one start-up state gives 170, 300, 420 or 500 MiB for the same
    // rows: a few hundred bytes more of environment moves a program from one to another.
    // Each run pads both programs' environment alike by another length, and the figures
    // compared are the medians over those states.
    for (int run = 0; run < runs; ++run) {
        Progress("memory run %d/%d\n", run + 1, runs);
        SetEnvironmentVariableA("TAVLORN_BENCH_PAD", std::string(run * 397 % 4096, 'x').c_str());
        Launch own, floor;
        bool ok = RunToPaintedList(explorerExe, folders.back(), own);
        ok &= RunToPaintedList(floorExe, folders.back(), floor);
        SetEnvironmentVariableA("TAVLORN_BENCH_PAD", nullptr);
        if (!ok || own.rows != floor.rows) {
            fprintf(stderr, "memory: rows %d vs %d, or no painted list\n", own.rows, floor.rows);
            return 1;
        }
        memory.Add(own.peakWorkingSetMiB, floor.peakWorkingSetMiB);
        bigLaunch.Add(own.msToPaintedList, floor.msToPaintedList);
    }

    // Listing and leaving in this process: the real main window and the floor's frame,
    // at the same place; the one measured is on top.
    CreateSystemData();
    GetSystemData()->Load();
    GetSystemData()->SetStartFolder(empty.c_str());
    CMainWnd window(ExplorerTitle);
    if (window.Create(0, 0, 640, 480, nullptr) == nullptr) {
        fprintf(stderr, "the main window could not be created\n");
        return 1;
    }
    window.ShowWindow(SW_SHOW);
    HWND floorFrame = CreateFloorFrame("FloorList", 0, 0);
    HWND floorList = FloorListOf(floorFrame);
    ShowWindow(floorFrame, SW_SHOW);
    const HWND ownFrame = window.GetHwnd();
    const HWND ownList = window.FileList().GetHwnd();
    Pump();

    // Once each, timed nowhere: the first enumeration of a folder reads it from disk.
    // The largest listing's heap use is taken on the way, the explorer's first: a heap
    // that has grown once hands its free space to whatever comes next.
    HeapUse ownHeap, floorHeap;
    for (const std::string& folder : folders) {
        const bool largest = &folder == &folders.back();
        HeapUse before = MeasureHeaps();
        window.Navigate(folder.c_str());
        if (largest) {
            const HeapUse after = MeasureHeaps();
            ownHeap.busy = (after.busy - before.busy) / RowCount(ownList);
            ownHeap.committed = (after.committed - before.committed) / RowCount(ownList);
        }
        window.Navigate(empty.c_str());
        before = MeasureHeaps();
        const int rows = FloorFill(floorList, folder.c_str());
        if (largest) {
            const HeapUse after = MeasureHeaps();
            floorHeap.busy = (after.busy - before.busy) / rows;
            floorHeap.committed = (after.committed - before.committed) / rows;
        }
        FloorClear(floorList);
    }
    Pump();

    const int sizeCount = static_cast<int>(sizeof Sizes / sizeof Sizes[0]);
    std::vector<Pair> listing(sizeCount), leaving(sizeCount);
    for (int run = 0; run < runs; ++run) {
        for (int s = 0; s < sizeCount; ++s) {
            Progress("listing run %d/%d, %d entries\n", run + 1, runs, Sizes[s]);
            const char* folder = folders[s].c_str();
            double ownList_ = 0, ownLeave = 0, floorList_ = 0, floorLeave = 0;
            int ownRows = 0, floorRows = 0;
            auto measureOwn = [&] {
                BringToTop(ownFrame);
                double t = NowMs();
                window.Navigate(folder);
                PaintNow(ownFrame);
                ownList_ = NowMs() - t;
                ownRows = RowCount(ownList);
                BringToTop(ownFrame);
                t = NowMs();
                window.Navigate(empty.c_str());
                PaintNow(ownFrame);
                ownLeave = NowMs() - t;
            };
            auto measureFloor = [&] {
                BringToTop(floorFrame);
                double t = NowMs();
                floorRows = FloorFill(floorList, folder);
                PaintNow(floorFrame);
                floorList_ = NowMs() - t;
                BringToTop(floorFrame);
                t = NowMs();
                FloorClear(floorList);
                PaintNow(floorFrame);
                floorLeave = NowMs() - t;
            };
            if (run % 2 == 0) {
                measureOwn();
                measureFloor();
            } else {
                measureFloor();
                measureOwn();
            }
            if (ownRows != floorRows) {
                fprintf(stderr, "listing %d: the explorer shows %d rows, the floor %d\n", Sizes[s],
                        ownRows, floorRows);
                return 1;
            }
            listing[s].Add(ownList_, floorList_);
            leaving[s].Add(ownLeave, floorLeave);
        }
    }
    window.DestroyWindow();
    DestroyWindow(floorFrame);
    DestroySystemData();

    printf("\nTavlorn benchmark, %s build, run %s: %d runs; median (min-max); ratios taken pair "
           "by pair within a run\n\n", BuildArchitecture,
           g_emulated ? "emulated (QEMU user mode; times for reference only)" : "natively", runs);
    Row("what", "N", "explorer", "floor", "ratio", "goal", "");
    for (int s = 0; s < sizeCount; ++s) {
        const Pair& p = listing[s];
        const bool small = Sizes[s] == 1000;
        const bool met = p.ratio.Median() <= 1.1 && (!small || p.own.Median() < 100);
        Row("listing to first paint (ms)", Count(Sizes[s]).c_str(), Cell(p.own, "%.1f"),
            Cell(p.floor, "%.1f"), Cell(p.ratio, "%.2f"), small ? "<=1.10x, <100 ms" : "<=1.10x",
            SpeedVerdict(met));
    }
    {
        const int last = sizeCount - 1, ten = sizeCount - 2;
        const double own = (listing[last].own.Median() / Sizes[last]) / (listing[ten].own.Median() / Sizes[ten]);
        const double floor = (listing[last].floor.Median() / Sizes[last]) / (listing[ten].floor.Median() / Sizes[ten]);
        char ownText[32], floorText[32];
        snprintf(ownText, sizeof ownText, "%.2f", own);
        snprintf(floorText, sizeof floorText, "%.2f", floor);
        Row("listing time per row, 100k/10k", "", ownText, floorText, "", "<=1.30", SpeedVerdict(own <= 1.3));
    }
    for (int s = 0; s < sizeCount; ++s) {
        const Pair& p = leaving[s];
        Row("leaving a folder (ms)", Count(Sizes[s]).c_str(), Cell(p.own, "%.1f"), Cell(p.floor, "%.1f"),
            Cell(p.ratio, "%.2f"), "<=1.20x", SpeedVerdict(p.ratio.Median() <= 1.2));
    }
    Row("launch to painted list (ms)", Count(LaunchEntries).c_str(), Cell(launch.own, "%.0f"),
        Cell(launch.floor, "%.0f"), Cell(launch.ratio, "%.2f"), "<=1.15x",
        SpeedVerdict(launch.ratio.Median() <= 1.15));
    Row("launch to painted list (ms)", Count(Sizes[sizeCount - 1]).c_str(), Cell(bigLaunch.own, "%.0f"),
        Cell(bigLaunch.floor, "%.0f"), Cell(bigLaunch.ratio, "%.2f"), "(for reference)", "");
    Row("peak working set (MiB)", Count(LaunchEntries).c_str(), Cell(smallMemory.own, "%.1f"),
        Cell(smallMemory.floor, "%.1f"), Cell(smallMemory.ratio, "%.2f"), "(for reference)", "");
    {
        const double ratio = memory.own.Median() / memory.floor.Median();
        char text[48];
        snprintf(text, sizeof text, "%.2f of medians", ratio);
        Row("peak working set (MiB) *", Count(Sizes[sizeCount - 1]).c_str(), Cell(memory.own, "%.1f"),
            Cell(memory.floor, "%.1f"), text, "(for reference)", "");
    }
    {
        char own[32], floor[32], ratio[32];
        const double share = ownHeap.busy / floorHeap.busy;
        snprintf(own, sizeof own, "%.0f", ownHeap.busy);
        snprintf(floor, sizeof floor, "%.0f", floorHeap.busy);
        snprintf(ratio, sizeof ratio, "%.2f", share);
        Row("heap in use per listed row (B)", Count(Sizes[sizeCount - 1]).c_str(), own, floor, ratio,
            "<=1.05x", Verdict(share <= 1.05));
        snprintf(own, sizeof own, "%.0f", ownHeap.committed);
        Row("heap committed per row (B) **", Count(Sizes[sizeCount - 1]).c_str(), own, "-", "",
            "(for reference)", "");
    }
    for (const auto& size : sizes) {
        char text[32];
        snprintf(text, sizeof text, "%.1f KiB", static_cast<double>(size.second) / 1024.0);
        Row(("executable size, " + size.first).c_str(), "", text, "", "", "<=256 KiB",
            Verdict(size.second <= 256 * 1024));
    }
    printf("\n*  Wine's heap grows in regions of doubling size, so a peak falls on one of a few steps\n"
           "   (about 128 MiB apart on x86_64, 64 MiB on i686) set by the start-up state; under\n"
           "   emulation it includes the emulator's own memory.\n"
           "** How far the explorer's listing grew the heaps; the floor lists afterwards into the\n"
           "   room that left, so its figure would say nothing.\n");
    fflush(stdout);
    return 0;
}
