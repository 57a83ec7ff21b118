#include "window/Window.h"

#include <utility>

Window::~Window()
{
    if (handle_) {
        // Detach first so that the messages of the destruction find no object.
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(handle_, nullptr));
    }
}

HINSTANCE ModuleInstance()
{
    return GetModuleHandleW(nullptr);
}

Window* Window::FromHandle(HWND window)
{
    if (!window)
        return nullptr;
    WNDPROC procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (procedure != &Window::Procedure)
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool Window::PreTranslate(MSG& message)
{
    for (HWND window = message.hwnd; window;) {
        if (Window* object = FromHandle(window); object && object->PreTranslateMessage(message))
            return true;
        bool child = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
        window = child ? GetParent(window) : nullptr;
    }
    return false;
}

bool Window::RegisterClassOnce(const wchar_t* className, UINT style, const wchar_t* cursor)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(ModuleInstance(), className, &existing))
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = &Window::Procedure;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, cursor);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

bool Window::CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                          int left, int top, int width, int height, HWND parent, HMENU id)
{
    return CreateWindowExW(exStyle, className, title, style, left, top, width, height, parent, id,
                           ModuleInstance(), this) != nullptr;
}

bool Window::CreateChildHandle(const wchar_t* className, const wchar_t* title,
                               const ControlDescription& description, HWND parent)
{
    return CreateHandle(0, className, title, WS_CHILD, description.left, description.top,
                        description.width, description.height, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(description.id)));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        OnPaint();
        return 0;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* object = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        object->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    auto* object = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        LRESULT result = object->HandleMessage(message, wParam, lParam);
        object->handle_ = nullptr;
        return result;
    }
    return object->HandleMessage(message, wParam, lParam);
}
