#include "window/MainWindow.h"

#include "window/ScreenPixels.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr wchar_t kClassName[] = L"ColourPickerWindow";

// A fixed single border with a title bar, system menu, minimise and close
// buttons; no sizing border and no maximise button.
constexpr DWORD kStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

std::int32_t ModifierKeys()
{
    std::int32_t keys = 0;
    if (GetKeyState(VK_CONTROL) < 0)
        keys |= 1;
    if (GetKeyState(VK_SHIFT) < 0)
        keys |= 2;
    if (GetKeyState(VK_MENU) < 0)
        keys |= 4;
    return keys;
}

bool IsMouseOrKeyboardMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

} // namespace

std::unique_ptr<MainWindow> MainWindow::Create(GoneCallback onGone)
{
    std::unique_ptr<MainWindow> window(new MainWindow(onGone));
    if (!window->Build())
        return nullptr;
    return window;
}

bool MainWindow::Build()
{
    if (!RegisterClassOnce(kClassName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW))
        return false;

    // Centred by signed division and not clamped: on a screen smaller than the
    // window it starts partly off screen.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindow.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindow.height) / 2;
    if (!CreateHandle(0, kClassName, kMainWindow.caption, kStyle, left, top, kMainWindow.width,
                      kMainWindow.height, nullptr, nullptr))
        return false;

    // The platform may shrink a window that does not fit its screen.
    RECT outer;
    GetWindowRect(Handle(), &outer);
    if (outer.right - outer.left != kMainWindow.width || outer.bottom - outer.top != kMainWindow.height)
        SetWindowPos(Handle(), nullptr, left, top, kMainWindow.width, kMainWindow.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);

    largeIcon_ = Icon(static_cast<HICON>(LoadImageW(ModuleInstance(), L"DEFAULT_ICON", IMAGE_ICON,
                                                    32, 32, LR_DEFAULTCOLOR)));
    smallIcon_ = Icon(static_cast<HICON>(LoadImageW(ModuleInstance(), L"DEFAULT_ICON", IMAGE_ICON,
                                                    16, 16, LR_DEFAULTCOLOR)));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.Get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);

    for (std::size_t i = kControlCount; i-- > 0;) {
        controls_[i] = CreateControl(kControls[i], Handle());
        if (!controls_[i])
            return false;
    }

    // The platform puts each new child below its siblings; the stacking order
    // is the list order, top to bottom.
    HWND above = HWND_TOP;
    for (const auto& control : controls_) {
        SetWindowPos(control->Handle(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = control->Handle();
    }
    return true;
}

void MainWindow::Show()
{
    for (const auto& control : controls_)
        ShowWindow(control->Handle(), SW_SHOWNA);
    ShowWindow(Handle(), SW_SHOW);
}

void MainWindow::SetBackgroundColour(ColourValue colour)
{
    background_ = colour;
    InvalidateRect(Handle(), nullptr, TRUE);
    for (const auto& control : controls_) {
        HWND child = control->Handle();
        if (IsWindowVisible(child) && (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT))
            InvalidateRect(child, nullptr, FALSE);
    }
}

Control* MainWindow::ControlAt(ComponentAddress address) const
{
    if (address.window != kMainWindowId)
        return nullptr;
    for (const auto& control : controls_)
        if (control->Description().id == address.component)
            return control.get();
    return nullptr;
}

HWND MainWindow::ComponentHandle(ComponentAddress address) const
{
    if (address == InMainWindow(kWindowComponentId))
        return Handle();
    Control* control = ControlAt(address);
    return control ? control->Handle() : nullptr;
}

Control* MainWindow::ControlWithHandle(HWND window) const
{
    for (const auto& control : controls_)
        if (control->Handle() == window)
            return control.get();
    return nullptr;
}

void MainWindow::WriteColour(ComponentAddress component, Property property, ColourValue value)
{
    if (component == InMainWindow(kWindowComponentId)) {
        if (property == Property::BackgroundColour)
            SetBackgroundColour(value);
    } else if (Control* control = ControlAt(component)) {
        control->WriteColour(property, value);
    }
}

void MainWindow::WriteText(ComponentAddress component, Property property, const char* text)
{
    if (Control* control = ControlAt(component))
        control->WriteText(property, text);
}

bool MainWindow::PreTranslateMessage(MSG& message)
{
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && OnKeyDown(message))
        return true;
    if (!IsMouseOrKeyboardMessage(message.message))
        return false;

    // Raise the event of the component the message is addressed to. Only a
    // left press on a picture box has a handler; the handlers give back no
    // result, so the press goes on to the box afterwards.
    const Control* control = ControlWithHandle(message.hwnd);
    if (message.message == WM_LBUTTONDOWN && control &&
        control->Description().onLeftButtonDown == PressHandler::PickColour) {
        auto x = static_cast<std::int32_t>(LOWORD(message.lParam));
        auto y = static_cast<std::int32_t>(HIWORD(message.lParam));
        OnLeftButtonPressed(*control, x, y, ModifierKeys());
    }
    return false;
}

bool MainWindow::OnKeyDown(const MSG& message)
{
    const std::int32_t keys = ModifierKeys();
    switch (message.wParam) {
    case VK_ESCAPE:
        if (keys != 0)
            return false;
        SendMessageW(Handle(), WM_CLOSE, 0, 0);
        return true;
    case VK_TAB: {
        if (keys != 0 && keys != 2)
            return false;
        // Only tab stops take the focus, and none of this window's controls
        // is one, so in practice the focus stays where it is.
        HWND next = GetNextDlgTabItem(Handle(), GetFocus(), keys == 2);
        if (next && (GetWindowLongPtrW(next, GWL_STYLE) & WS_TABSTOP))
            SetFocus(next);
        return true;
    }
    default:
        return false;
    }
}

void MainWindow::OnLeftButtonPressed(const Control& control, std::int32_t x, std::int32_t y,
                                     std::int32_t /*keys: a pick is the same with any held*/)
{
    ScreenPixels screen;
    PickColour(screen, *this, ComponentHandle(InMainWindow(control.Description().id)), x, y);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam)))
            return TRUE;
        break;
    case WM_ACTIVATE:
        OnActivate(wParam);
        break;
    case WM_SETFOCUS:
        OnSetFocus();
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(Handle(), nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SYSCOMMAND:
        // The platform's default would maximise a window even without a
        // maximise button; this one has a fixed size.
        if ((wParam & 0xFFF0) == SC_MAXIMIZE)
            return 0;
        break;
    case WM_GETMINMAXINFO: {
        // The platform caps a window at a little more than the screen; this
        // one keeps its fixed size even on a smaller screen.
        LRESULT result = Window::HandleMessage(message, wParam, lParam);
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, kMainWindow.width);
        limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, kMainWindow.height);
        return result;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        // Each control kind paints with its own colours.
        if (LRESULT brush = SendMessageW(reinterpret_cast<HWND>(lParam), kReflectedMessage + message,
                                         wParam, lParam))
            return brush;
        break;
    case WM_NCDESTROY:
        if (onGone_)
            onGone_(Handle());
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void MainWindow::OnPaint()
{
    PaintDc paint(Handle());
    if (IsRectEmpty(&paint.Area()))
        return;
    FillRect(paint.Get(), &paint.Area(), SolidBrushOf(background_).Get());
}

bool MainWindow::OnSetCursor(HWND under, UINT hitTest)
{
    const Control* control = ControlWithHandle(under);
    if (!control || control->Description().pointer != Pointer::CrossHair || hitTest != HTCLIENT)
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_CROSS));
    return true;
}

void MainWindow::OnActivate(WPARAM state)
{
    if (LOWORD(state) != WA_INACTIVE)
        return;
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus))
        focusWhenDeactivated_ = focus;
}

void MainWindow::OnSetFocus()
{
    HWND target = focusWhenDeactivated_;
    if (!target || !IsWindow(target) || !IsChild(Handle(), target)) {
        target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
        if (target && !(GetWindowLongPtrW(target, GWL_STYLE) & WS_TABSTOP))
            target = nullptr;
    }
    if (target)
        SetFocus(target);
}
