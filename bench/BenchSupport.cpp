#include "BenchSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

namespace {

const char* const kSandboxRoot = "Software\\BootwiseBench";
int sandboxCount = 0;
int folderCount = 0;

void RemoveTree(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::vector<double> Sorted(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

} // namespace

double NowMs()
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double Sample::Median() const
{
    if (runs.empty())
        return 0;
    const std::vector<double> sorted = Sorted(runs);
    const size_t middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double Sample::Min() const
{
    return runs.empty() ? 0 : *std::min_element(runs.begin(), runs.end());
}

double Sample::Max() const
{
    return runs.empty() ? 0 : *std::max_element(runs.begin(), runs.end());
}

void TimePair(Sample& first, const std::function<void()>& runFirst, Sample& second,
              const std::function<void()>& runSecond, const std::function<void()>& prepare, int runs)
{
    for (int run = 0; run <= runs; ++run) {
        // Which one goes first alternates, so that neither always finds the
        // other's leftovers (pending paints, freed memory) in its way.
        for (int turn = 0; turn < 2; ++turn) {
            const bool firstNow = (turn == 0) == (run % 2 == 0);
            if (prepare)
                prepare();
            const double start = NowMs();
            (firstNow ? runFirst : runSecond)();
            const double elapsed = NowMs() - start;
            if (run > 0)
                (firstNow ? first : second).runs.push_back(elapsed);
        }
    }
}

void RegistrySandbox::RemoveLeftovers()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kSandboxRoot);
}

RegistrySandbox::RegistrySandbox()
{
    basePath = std::string(kSandboxRoot) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(sandboxCount++);
    RegDeleteTreeA(HKEY_CURRENT_USER, basePath.c_str());
    if (RegCreateKeyA(HKEY_CURRENT_USER, (basePath + "\\Machine").c_str(), &machine) != ERROR_SUCCESS ||
        RegCreateKeyA(HKEY_CURRENT_USER, (basePath + "\\User").c_str(), &user) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_CURRENT_USER, user) != ERROR_SUCCESS) {
        std::fprintf(stderr, "bench: cannot set up the scratch registry\n");
        ExitProcess(2);
    }
}

RegistrySandbox::~RegistrySandbox()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(machine);
    RegCloseKey(user);
    RegDeleteTreeA(HKEY_CURRENT_USER, basePath.c_str());
}

ScratchFolder::ScratchFolder(const std::string& label)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    path = std::string(temp) + "bootwise-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(folderCount++) + "-" + label;
    RemoveTree(path);
    if (!CreateDirectoryA(path.c_str(), nullptr)) {
        std::fprintf(stderr, "bench: cannot create %s\n", path.c_str());
        ExitProcess(2);
    }
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path);
}

ListHost::ListHost()
{
    host = CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, "STATIC", "bench", WS_POPUP, 0, 0, 600, 400, nullptr,
                           nullptr, nullptr, nullptr);
    list = host ? CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL,
                                  0, 0, 600, 400, host, reinterpret_cast<HMENU>(1003), nullptr, nullptr)
                : nullptr;
    if (!list) {
        std::fprintf(stderr, "bench: no list view could be made: is there a display?\n");
        ExitProcess(2);
    }
    ShowWindow(host, SW_SHOWNOACTIVATE);
    Settle();
}

ListHost::~ListHost()
{
    DestroyWindow(host);
    PumpMessages();
}

void ListHost::Settle() const
{
    UpdateWindow(host);
    PumpMessages();
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string Fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Ms(double ms)
{
    return Fixed(ms, ms < 10 ? 3 : ms < 100 ? 2 : 1);
}

std::string Spread(const Sample& sample)
{
    return Ms(sample.Min()) + ".." + Ms(sample.Max());
}

void PrintTable(const std::vector<Row>& rows)
{
    const Row heading{"measurement", "entries", "Bootwise (ms)", "min..max", "floor (ms)", "min..max",
                      "ratio", "target", "met?"};
    auto cells = [](const Row& row) {
        return std::vector<const std::string*>{&row.measurement, &row.entries, &row.bootwise, &row.bootwiseSpread,
                                               &row.floor, &row.floorSpread, &row.ratio, &row.target, &row.met};
    };
    std::vector<size_t> widths(cells(heading).size(), 0);
    auto widen = [&](const Row& row) {
        const auto texts = cells(row);
        for (size_t column = 0; column < texts.size(); ++column)
            widths[column] = std::max(widths[column], texts[column]->size());
    };
    widen(heading);
    for (const Row& row : rows)
        widen(row);

    auto print = [&](const Row& row) {
        const auto texts = cells(row);
        std::string line;
        for (size_t column = 0; column < texts.size(); ++column) {
            if (column > 0)
                line += " | ";
            std::string text = *texts[column];
            // Names and targets read left to right, figures line up on the right.
            const bool left = column == 0 || column == 7;
            const std::string pad(widths[column] - text.size(), ' ');
            line += left ? text + pad : pad + text;
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        std::printf("%s\n", line.c_str());
    };
    print(heading);
    std::string rule;
    for (size_t column = 0; column < widths.size(); ++column) {
        if (column > 0)
            rule += "-+-";
        rule += std::string(widths[column], '-');
    }
    std::printf("%s\n", rule.c_str());
    for (const Row& row : rows)
        print(row);
    std::fflush(stdout);
}
