#include "CWnd.h"

std::string GetWindowTextOf(HWND hwnd)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(hwnd)), '\0');
    if (!text.empty()) {
        const int copied = ::GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size() + 1));
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    }
    return text;
}

std::string CWnd::GetWindowText() const
{
    return GetWindowTextOf(m_hWnd);
}
