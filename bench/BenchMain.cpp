// Times what Bootwise does with many entries, and how long it takes to show
// its window, each beside the least the platform needs for the same work, and
// prints one table. Run it under Wine with a display: bench/run.sh.
//
//   bootwise_bench [path of Bootwise.exe]
#include "Benchmarks.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace {

std::string Count(int number)
{
    std::string text = std::to_string(number);
    for (int at = static_cast<int>(text.size()) - 3; at > 0; at -= 3)
        text.insert(static_cast<size_t>(at), ",");
    return text;
}

std::string Times(double ratio)
{
    return Fixed(ratio, 2) + "x";
}

std::string YesNo(bool met)
{
    return met ? "yes" : "NO";
}

void Progress(const std::string& what)
{
    std::fprintf(stderr, "bench: %s\n", what.c_str());
    std::fflush(stderr);
}

// With BENCH_RAW set, every run's time goes to the error output too.
void Report(const std::string& what, const Sample& sample)
{
    if (!GetEnvironmentVariableA("BENCH_RAW", nullptr, 0))
        return;
    std::string line = "bench: runs of " + what + ":";
    for (const double run : sample.runs)
        line += " " + Ms(run);
    std::fprintf(stderr, "%s\n", line.c_str());
}

// Bootwise beside its floor; limit is the most Bootwise may take as a
// multiple of the floor, 0 when this size has no target.
Row Against(const std::string& what, int entries, const Timing& timing, double limit)
{
    Report(what + ", " + Count(entries) + ", Bootwise", timing.bootwise);
    Report(what + ", " + Count(entries) + ", floor", timing.floor);
    Row row;
    row.measurement = what;
    row.entries = Count(entries);
    row.bootwise = Ms(timing.bootwise.Median());
    row.bootwiseSpread = Spread(timing.bootwise);
    row.floor = Ms(timing.floor.Median());
    row.floorSpread = Spread(timing.floor);
    row.ratio = Times(timing.bootwise.Median() / timing.floor.Median());
    row.target = limit > 0 ? "<= " + Fixed(limit, 1) + "x floor" : "-";
    row.met = limit > 0 ? YesNo(timing.bootwise.Median() <= limit * timing.floor.Median()) : "-";
    return row;
}

// How the time grows with ten times the entries; linear work grows 10x.
Row Growth(int smaller, const Timing& atSmaller, int larger, const Timing& atLarger)
{
    const double bootwise = atLarger.bootwise.Median() / atSmaller.bootwise.Median();
    const double floor = atLarger.floor.Median() / atSmaller.floor.Median();
    Row row;
    row.measurement = "  growth, Bootwise (floor grows " + Times(floor) + ")";
    row.entries = Count(smaller) + " -> " + Count(larger);
    row.ratio = Times(bootwise);
    row.target = "<= 12x";
    row.met = YesNo(bootwise <= 12);
    return row;
}

// The folder of this program, without a trailing backslash.
std::string OwnFolder()
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    const std::string path = module;
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string Sibling(const std::string& name)
{
    return OwnFolder() + "\\" + name;
}

// The benchmark is built into bench/ of the build tree, Bootwise.exe into its top.
std::string DefaultBootwisePath()
{
    const std::string folder = OwnFolder();
    const size_t slash = folder.find_last_of('\\');
    return (slash == std::string::npos ? std::string(".") : folder.substr(0, slash)) + "\\Bootwise.exe";
}

std::string WineVersion()
{
    using VersionFunction = const char*(CDECL*)();
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto version =
        ntdll ? reinterpret_cast<VersionFunction>(reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")))
              : nullptr;
    return version ? std::string("Wine ") + version() : "not Wine";
}

} // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    RegistrySandbox::RemoveLeftovers();

    const std::string bootwise = argc > 1 ? argv[1] : DefaultBootwisePath();
    std::vector<Row> rows;

    Progress("size of " + bootwise);
    const long long size = FileSize(bootwise);
    if (size < 0) {
        std::fprintf(stderr, "bench: %s not found\n", bootwise.c_str());
        return 2;
    }
    {
        Row row;
        row.measurement = "size of Bootwise.exe (KiB, not ms)";
        row.entries = "-";
        row.bootwise = Fixed(static_cast<double>(size) / 1024.0, 1);
        row.floor = "-";
        row.ratio = "-";
        row.target = "<= 1024 KiB";
        row.met = YesNo(size <= 1024 * 1024);
        rows.push_back(row);
    }

    // Wine's regedit is the yardstick; a program that only shows a window
    // tells what any program pays for starting under this system.
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::vector<Program> programs = {
        {bootwise, true},
        {std::string(windows) + "\\regedit.exe", false},
        {Sibling("bench_bare_window.exe"), false},
    };
    StartTimes start;
    {
        // A window of the benchmark's own keeps the display's desktop up
        // between one started program and the next.
        ListHost keepDesktop;
        Progress("start to visible window: Bootwise.exe, regedit.exe and a bare window program, " +
                 std::to_string(kStartRuns + 1) + " each");
        start = WindowStartTimes(programs);
    }
    const Sample& bootwiseStart = start.times[0];
    const Sample& regeditStart = start.times[1];
    const Sample& bareStart = start.times[2];
    Report("start Bootwise.exe", bootwiseStart);
    Report("start regedit.exe", regeditStart);
    Report("start bare window", bareStart);
    {
        Row row;
        row.measurement = "start to visible window (floor: Wine's regedit)";
        row.entries = "-";
        row.bootwise = Ms(bootwiseStart.Median());
        row.bootwiseSpread = Spread(bootwiseStart);
        row.floor = Ms(regeditStart.Median());
        row.floorSpread = Spread(regeditStart);
        row.ratio = Times(bootwiseStart.Median() / regeditStart.Median());
        row.target = "< 0.5x regedit";
        row.met = YesNo(start.problem.empty() && bootwiseStart.Median() < 0.5 * regeditStart.Median());
        rows.push_back(row);
    }
    {
        Row row;
        row.measurement = "  same, floor: a program that only shows a window";
        row.entries = "-";
        row.bootwise = Ms(bootwiseStart.Median());
        row.bootwiseSpread = Spread(bootwiseStart);
        row.floor = Ms(bareStart.Median());
        row.floorSpread = Spread(bareStart);
        row.ratio = Times(bootwiseStart.Median() / bareStart.Median());
        row.target = "-";
        row.met = "-";
        rows.push_back(row);
    }

    const int runKeySizes[] = {100, 1000, 10000};
    Timing runKey[3];
    for (int at = 0; at < 3; ++at) {
        Progress("Run key Fill, " + Count(runKeySizes[at]) + " values");
        runKey[at] = RunKeyFill(runKeySizes[at]);
        rows.push_back(Against("Run key Fill into list view", runKeySizes[at], runKey[at], at == 2 ? 1.5 : 0));
    }
    rows.push_back(Growth(100, runKey[0], 1000, runKey[1]));
    rows.push_back(Growth(1000, runKey[1], 10000, runKey[2]));

    const int folderSizes[] = {100, 1000};
    Timing folder[2];
    for (int at = 0; at < 2; ++at) {
        Progress("Startup folder Fill, " + Count(folderSizes[at]) + " shortcuts");
        folder[at] = StartupFolderFill(folderSizes[at]);
        rows.push_back(Against("Startup folder Fill into list view", folderSizes[at], folder[at], at == 1 ? 1.5 : 0));
    }
    rows.push_back(Growth(100, folder[0], 1000, folder[1]));

    struct LineCase {
        LineStore store;
        LineChange change;
        const char* name;
    };
    const LineCase lineCases[] = {
        {LineStore::WinIni, LineChange::Delete, "ini run= line: Delete (RemoveProgram)"},
        {LineStore::WinIni, LineChange::Edit, "ini run= line: Edit (ReplaceProgram)"},
        {LineStore::Registry, LineChange::Delete, "NT run value: Delete (RemoveProgram)"},
        {LineStore::Registry, LineChange::Edit, "NT run value: Edit (ReplaceProgram)"},
    };
    for (const LineCase& lineCase : lineCases) {
        Timing timing[2];
        const int sizes[] = {1000, 10000};
        for (int at = 0; at < 2; ++at) {
            Progress(std::string(lineCase.name) + ", " + Count(sizes[at]) + " entries");
            timing[at] = CommandLineChange(lineCase.store, lineCase.change, sizes[at]);
            rows.push_back(Against(lineCase.name, sizes[at], timing[at], 0));
        }
        rows.push_back(Growth(1000, timing[0], 10000, timing[1]));
    }

    std::printf("Bootwise benchmark under %s. Each figure is the median of %d timed runs (%d for the\n"
                "command lines, %d for starting programs), min..max beside, after one untimed run; Bootwise\n"
                "and its floor take turns. Windows were looked for every %.1f ms on average.\n\n",
                WineVersion().c_str(), kRuns, kLineRuns, kStartRuns, start.pollIntervalMs);
    PrintTable(rows);
    if (!start.problem.empty())
        std::printf("\nproblem while starting programs: %s\n", start.problem.c_str());
    return 0;
}
