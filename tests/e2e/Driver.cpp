#include "tests/e2e/Driver.h"

#include <algorithm>
#include <vector>

namespace driver {
namespace {

std::wstring programPath;
std::wstring faultProgramPath;

std::wstring WinePath(const char* unixPath)
{
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

// Wine maps an absolute coordinate back as (dx * width) >> 16: round up so
// that it lands on the intended pixel.
LONG Absolute(LONG value, int extent)
{
    return static_cast<LONG>((static_cast<long long>(value) * 65536 + extent - 1) / extent);
}

INPUT MouseInput(POINT screen, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = Absolute(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Absolute(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

struct Search {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (owner == search->processId && IsWindowVisible(window) && wcscmp(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void SetProgramPaths(int argc, char** argv)
{
    if (argc > 1)
        programPath = WinePath(argv[1]);
    if (argc > 2)
        faultProgramPath = WinePath(argv[2]);
}

std::wstring ProgramPath()
{
    return programPath;
}

std::wstring FaultProgramPath()
{
    return faultProgramPath;
}

Program::Program(const std::wstring& path, const wchar_t* fault)
{
    SetEnvironmentVariableW(L"COLOURPICKER_FAULT", fault);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + path + L"\"";
    CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                   &startup, &process_);
    SetEnvironmentVariableW(L"COLOURPICKER_FAULT", nullptr);
}

Program::~Program()
{
    if (!process_.hProcess)
        return;
    if (Running()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND Program::WaitForWindow(DWORD timeoutMs)
{
    for (DWORD waited = 0; waited <= timeoutMs; waited += 50) {
        if (HWND window = FindProcessWindow(process_.dwProcessId, L"ColourPickerWindow"))
            return window;
        if (!Running())
            return nullptr;
        Sleep(50);
    }
    return nullptr;
}

DWORD Program::WaitForExit(DWORD timeoutMs)
{
    WaitForSingleObject(process_.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

bool Program::Running()
{
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className)
{
    Search search{processId, className, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ControlOf(HWND mainWindow, unsigned id)
{
    return GetDlgItem(mainWindow, static_cast<int>(id));
}

POINT ScreenPoint(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void Press(POINT screen, DWORD down, DWORD up)
{
    INPUT inputs[] = {MouseInput(screen, down), MouseInput(screen, up)};
    SendInput(2, inputs, sizeof(INPUT));
}

void MoveTo(POINT screen)
{
    INPUT input = MouseInput(screen, 0);
    SendInput(1, &input, sizeof(INPUT));
}

void Key(WORD virtualKey, std::initializer_list<WORD> modifiers)
{
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers)
        inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    for (auto it = modifiers.end(); it != modifiers.begin();)
        inputs.push_back(KeyInput(*--it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const wchar_t* text)
{
    std::vector<INPUT> inputs;
    for (const wchar_t* c = text; *c; ++c)
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = *c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseEvent(POINT screen, DWORD flags)
{
    return MouseInput(screen, flags);
}

INPUT KeyEvent(WORD virtualKey, bool up)
{
    return KeyInput(virtualKey, up);
}

void SendEvents(const std::vector<INPUT>& events)
{
    std::vector<INPUT> copy = events;
    SendInput(static_cast<UINT>(copy.size()), copy.data(), sizeof(INPUT));
}

COLORREF ScreenPixel(POINT screen)
{
    HDC dc = GetDC(nullptr);
    COLORREF colour = GetPixel(dc, screen.x, screen.y);
    ReleaseDC(nullptr, dc);
    return colour;
}

bool WaitForScreenPixel(POINT screen, COLORREF colour, DWORD timeoutMs)
{
    return WaitUntil([&] { return ScreenPixel(screen) == colour; }, timeoutMs);
}

std::vector<COLORREF> ScreenArea(POINT topLeft, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits)
        return {};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, width, height, screen, topLeft.x, topLeft.y, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> colours;
    if (copied) {
        // A DIB word is 0x00RRGGBB; a COLORREF has red in the low byte.
        const auto* words = static_cast<const DWORD*>(bits);
        colours.reserve(static_cast<std::size_t>(width) * height);
        for (int i = 0; i < width * height; ++i)
            colours.push_back(RGB(GetBValue(words[i]), GetGValue(words[i]), GetRValue(words[i])));
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return colours;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

std::string TextOf(HWND window)
{
    char text[256] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

bool WaitForText(HWND window, const std::string& expected, DWORD timeoutMs)
{
    return WaitUntil([&] { return TextOf(window) == expected; }, timeoutMs);
}

void Settle(DWORD ms)
{
    Sleep(ms);
}

} // namespace driver
