#pragma once

// The eleven locations the program knows. Each names itself; the Windows NT
// ones say so.

#include "IniCommandList.h"
#include "NtCommandList.h"
#include "RunKeyLocation.h"
#include "StartupFolderLocation.h"

// The key paths of the Run-key locations, in catalogue order.
extern const char* const kRunKeyPaths[3];

class MachineRunKey final : public RunKeyLocation {
public:
    MachineRunKey();
    std::string GetName() const override;
};

class MachineRunOnceKey final : public RunKeyLocation {
public:
    MachineRunOnceKey();
    std::string GetName() const override;
};

class UserRunKey final : public RunKeyLocation {
public:
    UserRunKey();
    std::string GetName() const override;
};

class UserRunOnceKey final : public RunKeyLocation {
public:
    UserRunOnceKey();
    std::string GetName() const override;
};

class MachineRunOnceSetupKey final : public RunKeyLocation {
public:
    MachineRunOnceSetupKey();
    std::string GetName() const override;
};

class NtRunValue final : public NtCommandList {
public:
    NtRunValue();
    std::string GetName() const override;
    int IsNtOnly() const override;
};

class NtLoadValue final : public NtCommandList {
public:
    NtLoadValue();
    std::string GetName() const override;
    int IsNtOnly() const override;
};

class UserStartupFolder final : public StartupFolderLocation {
public:
    explicit UserStartupFolder(const std::string& folderPath);
    std::string GetName() const override;
};

class AllUsersStartupFolder final : public StartupFolderLocation {
public:
    explicit AllUsersStartupFolder(const std::string& folderPath);
    std::string GetName() const override;
    int IsNtOnly() const override;
};

class WinIniRunLine final : public IniCommandList {
public:
    WinIniRunLine();
    std::string GetName() const override;
};

class WinIniLoadLine final : public IniCommandList {
public:
    WinIniLoadLine();
    std::string GetName() const override;
};
