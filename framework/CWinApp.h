#pragma once

#include <windows.h>

#include <string>

class CWnd;

// The application object: one per program. The program's work runs inside
// InitInstance; AfxWinMain ends the program when it returns FALSE.
class CWinApp {
public:
    // Without a name, the program is named after its executable file.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    std::string m_pszAppName;
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
};

CWinApp* AfxGetApp();
// The application's name; with no application object, the executable's.
std::string AfxGetAppName();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetResourceHandle();
// Registers the common control classes, runs InitInstance, returns the exit code.
int AfxWinMain(HINSTANCE instance);
// The executable's file name without folder and extension.
std::string ModuleBaseName(HMODULE module);
