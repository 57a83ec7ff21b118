#include "window/EditBox.h"

#include "window/Window.h"


std::unique_ptr<EditBox> EditBox::Create(const ControlDescription& description, HWND parent)
{
    std::unique_ptr<EditBox> box(new EditBox(description));
    box->background_ = SolidBrushOf(kEditBoxBackgroundColour);
    box->handle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | ES_LEFT | ES_AUTOHSCROLL,
                                   description.left, description.top, description.width,
                                   description.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(description.id)),
                                   ModuleInstance(), nullptr);
    if (!box->handle_)
        return nullptr;
    // Subclassed by swapping the window procedure rather than through the
    // common controls' SetWindowSubclass: loading that library (and the COM
    // libraries it pulls in) would cost the start-up far more than the
    // whole window does.
    SetWindowLongPtrW(box->handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box.get()));
    box->platformProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box->handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditBox::Procedure)));
    if (!box->platformProcedure_)
        return nullptr;
    SendMessageW(box->handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // The client area depends on the font's line height: work it out again.
    SetWindowPos(box->handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SendMessageW(box->handle_, EM_SETSEL, 0, 0);
    SendMessageW(box->handle_, EM_SCROLLCARET, 0, 0);
    return box;
}

EditBox::~EditBox()
{
    if (handle_) {
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platformProcedure_));
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void EditBox::WriteText(Property property, const char* text)
{
    if (property == Property::Content)
        SetWindowTextA(handle_, text);
}

LRESULT CALLBACK EditBox::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* box = reinterpret_cast<EditBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        WNDPROC platform = box->platformProcedure_;
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platform));
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        box->handle_ = nullptr;
        return CallWindowProcW(platform, window, message, wParam, lParam);
    }
    return box->HandleMessage(message, wParam, lParam);
}

LRESULT EditBox::Platform(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(platformProcedure_, handle_, message, wParam, lParam);
}

LRESULT EditBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kReflectedMessage + WM_CTLCOLOREDIT:
    case kReflectedMessage + WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, static_cast<COLORREF>(kEditBoxTextColour));
        SetBkColor(dc, static_cast<COLORREF>(kEditBoxBackgroundColour));
        return reinterpret_cast<LRESULT>(background_.Get());
    }
    case WM_NCCALCSIZE: {
        LRESULT result = Platform(message, wParam, lParam);
        RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                              : *reinterpret_cast<RECT*>(lParam);
        CentreOneLine(client);
        return result;
    }
    case WM_SETFONT: {
        LRESULT result = Platform(message, wParam, lParam);
        MeasureLine();
        return result;
    }
    case WM_NCPAINT:
        PaintBands();
        return Platform(message, wParam, lParam);
    default:
        return Platform(message, wParam, lParam);
    }
}

// Cuts the client area to one line of the font, so that the platform draws the
// text in the middle and the bands above and below belong to the frame.
void EditBox::CentreOneLine(RECT& client) const
{
    LONG inside = client.bottom - client.top;
    if (lineHeight_ <= 0 || lineHeight_ >= inside)
        return;
    client.top += (inside - lineHeight_) / 2;
    client.bottom = client.top + lineHeight_;
}

// The height of "W" in the box's font. Measured when the font is set, not at
// each client-area calculation, which the platform makes on every text change.
void EditBox::MeasureLine()
{
    WindowDc dc(handle_);
    auto font = reinterpret_cast<HGDIOBJ>(Platform(WM_GETFONT, 0, 0));
    SelectedObject selected(dc.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    SIZE line{};
    GetTextExtentPoint32W(dc.Get(), L"W", 1, &line);
    lineHeight_ = line.cy;
}

// Fills everything outside the client area with the background, under the
// sunken edge that the platform draws afterwards.
void EditBox::PaintBands()
{
    WindowDc frame(handle_, WindowDc::WholeWindow);
    HDC dc = frame.Get();
    if (!dc)
        return;
    RECT window, client;
    GetWindowRect(handle_, &window);
    GetClientRect(handle_, &client);
    MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    FillRect(dc, &window, background_.Get());
}
