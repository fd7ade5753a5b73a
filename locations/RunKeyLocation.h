#pragma once

#include "RunKeyStore.h"
#include "StartupLocation.h"

// A registry key whose values are startup entries: the value's name names the
// entry, its data is the command. Shown as "Name" and "Executable".
class RunKeyLocation : public StartupLocation {
public:
    RunKeyLocation(HKEY root, const std::string& subkey) : store(root, subkey) {}

    int Add() override;
    int Edit(CListCtrl* list) override;
    int Delete(CListCtrl* list) override;
    void SetupColumns(CListCtrl* list) override;
    void RemoveColumns(CListCtrl* list) override;
    void Fill(CListCtrl* list) override;

    const RunKeyStore& Store() const { return store; }

private:
    RunKeyStore store;
};
