#pragma once

#include "CommandListLocation.h"

// The per-user key in which Windows NT keeps its run and load lines.
extern const char* const kNtWindowsKey;

// The run or load value of that key under HKEY_CURRENT_USER.
class NtCommandList : public CommandListLocation {
public:
    using CommandListLocation::CommandListLocation;

    int ReadList(std::string& line) const override;
    void WriteList(const std::string& line) override;
};
