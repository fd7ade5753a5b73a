#include "Benchmarks.h"

#include <cstdio>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK LookAt(HWND window, LPARAM context)
{
    Search& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD processId)
{
    Search search{processId, nullptr};
    EnumWindows(LookAt, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Start {
    double visibleMs = 0;
    int polls = 0;
    std::string problem;
};

// Starts the program, waits for its first visible top-level window, then
// closes it the way its user would and waits for the process to end.
Start StartAndClose(const Program& started)
{
    Start start;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const std::string& program = started.path;
    std::string commandLine = "\"" + program + "\"";

    const double began = NowMs();
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        start.problem = program + " did not start (error " + std::to_string(GetLastError()) + ")";
        return start;
    }
    HWND window = nullptr;
    for (;;) {
        ++start.polls;
        window = VisibleWindowOf(process.dwProcessId);
        if (window)
            break;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 || NowMs() - began > 30000)
            break;
        Sleep(1);
    }
    start.visibleMs = NowMs() - began;

    if (!window) {
        start.problem = program + " showed no window";
    } else if (started.closeWithOk) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        if (start.problem.empty())
            start.problem = program + " did not end when closed";
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Lets the server and the display finish with the old process before the
    // next one starts.
    Sleep(250);
    return start;
}

} // namespace

StartTimes WindowStartTimes(const std::vector<Program>& programs)
{
    StartTimes times;
    times.times.resize(programs.size());
    int polls = 0;
    double polled = 0;
    for (int run = 0; run <= kStartRuns; ++run) {
        // Each run starts with the next program, so that none always follows the same one.
        for (size_t turn = 0; turn < programs.size(); ++turn) {
            const size_t which = (turn + static_cast<size_t>(run)) % programs.size();
            const Start start = StartAndClose(programs[which]);
            if (!start.problem.empty() && times.problem.empty())
                times.problem = start.problem;
            if (run == 0)
                continue;
            times.times[which].runs.push_back(start.visibleMs);
            polls += start.polls;
            polled += start.visibleMs;
        }
    }
    times.pollIntervalMs = polls ? polled / polls : 0;
    return times;
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
