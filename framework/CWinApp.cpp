#include "CWinApp.h"

#include <commctrl.h>

namespace {

CWinApp* theApp = nullptr;

} // namespace

std::string ModuleBaseName(HMODULE module)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return name;
}

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName ? appName : "")
{
    theApp = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    if (m_pszAppName.empty())
        m_pszAppName = ModuleBaseName(nullptr);
}

CWinApp::~CWinApp()
{
    if (theApp == this)
        theApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

CWinApp* AfxGetApp()
{
    return theApp;
}

std::string AfxGetAppName()
{
    return theApp ? theApp->m_pszAppName : ModuleBaseName(nullptr);
}

CWnd* AfxGetMainWnd()
{
    return theApp ? theApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

int AfxWinMain(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    // The program's work is done by the time InitInstance returns FALSE; there
    // is no message loop to enter after it.
    app->InitInstance();
    return app->ExitInstance();
}
