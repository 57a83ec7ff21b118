#include "app/Application.h"

#include "colour/FatalFailure.h"
#include "window/MainWindow.h"
#include "window/Window.h"

#include <cstddef>
#include <cwchar>
#include <iterator>
#include <memory>

namespace {

// The windows made from the description and not yet destroyed: here only
// the main window, between its creation and its destruction.
class LoadedWindows {
public:
    void Add(HWND window) { window_ = window; }
    void Remove(HWND window)
    {
        if (window == window_)
            window_ = nullptr;
    }
    bool Empty() const { return window_ == nullptr; }
    void DestroyAll()
    {
        if (!Empty())
            DestroyWindow(window_);  // its destruction takes it out of the set
    }

private:
    HWND window_ = nullptr;
};

std::unique_ptr<MainWindow> startupWindow;
LoadedWindows loadedWindows;
bool loopStarted = false;

} // namespace

bool LoadStartupWindow()
{
    startupWindow = MainWindow::Create(&WindowGone);
    if (!startupWindow)
        return false;
    loadedWindows.Add(startupWindow->Handle());
    startupWindow->Show();
    return true;
}

int RunMessageLoop()
{
    loopStarted = true;
    if (loadedWindows.Empty())
        return 0;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (Window::PreTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void WindowGone(HWND window)
{
    loadedWindows.Remove(window);
    if (loadedWindows.Empty() && loopStarted)
        PostQuitMessage(0);
}

// No handler runs after this: the message box's own loop dispatches to the
// windows (it paints them) but never pre-translates, so no event is raised,
// and the process ends as soon as the box is dismissed.
void FatalFailure(const char* reason)
{
    wchar_t text[256] = L"The program cannot go on and will close.\n\n";
    // The reasons are ASCII: widen them byte by byte.
    for (std::size_t at = std::wcslen(text); *reason && at + 1 < std::size(text); ++at)
        text[at] = static_cast<wchar_t>(*reason++);
    MessageBoxW(nullptr, text, kProductName, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    loadedWindows.DestroyAll();
    ExitProcess(static_cast<UINT>(-1));
}
