// The baseline the picker is measured against: the least a program with the
// same window can do. It registers a class, creates and shows a 791 x 589
// window and paints it; a 512 x 512 child box paints a plain gradient, and a
// press on the box does one GetPixel, three SetWindowText calls and one
// invalidate, as a pick must at the least.

#include <windows.h>

#include <cstdio>

namespace {

HWND edits[3];
HWND caption;
COLORREF picked = RGB(240, 240, 240);

LRESULT CALLBACK BoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        for (int x = 0; x < 512; ++x) {
            HBRUSH brush = CreateSolidBrush(RGB(x / 2, 255 - x / 2, 128));
            RECT column{x, 0, x + 1, 512};
            FillRect(dc, &column, brush);
            DeleteObject(brush);
        }
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_LBUTTONDOWN) {
        HDC dc = GetDC(window);
        picked = GetPixel(dc, LOWORD(lParam), HIWORD(lParam));
        ReleaseDC(window, dc);
        char text[16];
        wsprintfA(text, "%d", static_cast<int>(picked));
        SetWindowTextA(edits[0], text);
        wsprintfA(text, "%X", static_cast<unsigned>(picked));
        SetWindowTextA(edits[1], text);
        wsprintfA(text, "#%02X%02X%02X", GetRValue(picked), GetGValue(picked), GetBValue(picked));
        SetWindowTextA(edits[2], text);
        InvalidateRect(caption, nullptr, FALSE);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CaptionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(picked);
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE)
        DestroyWindow(window);
    return DefWindowProcW(window, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    Register(L"BareWindow", &WindowProcedure);
    Register(L"BareBox", &BoxProcedure);
    Register(L"BareCaption", &CaptionProcedure);
    int left = (GetSystemMetrics(SM_CXSCREEN) - 791) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - 589) / 2;
    HWND window = CreateWindowExW(0, L"BareWindow", L"Bare window", WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                  left, top, 791, 589, nullptr, nullptr, instance, nullptr);
    CreateWindowExW(0, L"BareBox", L"", WS_CHILD | WS_VISIBLE, 8, 8, 512, 512, window,
                    reinterpret_cast<HMENU>(1), instance, nullptr);
    caption = CreateWindowExW(0, L"BareCaption", L"", WS_CHILD | WS_VISIBLE, 32, 528, 48, 24, window,
                              reinterpret_cast<HMENU>(2), instance, nullptr);
    for (int i = 0; i < 3; ++i)
        edits[i] = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                   80 + 168 * i, 528, 96, 24, window,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(10 + i)), instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
