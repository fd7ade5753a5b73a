#include "DialogAnswerer.h"

#include "framework/CWnd.h"

#include <gtest/gtest.h>

namespace {

thread_local DialogAnswerer* current = nullptr;

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK AddControl(HWND child, LPARAM lParam)
{
    auto* seen = reinterpret_cast<SeenDialog*>(lParam);
    seen->controls.emplace_back(GetDlgCtrlID(child), GetWindowTextOf(child));
    return TRUE;
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
    hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    EXPECT_NE(nullptr, hook);
}

DialogAnswerer::~DialogAnswerer()
{
    UnhookWindowsHookEx(hook);
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
    const LPCSTR className = create->lpcs->lpszClass;
    const bool dialogClass = IS_INTRESOURCE(className) ? reinterpret_cast<ULONG_PTR>(className) == 0x8002
                                                       : std::string(className) == "#32770";
    if (!dialogClass)
        return false;
    answers.pop_front();
    seen.push_back({"(refused)", {}});
    return true;
}

LRESULT CALLBACK DialogAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    DialogAnswerer* self = current;
    if (self && code == HCBT_CREATEWND && self->RefusesCreation(reinterpret_cast<CBT_CREATEWNDA*>(lParam)))
        return 1;
    if (self) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && ClassOf(window) == "#32770")
            self->OnActivate(window);
        else if (code == HCBT_DESTROYWND)
            self->answered.erase(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogAnswerer::OnActivate(HWND dialog)
{
    // A dialog is activated again when one it opened closes; only its first
    // activation is a new dialog.
    if (!answered.insert(dialog).second)
        return;
    seen.push_back(Describe(dialog));
    if (answers.empty()) {
        ++unexpected;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(dialog, WM_COMMAND, IDNO, 0);
        return;
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
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
