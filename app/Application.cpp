#include "app/Application.h"

#include "colour/FatalFailure.h"
#include "window/MainWindow.h"
#include "window/Window.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<MainWindow> startupWindow;
std::vector<HWND> loadedWindows;
bool loopStarted = false;

void DestroyLoadedWindows()
{
    // A copy: each destruction takes its window out of the set.
    for (HWND window : std::vector<HWND>(loadedWindows))
        DestroyWindow(window);
}

} // namespace

bool LoadStartupWindow()
{
    startupWindow = MainWindow::Create(&WindowGone);
    if (!startupWindow)
        return false;
    loadedWindows.push_back(startupWindow->Handle());
    startupWindow->Show();
    return true;
}

int RunMessageLoop()
{
    loopStarted = true;
    if (loadedWindows.empty())
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
    loadedWindows.erase(std::remove(loadedWindows.begin(), loadedWindows.end(), window),
                        loadedWindows.end());
    if (loadedWindows.empty() && loopStarted)
        PostQuitMessage(0);
}

// No handler runs after this: the message box's own loop dispatches to the
// windows (it paints them) but never pre-translates, so no event is raised,
// and the process ends as soon as the box is dismissed.
void FatalFailure(const char* reason)
{
    std::wstring text = L"The program cannot go on and will close.\n\n";
    text.append(reason, reason + std::char_traits<char>::length(reason));
    MessageBoxW(nullptr, text.c_str(), kMainWindow.captionPrefix, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    DestroyLoadedWindows();
    ExitProcess(static_cast<UINT>(-1));
}
