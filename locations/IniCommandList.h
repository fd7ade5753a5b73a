#pragma once

#include "CommandListLocation.h"

// The run= or load= line of the [windows] section of win.ini.
class IniCommandList : public CommandListLocation {
public:
    using CommandListLocation::CommandListLocation;

    int ReadList(std::string& line) const override;
    void WriteList(const std::string& line) override;
};
