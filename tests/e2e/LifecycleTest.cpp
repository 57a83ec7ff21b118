#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace {

constexpr unsigned kEditBox1 = 0x16011528;
constexpr unsigned kEditBox2 = 0x1601152B;
constexpr unsigned kEditBox3 = 0x1601152D;
constexpr unsigned kPicBox2 = 0x16011522;

constexpr wchar_t kTitle[] = L"Vantoril\u53D6\u8272\u5668-www.vantoril.example";
constexpr int kWidth = 791;
constexpr int kHeight = 589;
constexpr DWORD kFatalExitCode = 0xFFFFFFFF;

struct Found {
    DWORD processId;
    const wchar_t* className;
    HWND window;
};

BOOL CALLBACK MatchOnDesktop(HWND window, LPARAM lParam)
{
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    // IsWindowVisible answers false for a window on another desktop: read the style.
    const bool visible = (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (owner == found->processId && visible && wcscmp(name, found->className) == 0) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// A Wine virtual desktop of a given size. Wine sizes a named desktop from
// HKCU\Software\Wine\Explorer\Desktops when its first window appears; the
// entry goes again with this object, and the key too if it was not there.
class VirtualDesktop {
public:
    VirtualDesktop(const wchar_t* name, int width, int height) : name_(name)
    {
        DWORD disposition = 0;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key_, &disposition);
        createdKey_ = disposition == REG_CREATED_NEW_KEY;
        const std::wstring size = std::to_wstring(width) + L"x" + std::to_wstring(height);
        RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(size.c_str()),
                       static_cast<DWORD>((size.size() + 1) * sizeof(wchar_t)));
    }
    VirtualDesktop(const VirtualDesktop&) = delete;
    VirtualDesktop& operator=(const VirtualDesktop&) = delete;
    ~VirtualDesktop()
    {
        RegDeleteValueW(key_, name_.c_str());
        RegCloseKey(key_);
        if (createdKey_)
            RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops");
    }

    const std::wstring& Name() const { return name_; }

private:
    std::wstring name_;
    HKEY key_ = nullptr;
    bool createdKey_ = false;
};

// The program started on a desktop of its own, found there by enumerating
// that desktop's windows (EnumWindows sees only the test's own desktop).
class ProgramOnDesktop {
public:
    ProgramOnDesktop(const std::wstring& path, const std::wstring& desktop) : desktop_(desktop)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.lpDesktop = desktop_.data();
        std::wstring commandLine = L"\"" + path + L"\"";
        CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process_);
    }
    ProgramOnDesktop(const ProgramOnDesktop&) = delete;
    ProgramOnDesktop& operator=(const ProgramOnDesktop&) = delete;
    ~ProgramOnDesktop()
    {
        if (!process_.hProcess)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    HWND WaitForWindow(DWORD timeoutMs = 10000)
    {
        for (DWORD waited = 0; waited <= timeoutMs; waited += 50) {
            const ACCESS_MASK access = DESKTOP_READOBJECTS | DESKTOP_ENUMERATE;
            if (HDESK desk = OpenDesktopW(desktop_.c_str(), 0, FALSE, access)) {
                Found found{process_.dwProcessId, L"ColourPickerWindow", nullptr};
                EnumDesktopWindows(desk, &MatchOnDesktop, reinterpret_cast<LPARAM>(&found));
                CloseDesktop(desk);
                if (found.window)
                    return found.window;
            }
            if (WaitForSingleObject(process_.hProcess, 0) != WAIT_TIMEOUT)
                return nullptr;
            Sleep(50);
        }
        return nullptr;
    }

    DWORD WaitForExit(DWORD timeoutMs = 10000)
    {
        WaitForSingleObject(process_.hProcess, timeoutMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    std::wstring desktop_;
    PROCESS_INFORMATION process_{};
};

// Outer rectangle as {left, top, width, height}.
struct Placement {
    long left, top, width, height;
    friend bool operator==(Placement a, Placement b)
    {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    }
};

std::ostream& operator<<(std::ostream& out, Placement p)
{
    return out << "(" << p.left << ", " << p.top << ") " << p.width << " x " << p.height;
}

Placement PlacementOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::wstring TitleOf(HWND window)
{
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    return title;
}

using driver::WaitUntil;

bool BringToForeground(HWND window)
{
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; });
}

// A real press into 编辑框2; true once it holds the focus.
bool FocusEditBox2(HWND window)
{
    HWND box = driver::ControlOf(window, kEditBox2);
    driver::Press(driver::ScreenPoint(box, 5, 5));
    return WaitUntil([&] { return driver::FocusOf(window) == box; });
}

void CloseWithButton(HWND window)
{
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

struct PlacementCase {
    const char* name;
    const wchar_t* desktop;  // a Wine virtual desktop, or null for the X screen itself
    int screenWidth;
    int screenHeight;
    Placement expected;
};

// Centred by signed division and never clamped, and always 791 x 589, also
// where the screen is smaller than the window.
TEST(MainWindowLife, IsCentredAtItsFixedSizeWithAFixedFrameAndItsTitle)
{
    const PlacementCase cases[] = {
        {"X screen 1024 x 768", nullptr, 1024, 768, {116, 89, kWidth, kHeight}},
        {"virtual desktop 640 x 480", L"LifecycleSmall", 640, 480, {-75, -54, kWidth, kHeight}},
        {"virtual desktop 1024 x 768", L"LifecycleLarge", 1024, 768, {116, 89, kWidth, kHeight}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<VirtualDesktop> desktop;
        if (c.desktop) {
            desktop = std::make_unique<VirtualDesktop>(c.desktop, c.screenWidth, c.screenHeight);
        } else {
            ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), c.screenWidth);
            ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), c.screenHeight);
        }
        ProgramOnDesktop program(driver::ProgramPath(), c.desktop ? c.desktop : L"Default");
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr);

        EXPECT_EQ(PlacementOf(window), c.expected);
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        for (LONG wanted : {WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_CLIPCHILDREN})
            EXPECT_EQ(style & wanted, wanted) << std::hex << "style 0x" << style << " lacks 0x" << wanted;
        for (LONG unwanted : {WS_THICKFRAME, WS_MAXIMIZEBOX})
            EXPECT_EQ(style & unwanted, 0) << std::hex << "style 0x" << style << " has 0x" << unwanted;
        EXPECT_TRUE(TitleOf(window) == kTitle) << "title differs";

        CloseWithButton(window);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

class RunningProgram : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.Started());
        window_ = program_.WaitForWindow();
        ASSERT_NE(window_, nullptr);
    }

    // Closes it the ordinary way and checks it ends with 0.
    void CloseAndExpectExitCodeZero()
    {
        CloseWithButton(window_);
        EXPECT_EQ(program_.WaitForExit(), 0u);
    }

    driver::Program program_{driver::ProgramPath()};
    HWND window_ = nullptr;
};

// Neither the maximise command nor a double click on the title bar changes
// the window's size.
TEST_F(RunningProgram, CannotBeMaximised)
{
    struct Way {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Way ways[] = {
        {"double click on the title bar", WM_NCLBUTTONDBLCLK, HTCAPTION},
        {"maximise command", WM_SYSCOMMAND, SC_MAXIMIZE},
    };
    for (const auto& way : ways) {
        const Placement before = PlacementOf(window_);
        const POINT caption{before.left + before.width / 2, before.top + 8};
        SendMessageW(window_, way.message, way.wParam, MAKELPARAM(caption.x, caption.y));
        EXPECT_FALSE(IsZoomed(window_)) << way.name;
        EXPECT_EQ(PlacementOf(window_), before) << way.name;
        if (IsZoomed(window_))
            SendMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
    }
    CloseAndExpectExitCodeZero();
}

// The frame has no sizing border: no point of its edge hits as one.
TEST_F(RunningProgram, HasNoSizingBorder)
{
    RECT r{};
    GetWindowRect(window_, &r);
    const LONG midX = (r.left + r.right) / 2;
    const LONG midY = (r.top + r.bottom) / 2;
    const POINT edges[] = {
        {r.left, midY},         {r.right - 1, midY},   {midX, r.top},         {midX, r.bottom - 1},
        {r.left, r.top},        {r.right - 1, r.top},  {r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1},
        {r.left + 2, midY},     {r.right - 3, midY},   {midX, r.bottom - 3},
    };
    for (POINT at : edges) {
        const LRESULT hit = SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
        EXPECT_FALSE(hit >= HTSIZEFIRST && hit <= HTSIZELAST)
            << "sizing hit " << hit << " at (" << at.x << ", " << at.y << ")";
    }
    CloseAndExpectExitCodeZero();
}

TEST_F(RunningProgram, SystemMenuKeepsMoveAndClose)
{
    HMENU menu = GetSystemMenu(window_, FALSE);
    if (!menu)
        GTEST_SKIP() << "Wine gives no system menu of another process's window";
    EXPECT_NE(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    CloseAndExpectExitCodeZero();
}

// A minimised window keeps the program running; restored, it closes as usual.
TEST_F(RunningProgram, KeepsRunningWhileMinimised)
{
    PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window_) != FALSE; })) << "not minimised";
    EXPECT_TRUE(program_.Running());

    PostMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(window_); })) << "not restored";
    EXPECT_EQ(PlacementOf(window_), (Placement{116, 89, kWidth, kHeight}));
    EXPECT_TRUE(program_.Running());
    CloseAndExpectExitCodeZero();
}

struct CloseCase {
    const char* name;
    bool inEditBox2;  // a real press into 编辑框2 first, so that it has the focus
    void (*close)(HWND window);
};

void CloseWithSystemMenu(HWND window)
{
    driver::Key(VK_SPACE, {VK_MENU});
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (WaitUntil([&] { return driver::FindProcessWindow(processId, L"#32768") != nullptr; }))
        driver::Key('C');
}

void CloseWithAltF4(HWND)
{
    driver::Key(VK_F4, {VK_MENU});
}

void CloseWithEsc(HWND)
{
    driver::Key(VK_ESCAPE);
}

TEST(MainWindowLife, EveryWayOfClosingEndsWithExitCodeZero)
{
    const CloseCase cases[] = {
        {"close button", false, &CloseWithButton},
        {"Close in the system menu", false, &CloseWithSystemMenu},
        {"Alt+F4", false, &CloseWithAltF4},
        {"Esc right after start-up", false, &CloseWithEsc},
        {"Esc in 编辑框2", true, &CloseWithEsc},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        driver::Program program(driver::ProgramPath());
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(BringToForeground(window)) << "not in the foreground";
        if (c.inEditBox2) {
            ASSERT_TRUE(FocusEditBox2(window)) << "编辑框2 did not take the focus";
        }
        c.close(window);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

struct KeyCase {
    const char* name;
    WORD key;
    WORD modifier;  // 0 for none
};

// Keys that must change nothing. Each is followed by a typed "x": input is
// handled in order, so once the x shows, the key has been handled too; it
// lands in 编辑框2 only if the focus stayed there, and in no box when the
// window itself kept the focus.
TEST(MainWindowLife, TabShiftTabAndShiftEscChangeNothing)
{
    const KeyCase keys[] = {
        {"Tab", VK_TAB, 0},
        {"Shift+Tab", VK_TAB, VK_SHIFT},
        {"Shift+Esc", VK_ESCAPE, VK_SHIFT},
    };
    for (const auto& k : keys)
        for (bool inEditBox2 : {false, true}) {
            SCOPED_TRACE(std::string(k.name) + (inEditBox2 ? " in 编辑框2" : " after start-up"));
            driver::Program program(driver::ProgramPath());
            HWND window = program.WaitForWindow();
            ASSERT_NE(window, nullptr);
            ASSERT_TRUE(BringToForeground(window)) << "not in the foreground";
            if (inEditBox2) {
                ASSERT_TRUE(FocusEditBox2(window)) << "编辑框2 did not take the focus";
            }
            const HWND focusBefore = driver::FocusOf(window);

            if (k.modifier)
                driver::Key(k.key, {k.modifier});
            else
                driver::Key(k.key);
            driver::TypeText(L"x");

            HWND box2 = driver::ControlOf(window, kEditBox2);
            if (inEditBox2) {
                EXPECT_TRUE(driver::WaitForText(box2, "x")) << "编辑框2 shows " << driver::TextOf(box2);
            } else {
                ASSERT_TRUE(FocusEditBox2(window)) << "编辑框2 did not take the focus";
                driver::TypeText(L"y");
                EXPECT_TRUE(driver::WaitForText(box2, "y")) << "编辑框2 shows " << driver::TextOf(box2);
                for (unsigned other : {kEditBox1, kEditBox3})
                    EXPECT_EQ(driver::TextOf(driver::ControlOf(window, other)), "");
            }
            if (inEditBox2) {
                EXPECT_EQ(driver::FocusOf(window), focusBefore);
            }
            EXPECT_TRUE(program.Running());
            EXPECT_EQ(PlacementOf(window), (Placement{116, 89, kWidth, kHeight}));
            CloseWithButton(window);
            EXPECT_EQ(program.WaitForExit(), 0u);
        }
}

struct FaultCase {
    const char* name;
    const wchar_t* fault;
    bool pickFirst;  // the failure comes with a press on 图片框2
};

// A fatal failure shows a message box with no owner and, once it is
// dismissed, ends the process with -1. The window of a failed build is never
// shown; a failed pick writes no text and leaves no window behind.
TEST(MainWindowLife, FatalFailureShowsAnOwnerlessBoxAndEndsWithMinusOne)
{
    const FaultCase cases[] = {
        {"main window refused", L"create-window:1", false},
        {"a control refused", L"create-window:3", false},
        {"first text of a pick missing", L"text:1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        driver::Program program(driver::FaultProgramPath(), c.fault);
        ASSERT_TRUE(program.Started());
        HWND window = nullptr;
        if (c.pickFirst) {
            window = program.WaitForWindow();
            ASSERT_NE(window, nullptr);
            driver::Press(driver::ScreenPoint(driver::ControlOf(window, kPicBox2), 10, 10));
        }
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (box = driver::FindProcessWindow(program.Id(), L"#32770")) != nullptr; },
                            10000))
            << "no message box";
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        if (c.pickFirst) {
            for (unsigned id : {kEditBox1, kEditBox2, kEditBox3})
                EXPECT_EQ(driver::TextOf(driver::ControlOf(window, id)), "") << std::hex << "box 0x" << id;
        } else {
            EXPECT_EQ(driver::FindProcessWindow(program.Id(), L"ColourPickerWindow"), nullptr)
                << "the window of a failed build is shown";
        }
        EXPECT_TRUE(program.Running()) << "ended before the box was dismissed";

        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(program.WaitForExit(), kFatalExitCode);
        if (window) {
            EXPECT_FALSE(IsWindow(window));
        }
    }
}

} // namespace
