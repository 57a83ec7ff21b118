#pragma once

// Drives the real program from outside, as a user would: starts it, finds
// its window, presses and types with real input (SendInput), and reads the
// screen. Shared by the end-to-end tests.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace driver {

// The program paths handed to the test on its command line (Unix paths from
// CMake, turned into the Z: drive paths Wine understands).
std::wstring ProgramPath();        // ColourPicker.exe
std::wstring FaultProgramPath();   // ColourPickerFaults.exe
void SetProgramPaths(int argc, char** argv);

// One run of a program; ended (killed if still running) when it goes.
class Program {
public:
    // Starts path, with COLOURPICKER_FAULT set to fault when fault is given.
    explicit Program(const std::wstring& path, const wchar_t* fault = nullptr);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }

    // The visible main window of this process, waiting up to timeoutMs.
    HWND WaitForWindow(DWORD timeoutMs = 10000);
    // The exit code, or STILL_ACTIVE if it has not ended within timeoutMs.
    DWORD WaitForExit(DWORD timeoutMs = 10000);
    bool Running();

private:
    PROCESS_INFORMATION process_{};
};

// A visible top-level window of the process with the given class, or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* className);

// The window handle of a control of the main window, by its identifier.
HWND ControlOf(HWND mainWindow, unsigned id);

// Screen position of a client point of a window.
POINT ScreenPoint(HWND window, int x, int y);

// Real mouse input at a screen point: position and button in the same event.
void Press(POINT screen, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);
void MoveTo(POINT screen);
// Real key input; modifiers are held around the key.
void Key(WORD virtualKey, std::initializer_list<WORD> modifiers = {});
void TypeText(const wchar_t* text);

// Single input events for SendEvents: a mouse event that carries its screen
// position, or a key going down or up.
INPUT MouseEvent(POINT screen, DWORD flags);
INPUT KeyEvent(WORD virtualKey, bool up);
// Sends the events in one batch, so that no other input comes between them.
void SendEvents(const std::vector<INPUT>& events);

// What the screen shows at a point (the X screen, through the screen DC).
COLORREF ScreenPixel(POINT screen);
// Polls until the screen shows colour at the point; false after timeoutMs.
bool WaitForScreenPixel(POINT screen, COLORREF colour, DWORD timeoutMs = 3000);
// What the screen shows in a rectangle, rows top down, in COLORREF layout;
// one copy of the whole area. Empty when the screen cannot be read.
std::vector<COLORREF> ScreenArea(POINT topLeft, int width, int height);

// The window with the keyboard focus in the GUI thread that owns window.
HWND FocusOf(HWND window);

// A control's text, read across processes.
std::string TextOf(HWND window);
// Polls until the control's text equals expected; false after timeoutMs.
bool WaitForText(HWND window, const std::string& expected, DWORD timeoutMs = 3000);

// Polls a condition every 20 ms until it holds; false after timeoutMs.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 3000)
{
    for (DWORD waited = 0;; waited += 20) {
        if (condition())
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(20);
    }
}

// Lets the program's queue drain: sleeps in small steps.
void Settle(DWORD ms = 200);

} // namespace driver
