#include "DialogAnswerer.h"

#include "framework/CWnd.h"

#include <gtest/gtest.h>

namespace {

thread_local DialogAnswerer* current = nullptr;

BOOL CALLBACK AddControl(HWND child, LPARAM lParam)
{
    auto* seen = reinterpret_cast<SeenDialog*>(lParam);
    seen->controls.emplace_back(GetDlgCtrlID(child), GetWindowTextOf(child));
    return TRUE;
}

// The window procedure a watched dialog had before.
const char* const kOriginalProc = "BootwiseTestsOriginalProc";

bool IsDialogClass(LPCSTR className)
{
    return IS_INTRESOURCE(className) ? reinterpret_cast<ULONG_PTR>(className) == 0x8002
                                     : std::string(className) == "#32770";
}

HWND FirstEdit(HWND dialog)
{
    return FindWindowExA(dialog, nullptr, "Edit", nullptr);
}

} // namespace

std::string SeenDialog::Text(int id) const
{
    for (const auto& [controlId, text] : controls)
        if (controlId == id)
            return text;
    ADD_FAILURE() << "no control " << id << " in dialog \"" << caption << "\"";
    return {};
}

bool SeenDialog::Shows(const std::string& text) const
{
    for (const auto& control : controls)
        if (control.second == text)
            return true;
    return false;
}

SeenDialog Describe(HWND dialog)
{
    SeenDialog seen;
    seen.caption = GetWindowTextOf(dialog);
    EnumChildWindows(dialog, AddControl, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

void Click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

DialogAnswerer::DialogAnswerer()
{
    current = this;
    creationHook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    EXPECT_NE(nullptr, creationHook);
}

DialogAnswerer::~DialogAnswerer()
{
    UnhookWindowsHookEx(creationHook);
    for (const auto& script : scripts)
        KillTimer(nullptr, script.first);
    current = nullptr;
}

DialogAnswerer& DialogAnswerer::Ok(Fields fields)
{
    answers.push_back({std::move(fields), IDOK, 0, {}});
    return *this;
}

DialogAnswerer& DialogAnswerer::Cancel(Fields fields)
{
    answers.push_back({std::move(fields), IDCANCEL, 0, {}});
    return *this;
}

DialogAnswerer& DialogAnswerer::Press(int button)
{
    answers.push_back({{}, button, 0, {}});
    return *this;
}

DialogAnswerer& DialogAnswerer::Key(UINT virtualKey, Fields fields)
{
    answers.push_back({std::move(fields), 0, virtualKey, {}});
    return *this;
}

DialogAnswerer& DialogAnswerer::Run(std::function<void(HWND)> script)
{
    answers.push_back({{}, 0, 0, std::move(script)});
    return *this;
}

DialogAnswerer& DialogAnswerer::Refuse()
{
    Answer answer;
    answer.refuse = true;
    answers.push_back(std::move(answer));
    return *this;
}

bool DialogAnswerer::RefusesCreation(const CBT_CREATEWNDA* create)
{
    if (answers.empty() || !answers.front().refuse)
        return false;
    if (!IsDialogClass(create->lpcs->lpszClass))
        return false;
    answers.pop_front();
    seen.push_back({"(refused)", {}});
    return true;
}

LRESULT CALLBACK DialogAnswerer::CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    DialogAnswerer* self = current;
    if (self && code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (self->RefusesCreation(create))
            return 1;
        // Watch the dialog's own messages rather than every message of the
        // thread: a hook on all of them makes long lists crawl.
        if (IsDialogClass(create->lpcs->lpszClass)) {
            const HWND window = reinterpret_cast<HWND>(wParam);
            const LONG_PTR original = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DialogWatcher));
            SetPropA(window, kOriginalProc, reinterpret_cast<HANDLE>(original));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DialogAnswerer::DialogWatcher(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProc));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(window, kOriginalProc);
    }
    const LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
    if (message == WM_INITDIALOG && current)
        current->OnDialogReady(window);
    return result;
}

void DialogAnswerer::OnDialogReady(HWND dialog)
{
    seen.push_back(Describe(dialog));
    if (answers.empty()) {
        ++unexpected;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(dialog, WM_COMMAND, IDNO, 0);
        return;
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
    // An answer meant for another dialog would leave this one waiting for
    // ever. Every dialog takes IDCANCEL, as its close box or Esc sends it.
    if (answer.button && answer.button != IDCANCEL && !GetDlgItem(dialog, answer.button)) {
        ++unexpected;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(dialog, WM_COMMAND, IDNO, 0);
        return;
    }
    for (const auto& [id, text] : answer.fields)
        SetDlgItemTextA(dialog, id, text.c_str());
    if (answer.script) {
        const UINT_PTR timer = SetTimer(nullptr, 0, 0, TimerProc);
        scripts[timer] = {dialog, std::move(answer.script)};
    } else if (answer.key) {
        const HWND target = FirstEdit(dialog) ? FirstEdit(dialog) : dialog;
        PostMessageA(target, WM_KEYDOWN, answer.key, 1);
        PostMessageA(target, WM_KEYUP, answer.key, 0xC0000001);
    } else {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer.button)));
    }
}

void CALLBACK DialogAnswerer::TimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    DialogAnswerer* self = current;
    if (!self)
        return;
    const auto found = self->scripts.find(timer);
    if (found == self->scripts.end())
        return;
    auto [dialog, script] = std::move(found->second);
    self->scripts.erase(found);
    script(dialog);
}
