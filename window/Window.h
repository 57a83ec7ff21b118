#pragma once

#include "window/WindowDescription.h"

#include <windows.h>

// The base of every window kind that has a class of its own. The object is
// attached to its HWND while the window is being created and detached as it
// is destroyed; in between, every message goes to HandleMessage.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return handle_; }

    // The object attached to a window of ours, or null for any other window.
    static Window* FromHandle(HWND window);

    // Offers a message taken from the queue to the window it is addressed to
    // and then to each parent in turn, up to the first that consumes it.
    static bool PreTranslate(MSG& message);

protected:
    // Registers a class whose procedure dispatches to Window objects.
    static bool RegisterClassOnce(const wchar_t* className, UINT style, const wchar_t* cursor);

    // Creates the window and attaches this object to it.
    bool CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                      int left, int top, int width, int height, HWND parent, HMENU id);
    // Creates a hidden child at the place and with the identifier of its description.
    bool CreateChildHandle(const wchar_t* className, const wchar_t* title,
                           const ControlDescription& description, HWND parent);

    // Every message but WM_PAINT goes to the platform; WM_PAINT goes to OnPaint.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Paints the window; the default leaves it to the platform.
    virtual void OnPaint() { DefWindowProcW(handle_, WM_PAINT, 0, 0); }
    // Returns true when the message has been dealt with and must not be dispatched.
    virtual bool PreTranslateMessage(MSG&) { return false; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
};

// The instance of the program's own module, where its classes and resources live.
HINSTANCE ModuleInstance();
