#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// How many timed runs make each figure; one more, untimed, goes first so that
// loading DLLs and filling caches count in neither column.
constexpr int kRuns = 7;
// Changing a command line takes well under a millisecond at 1,000 entries,
// where one preempted run weighs much; more runs cost little.
constexpr int kLineRuns = 21;
// Starting a process varies far more from one time to the next.
constexpr int kStartRuns = 15;

double NowMs();

// The times of several runs of one operation.
struct Sample {
    std::vector<double> runs;
    double Median() const;
    double Min() const;
    double Max() const;
};

// Times a pair of operations run by run, one after the other, so that
// whatever else the machine is doing weighs on both alike. prepare runs
// before each, untimed.
void TimePair(Sample& first, const std::function<void()>& runFirst, Sample& second,
              const std::function<void()>& runSecond, const std::function<void()>& prepare = {}, int runs = kRuns);

// For as long as it lives, HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of this
// process are two empty keys of a scratch tree, deleted afterwards.
class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    // Deletes what an interrupted run may have left.
    static void RemoveLeftovers();

private:
    std::string basePath;
    HKEY machine = nullptr;
    HKEY user = nullptr;
};

// A fresh folder under the temp directory, removed with its files.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& label);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path; }

private:
    std::string path;
};

// A visible report-style list view, as the main window has one, in a window
// that never takes the focus from anything else on the display.
class ListHost {
public:
    ListHost();
    ~ListHost();
    ListHost(const ListHost&) = delete;
    ListHost& operator=(const ListHost&) = delete;

    HWND List() const { return list; }
    // Lets the list paint and drain its messages, between timed runs.
    void Settle() const;

private:
    HWND host = nullptr;
    HWND list = nullptr;
};

void PumpMessages();

// One line of the printed table.
struct Row {
    std::string measurement;
    std::string entries;
    std::string bootwise;
    std::string bootwiseSpread;
    std::string floor;
    std::string floorSpread;
    std::string ratio;
    std::string target;
    std::string met;
};

std::string Ms(double ms);
std::string Spread(const Sample& sample);
std::string Fixed(double value, int decimals);
void PrintTable(const std::vector<Row>& rows);
