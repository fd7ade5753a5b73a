#pragma once

#include "StartupLocation.h"

#include <string>

// A location whose entries are the programs named in one stored line. Each
// program is a row of the one "Executable" column; Add, Edit and Delete
// rebuild the line and store it whole. Where the line is kept is up to the
// two kinds of store.
class CommandListLocation : public StartupLocation {
public:
    explicit CommandListLocation(const std::string& name) : valueName(name) {}

    int Add() override;
    int Edit(CListCtrl* list) override;
    int Delete(CListCtrl* list) override;
    void Fill(CListCtrl* list) override;

    // Reads the whole stored line into line: empty when none is stored. 0 when
    // the line must not be rewritten: it cannot be read whole, has characters
    // the ANSI code page lacks (line then holds what can be shown), or its
    // store is not known.
    virtual int ReadList(std::string& line) const = 0;
    virtual void WriteList(const std::string& line) = 0;

    // The changes on plain values, after the user has agreed to them. Each
    // returns 1 once a new line went to the store, 0 when the stored line
    // could not be read and was left alone.
    int AppendProgram(const std::string& program);
    int ReplaceProgram(const std::string& oldProgram, const std::string& newProgram);
    int RemoveProgram(const std::string& program);

    const std::string& ValueName() const { return valueName; }

private:
    const std::string valueName;
};
