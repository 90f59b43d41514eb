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

// Starts exe on folder with its output going nowhere, as a windowed process's trace lines
// do; startMs is taken just before the process is created.
bool StartQuiet(const std::string& exe, const std::string& folder, PROCESS_INFORMATION& process,
                double& startMs)
{
    std::string commandLine = "\"" + exe + "\" \"" + folder + "\"";
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    startMs = NowMs();
    const BOOL started = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, g_home.c_str(), &startup, &process);
    CloseHandle(nowhere);
    return started != FALSE;
}

// Polls until the process's list is shown, filled, and no part of it or of its frame waits
// to be painted; paintedMs is when that was first seen.
bool WaitForPaintedList(DWORD processId, double& paintedMs, int& rowsShown)
{
    double painted = NowMs();
    bool ok = false;
    for (int attempt = 0; attempt < 60000 && !ok; ++attempt) {
        HWND frame = TopWindowOf(processId);
        HWND list = frame ? GetDlgItem(frame, FloorListId) : nullptr;
        if (list != nullptr && IsWindowVisible(list)) {
            DWORD_PTR rows = 0;
            SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_BLOCK, 60000, &rows);
            rowsShown = static_cast<int>(rows);
            ok = rows > 0 && !GetUpdateRect(list, nullptr, FALSE) && !GetUpdateRect(frame, nullptr, FALSE);
        }
        if (!ok) {
            Sleep(1);
            painted = NowMs();
        }
    }
    paintedMs = painted;
    return ok;
}

double PeakWorkingSetMiB(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, &memory, sizeof memory))
        return 0;
    return static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// Starts exe on folder and waits until its message loop is idle with the list painted.
bool RunToPaintedList(const std::string& exe, const std::string& folder, Launch& result)
{
    PROCESS_INFORMATION process{};
    double start = 0, painted = 0;
    if (!StartQuiet(exe, folder, process, start))
        return false;
    WaitForInputIdle(process.hProcess, 60000);
    const bool ok = WaitForPaintedList(process.dwProcessId, painted, result.rows);
    result.msToPaintedList = painted - start;
    result.peakWorkingSetMiB = PeakWorkingSetMiB(process.hProcess);
    TerminateProcess(process.hProcess, 0);  // closing a window of 100,000 rows costs seconds
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok;
}

// ---- the options and the folders ----

struct Options {
    int runs = 5;
    bool emulated = false;
    std::vector<std::pair<std::string, long>> sizes;  // label, bytes of an executable
};

bool g_emulated = false;

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--runs") && i + 1 < argc) {
            options.runs = std::max(1, atoi(argv[++i]));
        } else if (!strcmp(argv[i], "--emulated")) {
            options.emulated = true;
        } else if (!strcmp(argv[i], "--size") && i + 1 < argc) {
            const std::string arg = argv[++i];
            const size_t equals = arg.find('=');
            if (equals != std::string::npos)
                options.sizes.emplace_back(arg.substr(0, equals), atol(arg.c_str() + equals + 1));
        }
    }
    return options;
}

const int SizeCount = static_cast<int>(sizeof Sizes / sizeof Sizes[0]);

struct Folders {
    std::string empty, launch;
    std::vector<std::string> sized;  // one per entry of Sizes
};

// The folders make_folders.py made, and the settings the launched explorers read.
Folders SetUpFolders()
{
    Folders folders;
    folders.empty = Folder("empty");
    folders.launch = Folder("launch");
    for (int n : Sizes)
        folders.sized.push_back(Folder(("n" + std::to_string(n)).c_str()));
    WriteSettings(folders.launch);
    return folders;
}

// ---- launches: the two programs run by turns ----

struct Programs {
    std::string explorer, floor;
};

// One run of each program on folder, in the order given; false, said on stderr, when
// either showed no painted list or they showed different rows.
bool RunPair(const Programs& programs, const std::string& folder, bool explorerFirst,
             const char* what, Launch& own, Launch& floor)
{
    bool ok = true;
    if (explorerFirst)
        ok &= RunToPaintedList(programs.explorer, folder, own);
    ok &= RunToPaintedList(programs.floor, folder, floor);
    if (!explorerFirst)
        ok &= RunToPaintedList(programs.explorer, folder, own);
    if (!ok || own.rows != floor.rows) {
        fprintf(stderr, "%s: rows %d vs %d, or no painted list\n", what, own.rows, floor.rows);
        return false;
    }
    return true;
}

struct LaunchFigures {
    Pair screenful, screenfulMemory;  // launch to the first painted list, peak working set
    Pair largest, largestMemory;
};

// A screenful, after one untimed start of each; the order alternates from run to run.
bool MeasureScreenfulLaunches(const Programs& programs, const std::string& folder, int runs,
                              LaunchFigures& figures)
{
    Launch warm;
    RunToPaintedList(programs.explorer, folder, warm);
    RunToPaintedList(programs.floor, folder, warm);
    for (int run = 0; run < runs; ++run) {
        Progress("launch run %d/%d\n", run + 1, runs);
        Launch own, floor;
        if (!RunPair(programs, folder, run % 2 == 0, "launch", own, floor))
            return false;
        figures.screenful.Add(own.msToPaintedList, floor.msToPaintedList);
        figures.screenfulMemory.Add(own.peakWorkingSetMiB, floor.peakWorkingSetMiB);
    }
    return true;
}

// The heap commits in doubling regions and the list's growing pointer arrays leave
// holes behind them, so one start-up state gives 170, 300, 420 or 500 MiB for the same
// rows: a few hundred bytes more of environment moves a program from one to another.
// Each run pads both programs' environment alike by another length, and the figures
// compared are the medians over those states.
bool MeasureLargestLaunches(const Programs& programs, const std::string& folder, int runs,
                            LaunchFigures& figures)
{
    for (int run = 0; run < runs; ++run) {
        Progress("memory run %d/%d\n", run + 1, runs);
        SetEnvironmentVariableA("TAVLORN_BENCH_PAD", std::string(run * 397 % 4096, 'x').c_str());
        Launch own, floor;
        const bool ok = RunPair(programs, folder, true, "memory", own, floor);
        SetEnvironmentVariableA("TAVLORN_BENCH_PAD", nullptr);
        if (!ok)
            return false;
        figures.largestMemory.Add(own.peakWorkingSetMiB, floor.peakWorkingSetMiB);
        figures.largest.Add(own.msToPaintedList, floor.msToPaintedList);
    }
    return true;
}

// ---- listing and leaving in this process ----

// The real main window and the floor's frame, at the same place; the one measured is on top.
struct Stage {
    CMainWnd window{ExplorerTitle};
    HWND ownFrame = nullptr, ownList = nullptr;
    HWND floorFrame = nullptr, floorList = nullptr;
};

// The main window reads the settings when it is created, so they come first.
void LoadSettings(const std::string& startFolder)
{
    CreateSystemData();
    GetSystemData()->Load();
    GetSystemData()->SetStartFolder(startFolder.c_str());
}

bool OpenStage(Stage& stage)
{
    if (stage.window.Create(0, 0, 640, 480, nullptr) == nullptr) {
        fprintf(stderr, "the main window could not be created\n");
        return false;
    }
    stage.window.ShowWindow(SW_SHOW);
    stage.floorFrame = CreateFloorFrame("FloorList", 0, 0);
    stage.floorList = FloorListOf(stage.floorFrame);
    ShowWindow(stage.floorFrame, SW_SHOW);
    stage.ownFrame = stage.window.GetHwnd();
    stage.ownList = stage.window.FileList().GetHwnd();
    Pump();
    return true;
}

void CloseStage(Stage& stage)
{
    stage.window.DestroyWindow();
    DestroyWindow(stage.floorFrame);
    DestroySystemData();
}

HeapUse GrowthPerRow(const HeapUse& before, const HeapUse& after, int rows)
{
    HeapUse perRow;
    perRow.busy = (after.busy - before.busy) / rows;
    perRow.committed = (after.committed - before.committed) / rows;
    return perRow;
}

struct HeapFigures {
    HeapUse own, floor;  // per listed row
};

// Once each, timed nowhere: the first enumeration of a folder reads it from disk.
// The largest listing's heap use is taken on the way, the explorer's first: a heap
// that has grown once hands its free space to whatever comes next.
HeapFigures ListEachOnce(Stage& stage, const Folders& folders)
{
    HeapFigures heap;
    for (int s = 0; s < SizeCount; ++s) {
        const bool largest = s == SizeCount - 1;
        const char* folder = folders.sized[s].c_str();
        HeapUse before = MeasureHeaps();
        stage.window.Navigate(folder);
        if (largest) {
            const HeapUse after = MeasureHeaps();
            heap.own = GrowthPerRow(before, after, RowCount(stage.ownList));
        }
        stage.window.Navigate(folders.empty.c_str());
        before = MeasureHeaps();
        const int rows = FloorFill(stage.floorList, folder);
        if (largest) {
            const HeapUse after = MeasureHeaps();
            heap.floor = GrowthPerRow(before, after, rows);
        }
        FloorClear(stage.floorList);
    }
    Pump();
    return heap;
}

// Listing a folder and leaving it, each timed through the first paint that follows.
struct Visit {
    double listMs = 0, leaveMs = 0;
    int rows = 0;
};

Visit VisitOwn(Stage& stage, const char* folder, const char* empty)
{
    Visit visit;
    BringToTop(stage.ownFrame);
    double t = NowMs();
    stage.window.Navigate(folder);
    PaintNow(stage.ownFrame);
    visit.listMs = NowMs() - t;
    visit.rows = RowCount(stage.ownList);
    BringToTop(stage.ownFrame);
    t = NowMs();
    stage.window.Navigate(empty);
    PaintNow(stage.ownFrame);
    visit.leaveMs = NowMs() - t;
    return visit;
}

Visit VisitFloor(Stage& stage, const char* folder)
{
    Visit visit;
    BringToTop(stage.floorFrame);
    double t = NowMs();
    visit.rows = FloorFill(stage.floorList, folder);
    PaintNow(stage.floorFrame);
    visit.listMs = NowMs() - t;
    BringToTop(stage.floorFrame);
    t = NowMs();
    FloorClear(stage.floorList);
    PaintNow(stage.floorFrame);
    visit.leaveMs = NowMs() - t;
    return visit;
}

struct ListingFigures {
    std::vector<Pair> listing = std::vector<Pair>(SizeCount);  // one per entry of Sizes
    std::vector<Pair> leaving = std::vector<Pair>(SizeCount);
};

// Every size in every run, the order of the two alternating from run to run.
bool MeasureListings(Stage& stage, const Folders& folders, int runs, ListingFigures& figures)
{
    for (int run = 0; run < runs; ++run) {
        for (int s = 0; s < SizeCount; ++s) {
            Progress("listing run %d/%d, %d entries\n", run + 1, runs, Sizes[s]);
            const char* folder = folders.sized[s].c_str();
            Visit own, floor;
            if (run % 2 == 0) {
                own = VisitOwn(stage, folder, folders.empty.c_str());
                floor = VisitFloor(stage, folder);
            } else {
                floor = VisitFloor(stage, folder);
                own = VisitOwn(stage, folder, folders.empty.c_str());
            }
            if (own.rows != floor.rows) {
                fprintf(stderr, "listing %d: the explorer shows %d rows, the floor %d\n", Sizes[s],
                        own.rows, floor.rows);
                return false;
            }
            figures.listing[s].Add(own.listMs, floor.listMs);
            figures.leaving[s].Add(own.leaveMs, floor.leaveMs);
        }
    }
    return true;
}

// ---- the goals ----

const char* Verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

// Speed is judged on a native run only: emulation slows some work far more than other.
const char* SpeedVerdict(bool met)
{
    return g_emulated ? "(emulated: not judged)" : Verdict(met);
}

// A goal as the table states it, and the bound the figure judged must not pass.
struct Goal {
    const char* text;
    double bound;
};

const Goal ListingGoal{"<=1.10x", 1.10};
const Goal SmallListingGoal{"<=1.10x, <100 ms", 1.10};  // and under SmallListingMs
const int SmallListing = 1000;
const double SmallListingMs = 100;
const Goal PerRowGoal{"<=1.30", 1.30};
const Goal LeavingGoal{"<=1.20x", 1.20};
const Goal LaunchGoal{"<=1.15x", 1.15};
const Goal HeapGoal{"<=1.05x", 1.05};
const Goal SizeGoal{"<=256 KiB", 256 * 1024};

bool Met(const Goal& goal, double figure)
{
    return figure <= goal.bound;
}

const Goal& ListingGoalFor(int entries)
{
    return entries == SmallListing ? SmallListingGoal : ListingGoal;
}

bool ListingMet(const Pair& p, int entries)
{
    return Met(ListingGoalFor(entries), p.ratio.Median()) &&
           (entries != SmallListing || p.own.Median() < SmallListingMs);
}

// Time per row at the largest size over that at the next: 1.00 when listing scales linearly.
double PerRowGrowth(const Series& largest, const Series& next)
{
    const int last = SizeCount - 1, ten = SizeCount - 2;
    return (largest.Median() / Sizes[last]) / (next.Median() / Sizes[ten]);
}

// ---- the table ----

std::string Count(int n)
{
    char text[16];
    if (n >= 1000)
        snprintf(text, sizeof text, "%d,%03d", n / 1000, n % 1000);
    else
        snprintf(text, sizeof text, "%d", n);
    return text;
}

std::string Text(const char* format, double value)
{
    char text[48];
    snprintf(text, sizeof text, format, value);
    return text;
}

void Row(const char* what, const std::string& n, const std::string& own, const std::string& floor,
         const std::string& ratio, const char* goal, const char* verdict)
{
    printf("%-31s %-8s %-26s %-26s %-19s %-20s %s\n", what, n.c_str(), own.c_str(), floor.c_str(),
           ratio.c_str(), goal, verdict);
}

// A pair's own and floor figures in format, its ratio to two places.
void PairRow(const char* what, const std::string& n, const Pair& p, const char* format,
             const char* goal, const char* verdict)
{
    Row(what, n, Cell(p.own, format), Cell(p.floor, format), Cell(p.ratio, "%.2f"), goal, verdict);
}

void PrintHeader(int runs)
{
    printf("\nTavlorn benchmark, %s build, run %s: %d runs; median (min-max); ratios taken pair "
           "by pair within a run\n\n", BuildArchitecture,
           g_emulated ? "emulated (QEMU user mode; times for reference only)" : "natively", runs);
    Row("what", "N", "explorer", "floor", "ratio", "goal", "");
}

void PrintListingRows(const ListingFigures& figures)
{
    for (int s = 0; s < SizeCount; ++s) {
        const Pair& p = figures.listing[s];
        PairRow("listing to first paint (ms)", Count(Sizes[s]), p, "%.1f", ListingGoalFor(Sizes[s]).text,
                SpeedVerdict(ListingMet(p, Sizes[s])));
    }
    const Pair& largest = figures.listing[SizeCount - 1];
    const Pair& next = figures.listing[SizeCount - 2];
    const double own = PerRowGrowth(largest.own, next.own);
    const double floor = PerRowGrowth(largest.floor, next.floor);
    Row("listing time per row, 100k/10k", "", Text("%.2f", own), Text("%.2f", floor), "",
        PerRowGoal.text, SpeedVerdict(Met(PerRowGoal, own)));
    for (int s = 0; s < SizeCount; ++s) {
        const Pair& p = figures.leaving[s];
        PairRow("leaving a folder (ms)", Count(Sizes[s]), p, "%.1f", LeavingGoal.text,
                SpeedVerdict(Met(LeavingGoal, p.ratio.Median())));
    }
}

void PrintLaunchRows(const LaunchFigures& figures)
{
    const std::string largest = Count(Sizes[SizeCount - 1]);
    PairRow("launch to painted list (ms)", Count(LaunchEntries), figures.screenful, "%.0f", LaunchGoal.text,
            SpeedVerdict(Met(LaunchGoal, figures.screenful.ratio.Median())));
    PairRow("launch to painted list (ms)", largest, figures.largest, "%.0f", "(for reference)", "");
    PairRow("peak working set (MiB)", Count(LaunchEntries), figures.screenfulMemory, "%.1f",
            "(for reference)", "");
    const Pair& memory = figures.largestMemory;
    Row("peak working set (MiB) *", largest, Cell(memory.own, "%.1f"), Cell(memory.floor, "%.1f"),
        Text("%.2f of medians", memory.own.Median() / memory.floor.Median()), "(for reference)", "");
}

void PrintHeapRows(const HeapFigures& heap)
{
    const std::string largest = Count(Sizes[SizeCount - 1]);
    const double share = heap.own.busy / heap.floor.busy;
    Row("heap in use per listed row (B)", largest, Text("%.0f", heap.own.busy),
        Text("%.0f", heap.floor.busy), Text("%.2f", share), HeapGoal.text, Verdict(Met(HeapGoal, share)));
    Row("heap committed per row (B) **", largest, Text("%.0f", heap.own.committed), "-", "",
        "(for reference)", "");
}

void PrintSizeRows(const Options& options)
{
    for (const auto& size : options.sizes)
        Row(("executable size, " + size.first).c_str(), "",
            Text("%.1f KiB", static_cast<double>(size.second) / 1024.0), "", "", SizeGoal.text,
            Verdict(Met(SizeGoal, static_cast<double>(size.second))));
}

void PrintNotes()
{
    printf("\n*  Wine's heap grows in regions of doubling size, so a peak falls on one of a few steps\n"
           "   (about 128 MiB apart on x86_64, 64 MiB on i686) set by the start-up state; under\n"
           "   emulation it includes the emulator's own memory.\n"
           "** How far the explorer's listing grew the heaps; the floor lists afterwards into the\n"
           "   room that left, so its figure would say nothing.\n");
    fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    g_emulated = options.emulated;
    g_home = HomeFolder();
    const Programs programs{g_home + "\\TavlornExplorer.exe", g_home + "\\FloorList.exe"};
    const Folders folders = SetUpFolders();

    LaunchFigures launches;
    if (!MeasureScreenfulLaunches(programs, folders.launch, options.runs, launches) ||
        !MeasureLargestLaunches(programs, folders.sized.back(), options.runs, launches))
        return 1;

    LoadSettings(folders.empty);
    Stage stage;
    if (!OpenStage(stage))
        return 1;
    const HeapFigures heap = ListEachOnce(stage, folders);
    ListingFigures listings;
    if (!MeasureListings(stage, folders, options.runs, listings))
        return 1;
    CloseStage(stage);

    PrintHeader(options.runs);
    PrintListingRows(listings);
    PrintLaunchRows(launches);
    PrintHeapRows(heap);
    PrintSizeRows(options);
    PrintNotes();
    return 0;
}
