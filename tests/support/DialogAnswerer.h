#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

// What a dialog or message box showed when it came up.
struct SeenDialog {
    std::string caption;
    std::vector<std::pair<int, std::string>> controls; // child ID and text, in creation order

    std::string Text(int id) const;
    bool Shows(const std::string& text) const;
};

// Answers this thread's modal dialogs and message boxes, in the order they
// come up, the way a user would: fills edit fields, then presses a button or
// a key. A dialog that comes with no answer left, or with an answer for a
// button it does not have, is cancelled and counted.
// Each dialog is caught as it is created and answered once it has finished
// WM_INITDIALOG, which does not depend on which window of the display
// happens to be active.
class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    using Fields = std::map<int, std::string>;
    DialogAnswerer& Ok(Fields fields = {});
    DialogAnswerer& Cancel(Fields fields = {});
    // A button of a message box: IDYES, IDNO, IDOK.
    DialogAnswerer& Press(int button);
    // A key pressed in the first edit field (or the dialog), after filling the fields.
    DialogAnswerer& Key(UINT virtualKey, Fields fields = {});
    // Runs the script from the dialog's own message loop once it is up; the
    // script must end the dialog.
    DialogAnswerer& Run(std::function<void(HWND)> script);
    // The next dialog fails to come up at all, as when the system refuses to
    // make its window.
    DialogAnswerer& Refuse();

    const std::vector<SeenDialog>& Seen() const { return seen; }
    size_t Pending() const { return answers.size(); }
    int Unexpected() const { return unexpected; }

private:
    struct Answer {
        Fields fields;
        int button = 0;
        UINT key = 0;
        std::function<void(HWND)> script;
        bool refuse = false;
    };

    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DialogWatcher(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR timer, DWORD);
    void OnDialogReady(HWND dialog);
    bool RefusesCreation(const CBT_CREATEWNDA* create);

    HHOOK creationHook = nullptr;
    std::deque<Answer> answers;
    std::vector<SeenDialog> seen;
    int unexpected = 0;
    std::map<UINT_PTR, std::pair<HWND, std::function<void(HWND)>>> scripts;
};

// Records every child control's ID and text.
SeenDialog Describe(HWND dialog);
// Presses a button of a dialog as a click does.
void Click(HWND dialog, int id);
