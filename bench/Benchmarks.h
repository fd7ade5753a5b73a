#pragma once

#include "BenchSupport.h"

#include <string>
#include <vector>

// Bootwise's own code beside the bare loop that does the same work.
struct Timing {
    Sample bootwise;
    Sample floor;
};

// Fill of the user Run key, seeded with this many values, into a list view.
Timing RunKeyFill(int values);
// Fill of a Startup folder holding this many shortcuts.
Timing StartupFolderFill(int shortcuts);

enum class LineStore { WinIni, Registry };
enum class LineChange { Delete, Edit };
// One program taken out of (or replaced in) the middle of a stored line of
// this many programs.
Timing CommandLineChange(LineStore store, LineChange change, int entries);

// A program to start, and how its user would close its window: with the
// dialog's OK button, or as any window.
struct Program {
    std::string path;
    bool closeWithOk;
};

// From asking for each process to its first visible top-level window.
struct StartTimes {
    std::vector<Sample> times; // one per program, in the order given
    double pollIntervalMs = 0; // how finely the windows were looked for
    std::string problem;       // empty when every start and close went well
};
StartTimes WindowStartTimes(const std::vector<Program>& programs);

// The file's size in bytes, or -1.
long long FileSize(const std::string& path);
