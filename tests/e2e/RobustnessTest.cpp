// Robustness of the real program under a long run of real presses, a stream
// of nonsense messages and an oversized text in a read-out box. The counts
// and the seed can be set from the environment, so that a benchmark can run
// the same storm at length (COLOURPICKER_STORM_PRESSES, COLOURPICKER_FUZZ_MESSAGES,
// COLOURPICKER_SEED).

#include "tests/e2e/Driver.h"

#include "colour/ColourText.h"
#include "colour/FieldColour.h"
#include "window/WindowDescription.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

unsigned Setting(const char* name, unsigned fallback)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return fallback;
    return static_cast<unsigned>(std::strtoul(value, nullptr, 0));
}

std::string Str(const Text& text)
{
    return std::string(text.Bytes(), text.Length());
}

template <typename Condition>
bool PollUntil(Condition condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(2);
    }
}

LRESULT TextLength(HWND window)
{
    return SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
}

struct Usage {
    SIZE_T workingSet = 0;
    SIZE_T pagefile = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

Usage UsageOf(DWORD processId)
{
    Usage usage;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process)
        return usage;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (K32GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        usage.workingSet = counters.WorkingSetSize;
        usage.pagefile = counters.PagefileUsage;
    }
    usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    return usage;
}

struct PictureBox {
    const char* name;
    unsigned id;
    FieldPicture picture;
};

constexpr PictureBox kSquare = {"图片框2", kPicBox2Id, FieldPicture::Square};
constexpr PictureBox kStrip = {"图片框1", kPicBox1Id, FieldPicture::Strip};

class Robustness : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.Started()) << "could not start the program";
        window_ = program_.WaitForWindow();
        ASSERT_NE(window_, nullptr) << "the program showed no window";
        const unsigned seed = Setting("COLOURPICKER_SEED", 20240611);
        std::printf("seed %u (COLOURPICKER_SEED)\n", seed);
        RecordProperty("seed", static_cast<int>(seed));
        random_.seed(seed);
        // Input comes before paint: a press that beats the pictures' first
        // paint would read a surface not yet drawn.
        for (const auto& [box, x, y] : {std::tuple{&kSquare, 511, 0}, std::tuple{&kSquare, 256, 256},
                                        std::tuple{&kStrip, 0, 0}, std::tuple{&kStrip, 128, 255}})
            ASSERT_TRUE(driver::WaitForScreenPixel(driver::ScreenPoint(Control(box->id), x, y),
                                                   static_cast<COLORREF>(FieldPictureColour(box->picture, x, y)),
                                                   5000))
                << box->name << " does not show its picture at (" << x << ", " << y << ")";
    }

    HWND Control(unsigned id) const { return driver::ControlOf(window_, id); }

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // What the three read-out boxes hold, joined for a failure message.
    std::string Shown() const
    {
        return "\"" + driver::TextOf(Control(kEditBox1Id)) + "\", \"" + driver::TextOf(Control(kEditBox2Id)) +
               "\", \"" + driver::TextOf(Control(kEditBox3Id)) + "\"";
    }

    bool ShowsDecimalOf(ColourValue colour, DWORD timeoutMs) const
    {
        return driver::WaitForText(Control(kEditBox1Id), Str(DecimalColourText(colour)), timeoutMs);
    }

    bool BringToFront()
    {
        return PollUntil(
            [this] {
                SetForegroundWindow(window_);
                return GetForegroundWindow() == window_;
            },
            3000);
    }

    driver::Program program_{driver::ProgramPath()};
    HWND window_ = nullptr;
    std::mt19937 random_;
};

// Presses alternate between the two pictures, so no two in a row can make a
// double click (that needs the same window). They go in bursts without
// waiting; the last press of a burst is drawn to change the decimal text, so
// seeing it shows the whole burst was handled.
TEST_F(Robustness, PickStormEndsShowingTheLastPick)
{
    const unsigned presses = Setting("COLOURPICKER_STORM_PRESSES", 300);
    constexpr unsigned kBurst = 10;
    std::printf("%u presses (COLOURPICKER_STORM_PRESSES)\n", presses);
    ASSERT_GT(presses, 0u);
    const Usage before = UsageOf(program_.Id());

    std::string shown = driver::TextOf(Control(kEditBox1Id));
    ColourValue last = 0;
    for (unsigned i = 0; i < presses; ++i) {
        const PictureBox& box = i % 2 ? kStrip : kSquare;
        const PictureSize size = FieldPictureSize(box.picture);
        const bool lastOfBurst = (i + 1) % kBurst == 0 || i + 1 == presses;
        int x = 0;
        int y = 0;
        do {
            x = Uniform(0, size.width - 1);
            y = Uniform(0, size.height - 1);
            last = FieldPictureColour(box.picture, x, y);
        } while (lastOfBurst && Str(DecimalColourText(last)) == shown);
        driver::Press(driver::ScreenPoint(Control(box.id), x, y));
        if (!lastOfBurst)
            continue;
        ASSERT_TRUE(ShowsDecimalOf(last, 5000))
            << "press " << i << " on " << box.name << " at (" << x << ", " << y << ") should show "
            << DecimalColourText(last).Bytes() << "; boxes hold " << Shown()
            << (program_.Running() ? "" : "; the program has ended");
        shown = Str(DecimalColourText(last));
    }

    ASSERT_TRUE(program_.Running());
    EXPECT_TRUE(driver::WaitForText(Control(kEditBox2Id), Str(HexColourText(last))))
        << "boxes hold " << Shown();
    EXPECT_TRUE(driver::WaitForText(Control(kEditBox3Id), Str(HtmlColourText(last))))
        << "boxes hold " << Shown();
    // Above the caption's glyphs, and the window's left margin.
    const POINT caption = driver::ScreenPoint(Control(kLabel1Id), 2, 1);
    const POINT margin = driver::ScreenPoint(window_, 2, 2);
    EXPECT_TRUE(driver::WaitForScreenPixel(caption, static_cast<COLORREF>(last)))
        << "caption shows " << std::hex << driver::ScreenPixel(caption) << ", picked " << last;
    EXPECT_TRUE(driver::WaitForScreenPixel(margin, static_cast<COLORREF>(last)))
        << "margin shows " << std::hex << driver::ScreenPixel(margin) << ", picked " << last;

    const Usage after = UsageOf(program_.Id());
    std::printf("working set %lu KiB -> %lu KiB, pagefile %lu KiB -> %lu KiB, "
                "GDI objects %lu -> %lu, USER objects %lu -> %lu\n",
                static_cast<unsigned long>(before.workingSet / 1024),
                static_cast<unsigned long>(after.workingSet / 1024),
                static_cast<unsigned long>(before.pagefile / 1024),
                static_cast<unsigned long>(after.pagefile / 1024),
                static_cast<unsigned long>(before.gdiObjects), static_cast<unsigned long>(after.gdiObjects),
                static_cast<unsigned long>(before.userObjects), static_cast<unsigned long>(after.userObjects));
    RecordProperty("working_set_before", static_cast<int>(before.workingSet));
    RecordProperty("working_set_after", static_cast<int>(after.workingSet));
    RecordProperty("pagefile_before", static_cast<int>(before.pagefile));
    RecordProperty("pagefile_after", static_cast<int>(after.pagefile));
    // Sanity bounds only, against a runaway leak; the figures themselves
    // belong to the benchmarks. Wine counts no GDI or USER objects (0).
    ASSERT_GT(before.pagefile, 0u) << "could not read the program's memory use";
    constexpr SIZE_T kGrowthBound = 8 * 1024 * 1024;
    EXPECT_LT(after.pagefile, before.pagefile + kGrowthBound);
    EXPECT_LT(after.workingSet, before.workingSet + kGrowthBound);
    EXPECT_LT(after.gdiObjects, before.gdiObjects + 16);
    EXPECT_LT(after.userObjects, before.userObjects + 16);
}

struct Target {
    HWND window;
    const char* name;
};

struct Posted {
    Target target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

const char* MessageName(UINT message)
{
    switch (message) {
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
    case WM_MOUSEWHEEL: return "WM_MOUSEWHEEL";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    default: return "?";
    }
}

// Keys left out of the stream because the platform rightly closes the window
// for them or enters a modal menu or move loop (Esc, Alt+F4, F10 and Alt
// releases start the system menu's keyboard mode).
bool ClosesOrStartsMenu(UINT message, WPARAM key)
{
    switch (key) {
    case VK_ESCAPE:
    case VK_F4:
        return message != WM_KEYUP;
    case VK_F10:
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        return true;
    default:
        return false;
    }
}

// System keys are only those that make no character: with Alt set in lParam,
// a character goes to the system menu as its mnemonic (Alt+C closes, Alt+M
// starts a move loop).
bool MakesNoCharacter(WPARAM key)
{
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE ||
           (key >= VK_F1 && key <= VK_F24) || key == VK_SHIFT || key == VK_CONTROL || key == VK_NUMLOCK ||
           key == VK_SCROLL || key == VK_CAPITAL;
}

class MessageFuzz : public Robustness {
protected:
    void SetUp() override
    {
        Robustness::SetUp();
        if (HasFatalFailure())
            return;
        // Characters 0x16 in the stream paste: an empty clipboard keeps them
        // from filling the boxes with a long text that makes every later
        // keystroke slow in the platform's edit control.
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        targets_.push_back({window_, "MainWindow"});
        for (const ControlDescription& control : kControls)
            targets_.push_back({Control(control.id), control.name});
    }

    LPARAM Position(const Target& target)
    {
        RECT client{};
        GetClientRect(target.window, &client);
        switch (Uniform(0, 6)) {
        case 0: return static_cast<LPARAM>(random_());
        case 1: return static_cast<LPARAM>(0xFFFFFFFFu);   // 65535, 65535 taken unsigned
        case 2: return MAKELPARAM(-Uniform(1, 40000), -Uniform(1, 40000));
        case 3: return MAKELPARAM(Uniform(30000, 65535), Uniform(30000, 65535));
        case 4: return MAKELPARAM(Uniform(0, 7), Uniform(0, 7));   // the main window's margin
        default: return MAKELPARAM(Uniform(0, client.right), Uniform(0, client.bottom));
        }
    }

    WPARAM KeyFor(UINT message)
    {
        for (;;) {
            WPARAM key = static_cast<WPARAM>(Uniform(1, 254));
            if (message == WM_SYSKEYDOWN && !MakesNoCharacter(key))
                continue;
            if (!ClosesOrStartsMenu(message, key))
                return key;
        }
    }

    Posted Next()
    {
        static constexpr UINT kMessages[] = {
            WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
            WM_MBUTTONDOWN, WM_MOUSEWHEEL, WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN,
        };
        Posted posted{};
        posted.target = targets_[static_cast<std::size_t>(Uniform(0, static_cast<int>(targets_.size()) - 1))];
        posted.message = kMessages[Uniform(0, static_cast<int>(std::size(kMessages)) - 1)];
        switch (posted.message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
            posted.wParam = KeyFor(posted.message);
            posted.lParam = static_cast<LPARAM>(random_());
            break;
        case WM_CHAR:
            posted.wParam = Uniform(0, 1) ? static_cast<WPARAM>(Uniform(0, 0xFFFF)) : static_cast<WPARAM>(random_());
            posted.lParam = static_cast<LPARAM>(random_());
            break;
        case WM_MOUSEWHEEL:
            posted.wParam = MAKEWPARAM(Uniform(0, 0x7F), Uniform(-32768, 32767));
            posted.lParam = Position(posted.target);
            break;
        default:
            posted.wParam = Uniform(0, 1) ? static_cast<WPARAM>(Uniform(0, 0x7F)) : static_cast<WPARAM>(random_());
            posted.lParam = Position(posted.target);
            break;
        }
        return posted;
    }

    // Paces the stream: the program must answer a sent message, and a press
    // posted to the square picture after the batch must pick, which shows
    // that every message posted before it has been handled. The two marks
    // alternate so that each one changes the decimal text.
    bool BatchHandled(unsigned batch)
    {
        const POINT mark = batch % 2 ? POINT{256, 256} : POINT{128, 64};
        const ColourValue colour = FieldPictureColour(FieldPicture::Square, mark.x, mark.y);
        DWORD_PTR result = 0;
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (!SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
                return false;
            // A press that ends a menu opened by the stream may be taken by the
            // menu: post the mark again.
            PostMessageW(Control(kPicBox2Id), WM_LBUTTONDOWN, 0, MAKELPARAM(mark.x, mark.y));
            PostMessageW(Control(kPicBox2Id), WM_LBUTTONUP, 0, MAKELPARAM(mark.x, mark.y));
            if (ShowsDecimalOf(colour, 500))
                return true;
        }
        return false;
    }

    std::vector<Target> targets_;
};

std::string Describe(const std::vector<Posted>& posted, std::size_t from)
{
    std::string text;
    char line[160];
    for (std::size_t i = from; i < posted.size(); ++i) {
        std::snprintf(line, sizeof line, "  #%u %s to %s wParam %08lX lParam %08lX\n", static_cast<unsigned>(i),
                      MessageName(posted[i].message), posted[i].target.name,
                      static_cast<unsigned long>(posted[i].wParam), static_cast<unsigned long>(posted[i].lParam));
        text += line;
    }
    return text;
}

// Nonsense mouse and keyboard messages to the window and every control, in
// paced batches; afterwards a real Esc must still end the program cleanly.
TEST_F(MessageFuzz, StreamOfMessagesLeavesTheProgramClosable)
{
    const unsigned count = Setting("COLOURPICKER_FUZZ_MESSAGES", 2000);
    constexpr unsigned kBatch = 100;
    std::printf("%u messages (COLOURPICKER_FUZZ_MESSAGES)\n", count);
    std::vector<Posted> posted;
    posted.reserve(count);
    for (unsigned batch = 0; posted.size() < count; ++batch) {
        const std::size_t first = posted.size();
        while (posted.size() < count && posted.size() - first < kBatch) {
            posted.push_back(Next());
            const Posted& p = posted.back();
            ASSERT_TRUE(PostMessageW(p.target.window, p.message, p.wParam, p.lParam))
                << "could not post (error " << GetLastError() << "); the batch so far:\n"
                << Describe(posted, first);
        }
        ASSERT_TRUE(BatchHandled(batch))
            << (program_.Running() ? "the program stopped answering" : "the program ended")
            << " after this batch:\n" << Describe(posted, first);
    }

    ASSERT_TRUE(program_.Running());
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &gui));
    EXPECT_EQ(gui.flags & (GUI_INMENUMODE | GUI_INMOVESIZE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE), 0u)
        << "left in a menu or move loop, flags " << gui.flags;
    ASSERT_TRUE(BringToFront());
    driver::Key(VK_ESCAPE);
    EXPECT_EQ(program_.WaitForExit(5000), 0u) << "Esc did not end the program";
}

// A text far longer than any pick writes, pasted by the user into the decimal
// box, must be held whole and then replaced by the next pick. The clipboard
// is filled from this process; Wine shares it between processes.
TEST_F(Robustness, LongPastedTextIsReplacedByTheNextPick)
{
    constexpr std::size_t kLength = 30000;
    std::wstring text;
    for (std::size_t i = 0; i < kLength; ++i)
        text += static_cast<wchar_t>(L'0' + i % 10);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (kLength + 1) * sizeof(wchar_t));
    ASSERT_NE(memory, nullptr);
    std::wmemcpy(static_cast<wchar_t*>(GlobalLock(memory)), text.c_str(), kLength + 1);
    GlobalUnlock(memory);
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    ASSERT_TRUE(placed);

    HWND box = Control(kEditBox1Id);
    ASSERT_TRUE(BringToFront());
    RECT frame{};
    GetWindowRect(box, &frame);
    driver::Press({(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(PollUntil(
        [&] { return GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &gui) && gui.hwndFocus == box; },
        3000))
        << "a click did not put the focus into 编辑框1";
    driver::Key('V', {VK_CONTROL});
    ASSERT_TRUE(PollUntil([&] { return TextLength(box) == static_cast<LRESULT>(kLength); }, 5000))
        << "编辑框1 holds " << TextLength(box) << " characters";
    std::wstring held(kLength + 1, L'\0');
    SendMessageW(box, WM_GETTEXT, held.size(), reinterpret_cast<LPARAM>(held.data()));
    held.resize(kLength);
    EXPECT_TRUE(held == text) << "the pasted text came back changed";

    const ColourValue colour = FieldPictureColour(FieldPicture::Square, 300, 100);
    driver::Press(driver::ScreenPoint(Control(kPicBox2Id), 300, 100));
    const std::string decimal = Str(DecimalColourText(colour));
    EXPECT_TRUE(ShowsDecimalOf(colour, 3000))
        << "the pick should show " << decimal << "; boxes hold " << Shown();
    EXPECT_EQ(TextLength(box), static_cast<LRESULT>(decimal.size()));
    EXPECT_TRUE(program_.Running());
}

} // namespace
