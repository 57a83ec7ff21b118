#include "tests/e2e/Driver.h"

#include "colour/ColourText.h"
#include "colour/FieldColour.h"
#include "window/WindowDescription.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using driver::ScreenPoint;
using driver::TextOf;
using driver::WaitForScreenPixel;
using driver::WaitForText;

struct Box {
    const char* name;
    ComponentId id;
    FieldPicture picture;
};

constexpr Box kSquare{"图片框2", kPicBox2Id, FieldPicture::Square};
constexpr Box kStrip{"图片框1", kPicBox1Id, FieldPicture::Strip};

constexpr ComponentId kLabels[] = {kLabel1Id, kLabel2Id, kLabel3Id};
constexpr ComponentId kEditBoxes[] = {kEditBox1Id, kEditBox2Id, kEditBox3Id};

std::string Bytes(const Text& text)
{
    return std::string(text.Bytes(), text.Length());
}

// What the three boxes read after a pick of colour, in box order.
std::vector<std::string> TextsFor(ColourValue colour)
{
    return {Bytes(DecimalColourText(colour)), Bytes(HexColourText(colour)),
            Bytes(HtmlColourText(colour))};
}

using driver::WaitUntil;

RECT ScreenRect(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

std::vector<COLORREF> ScreenAreaOf(HWND window)
{
    RECT rect = ScreenRect(window);
    return driver::ScreenArea({rect.left, rect.top}, rect.right - rect.left, rect.bottom - rect.top);
}

bool Shows(const std::vector<COLORREF>& area, COLORREF colour)
{
    return std::find(area.begin(), area.end(), colour) != area.end();
}

std::string Hex(unsigned long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", value);
    return text;
}

int ChannelDifference(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

// The running program's window with its controls, and the real presses on it.
class ProgramWindow {
public:
    void Start()
    {
        program_ = new driver::Program(driver::ProgramPath());
        main_ = program_->WaitForWindow();
        // A press before the first paint would read the unpainted window.
        if (main_ && !(WaitForScreenPixel(ScreenPoint(Control(kPicBox2Id), 256, 256), 0x00FFFF00, 5000) &&
                       WaitForScreenPixel(ScreenPoint(Control(kPicBox1Id), 128, 255), 0x00FFFF00, 5000)))
            main_ = nullptr;
    }
    void Stop()
    {
        delete program_;
        program_ = nullptr;
        main_ = nullptr;
    }

    HWND Main() const { return main_; }
    HWND Control(ComponentId id) const { return driver::ControlOf(main_, id); }

    // The caption's top-right pixel: the text is left-aligned and centred on
    // one line, so nothing is drawn there but the background.
    POINT CaptionBackground(ComponentId label) const
    {
        RECT rect = ScreenRect(Control(label));
        return {rect.right - 1, rect.top};
    }

    // Points of the window's own background: top-left and bottom-right margins.
    std::vector<POINT> Margins() const
    {
        RECT client;
        GetClientRect(main_, &client);
        return {ScreenPoint(main_, 2, 2), ScreenPoint(main_, client.right - 3, client.bottom - 3)};
    }

    // A left press at a client point of a control. A press that would pair with
    // the previous one into a double click first waits out the double-click time.
    void Press(HWND window, int x, int y, std::vector<INPUT> before = {}, std::vector<INPUT> after = {})
    {
        AwaitNoDoubleClick(window, x, y);
        POINT screen = ScreenPoint(window, x, y);
        std::vector<INPUT> events = before;
        events.push_back(driver::MouseEvent(screen, MOUSEEVENTF_LEFTDOWN));
        events.push_back(driver::MouseEvent(screen, MOUSEEVENTF_LEFTUP));
        events.insert(events.end(), after.begin(), after.end());
        driver::SendEvents(events);
        Remember(window, x, y);
    }

    // Two presses within the double-click time and distance.
    void DoubleClick(HWND window, int x, int y, int secondX)
    {
        AwaitNoDoubleClick(window, x, y);
        POINT first = ScreenPoint(window, x, y);
        POINT second = ScreenPoint(window, secondX, y);
        driver::SendEvents({driver::MouseEvent(first, MOUSEEVENTF_LEFTDOWN),
                            driver::MouseEvent(first, MOUSEEVENTF_LEFTUP),
                            driver::MouseEvent(second, MOUSEEVENTF_LEFTDOWN),
                            driver::MouseEvent(second, MOUSEEVENTF_LEFTUP)});
        // Whatever comes next must not complete a double click with the second.
        Remember(window, secondX, y);
    }

    void PressBox(const Box& box, int x, int y) { Press(Control(box.id), x, y); }

    // Clicks into a box behind the end of its text, which puts the caret there.
    void ClickInto(ComponentId box)
    {
        RECT client;
        GetClientRect(Control(box), &client);
        Press(Control(box), client.right - 2, client.bottom / 2);
    }

    // Replaces the boxes' texts from outside, as typing would, so that a pick
    // that leaves a box alone is seen even when it would write the same text.
    void MarkBoxes(const char* mark) const
    {
        for (ComponentId box : kEditBoxes)
            SendMessageA(Control(box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(mark));
    }

    // Waits for the three boxes to read texts, then reports those that do not.
    testing::AssertionResult BoxesRead(const std::vector<std::string>& texts) const
    {
        testing::AssertionResult result = testing::AssertionSuccess();
        bool failed = false;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            HWND box = Control(kEditBoxes[i]);
            if (!WaitForText(box, texts[i])) {
                if (!failed)
                    result = testing::AssertionFailure();
                failed = true;
                result << "box " << i + 1 << " reads \"" << TextOf(box) << "\", expected \"" << texts[i]
                       << "\"; ";
            }
        }
        return result;
    }

    // Waits for the captions' and the margins' background to show colour.
    testing::AssertionResult BackgroundsShow(COLORREF colour) const
    {
        std::vector<POINT> points = Margins();
        for (ComponentId label : kLabels)
            points.push_back(CaptionBackground(label));
        for (POINT point : points)
            if (!WaitForScreenPixel(point, colour))
                return testing::AssertionFailure() << "screen (" << point.x << "," << point.y << ") shows "
                                                   << Hex(driver::ScreenPixel(point)) << ", expected "
                                                   << Hex(colour);
        return testing::AssertionSuccess();
    }

    // Keeps the pointer off the pictures, so that it is not read with them.
    void ParkPointer() const { driver::MoveTo({5, 5}); }

private:
    void AwaitNoDoubleClick(HWND window, int x, int y) const
    {
        if (window != lastWindow_ || std::abs(x - lastX_) > GetSystemMetrics(SM_CXDOUBLECLK) ||
            std::abs(y - lastY_) > GetSystemMetrics(SM_CYDOUBLECLK))
            return;
        DWORD wait = GetDoubleClickTime() + 100;
        DWORD elapsed = GetTickCount() - lastTick_;
        if (elapsed < wait)
            Sleep(wait - elapsed);
    }

    void Remember(HWND window, int x, int y)
    {
        lastWindow_ = window;
        lastX_ = x;
        lastY_ = y;
        lastTick_ = GetTickCount();
    }

    driver::Program* program_ = nullptr;
    HWND main_ = nullptr;
    HWND lastWindow_ = nullptr;
    int lastX_ = 0;
    int lastY_ = 0;
    DWORD lastTick_ = 0;
};

// A fresh program, before anything has been picked.
class BeforeFirstPickTest : public testing::Test {
protected:
    static void SetUpTestSuite() { window.Start(); }
    static void TearDownTestSuite() { window.Stop(); }
    void SetUp() override { ASSERT_NE(window.Main(), nullptr) << "the program's window did not appear"; }

    static ProgramWindow window;
};

ProgramWindow BeforeFirstPickTest::window;

TEST_F(BeforeFirstPickTest, CaptionsShowBlackTextOnTheFaceColourAndTheBoxesAreEmptyAndWhite)
{
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(window.BackgroundsShow(face));
    for (ComponentId label : kLabels)
        EXPECT_TRUE(WaitUntil([&] { return Shows(ScreenAreaOf(window.Control(label)), RGB(0, 0, 0)); }))
            << "no black text pixel in caption " << Hex(label);

    for (ComponentId id : kEditBoxes) {
        HWND box = window.Control(id);
        EXPECT_EQ(TextOf(box), "") << "box " << Hex(id);
        // Inside the client edge: the band above the text line, and the right
        // end of the (empty) line.
        RECT rect = ScreenRect(box);
        POINT band{(rect.left + rect.right) / 2, rect.top + 3};
        POINT line{rect.right - 5, (rect.top + rect.bottom) / 2};
        for (POINT inside : {band, line})
            EXPECT_TRUE(WaitForScreenPixel(inside, RGB(255, 255, 255)))
                << "box " << Hex(id) << " at screen (" << inside.x << "," << inside.y << ") shows "
                << Hex(driver::ScreenPixel(inside));
    }
}

// One program for all the picks: each test makes its own first pick.
class PickingTest : public testing::Test {
protected:
    static void SetUpTestSuite() { window.Start(); }
    static void TearDownTestSuite() { window.Stop(); }
    void SetUp() override { ASSERT_NE(window.Main(), nullptr) << "the program's window did not appear"; }

    // Picks at a point and waits for the whole window to show the pick.
    static testing::AssertionResult Pick(const Box& box, int x, int y)
    {
        window.PressBox(box, x, y);
        ColourValue colour = FieldPictureColour(box.picture, x, y);
        testing::AssertionResult texts = window.BoxesRead(TextsFor(colour));
        if (!texts)
            return texts;
        return window.BackgroundsShow(static_cast<COLORREF>(colour));
    }

    static ProgramWindow window;
};

ProgramWindow PickingTest::window;

struct PressCase {
    const Box* box;
    int x;
    int y;
    // The colour known for the point, checked against the rule too; -1 for none.
    ColourValue known;
};

// Neighbouring rows differ in colour, so that every row changes the screen.
constexpr PressCase kPresses[] = {
    {&kSquare, 0, 0, 0x00000000},
    {&kSquare, 511, 0, 0x00FFFFFF},
    {&kSquare, 256, 256, 0x00FFFF00},    // cyan
    {&kSquare, 0, 511, 0x00000000},
    {&kSquare, 256, 0, 0x000000FF},      // pure red
    {&kSquare, 511, 511, 0x00FFFFFF},
    {&kSquare, 256, 1, 0x000000FF},
    {&kSquare, 255, 0, 0x000606FF},      // (255, 6, 6): the dark half's paler red
    {&kSquare, 0, 301, 0x00000000},
    {&kSquare, 256, 511, 0x000600FF},    // (255, 0, 6): the last hue before red
    {&kSquare, 511, 300, 0x00FFFFFF},
    {&kStrip, 0, 0, 0x00FFFFFF},
    {&kStrip, 255, 511, 0x00000000},
    {&kStrip, 0, 255, 0x000000FF},
    {&kStrip, 255, 0, 0x00FFFFFF},
    {&kStrip, 0, 256, 0x000606FF},
    {&kStrip, 0, 511, 0x00000000},
    {&kStrip, 128, 255, 0x00FFFF00},
    {&kStrip, 100, 0, 0x00FFFFFF},
    {&kStrip, 100, 511, 0x00000000},
    {&kStrip, 200, 400, -1},
    {&kSquare, 300, 77, -1},
};

// Every press reads the pressed point of the pressed box: the boxes show the
// colour's three texts, and the captions and margins are filled with it.
TEST_F(PickingTest, PressPicksThePressedPointOfEitherBox)
{
    for (const PressCase& press : kPresses) {
        SCOPED_TRACE(testing::Message() << press.box->name << " (" << press.x << "," << press.y << ")");
        ColourValue colour = FieldPictureColour(press.box->picture, press.x, press.y);
        if (press.known != -1) {
            EXPECT_EQ(colour, press.known) << "the field rule disagrees with the known colour";
        }
        window.MarkBoxes("-");
        window.PressBox(*press.box, press.x, press.y);
        EXPECT_TRUE(window.BoxesRead(TextsFor(colour)));
        EXPECT_TRUE(window.BackgroundsShow(static_cast<COLORREF>(colour)));
        // The text colour is shown as written only while its top byte is clear.
        ColourValue textColour = LabelTextColourFor(colour);
        if ((textColour >> 24) == 0) {
            EXPECT_TRUE(WaitUntil([&] {
                return Shows(ScreenAreaOf(window.Control(kLabel1Id)), static_cast<COLORREF>(textColour));
            })) << "caption text is not drawn in " << Hex(static_cast<unsigned long>(textColour));
        }
    }
}

// The texts of the best-known colours, written out rather than made by the text forms.
TEST_F(PickingTest, BoxesReadTheKnownTextsForCyanRedAndWhite)
{
    struct Example {
        const Box* box;
        int x;
        int y;
        std::vector<std::string> texts;
    };
    const Example examples[] = {
        {&kSquare, 256, 256, {"16776960", "FFFF00", "#00FFFF"}},
        {&kSquare, 256, 0, {"255", "FF", "#FF0000"}},
        {&kStrip, 128, 255, {"16776960", "FFFF00", "#00FFFF"}},
        {&kStrip, 0, 255, {"255", "FF", "#FF0000"}},
        {&kSquare, 511, 0, {"16777215", "FFFFFF", "#FFFFFF"}},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(testing::Message() << example.box->name << " (" << example.x << "," << example.y << ")");
        window.MarkBoxes("-");
        window.PressBox(*example.box, example.x, example.y);
        EXPECT_TRUE(window.BoxesRead(example.texts));
    }
}

// Every pixel of both boxes, read back from the screen, is the field colour.
TEST_F(PickingTest, BoxesShowTheFieldExactly)
{
    window.ParkPointer();
    for (const Box* box : {&kSquare, &kStrip}) {
        HWND control = window.Control(box->id);
        PictureSize size = FieldPictureSize(box->picture);
        int largest = 0;
        int differing = 0;
        POINT worst{0, 0};
        // The screen may lag behind the paint: read again until it matches.
        WaitUntil([&] {
            std::vector<COLORREF> shown = driver::ScreenArea(ScreenPoint(control, 0, 0), size.width, size.height);
            if (shown.size() != static_cast<std::size_t>(size.width * size.height))
                return false;
            largest = 0;
            differing = 0;
            for (int y = 0; y < size.height; ++y)
                for (int x = 0; x < size.width; ++x) {
                    COLORREF expected = static_cast<COLORREF>(FieldPictureColour(box->picture, x, y));
                    int difference = ChannelDifference(shown[y * size.width + x], expected);
                    if (difference > 0)
                        ++differing;
                    if (difference > largest) {
                        largest = difference;
                        worst = {x, y};
                    }
                }
            return largest == 0;
        });
        std::printf("%s: largest channel difference from the field %d, %d of %d pixels differ\n", box->name,
                    largest, differing, size.width * size.height);
        EXPECT_EQ(largest, 0) << box->name << ": worst at (" << worst.x << "," << worst.y << ")";
    }
}

// A double click picks once: the second press of the pair picks nothing.
TEST_F(PickingTest, DoubleClickPicksOnlyAtTheFirstPoint)
{
    ASSERT_TRUE(Pick(kStrip, 30, 30));
    int offset = std::max(1, GetSystemMetrics(SM_CXDOUBLECLK) / 2 - 1);
    const int x = 300, y = 100;
    ColourValue first = FieldPictureColour(FieldPicture::Square, x, y);
    ASSERT_NE(first, FieldPictureColour(FieldPicture::Square, x + offset, y));
    window.DoubleClick(window.Control(kSquare.id), x, y, x + offset);
    // A click into the third read-out box and typing behind the pair: input is
    // handled in order, so once the typing shows, the pair's second press has
    // been handled too.
    window.ClickInto(kEditBox3Id);
    driver::TypeText(L"Z");
    std::vector<std::string> texts = TextsFor(first);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(window.Control(kEditBox3Id)).find('Z') != std::string::npos; }));
    EXPECT_EQ(TextOf(window.Control(kEditBox1Id)), texts[0]);
    EXPECT_EQ(TextOf(window.Control(kEditBox2Id)), texts[1]);
    EXPECT_TRUE(window.BackgroundsShow(static_cast<COLORREF>(first)));
}

// A right press, a move, and presses outside the two boxes pick nothing.
TEST_F(PickingTest, OnlyALeftPressOnABoxPicks)
{
    ASSERT_TRUE(Pick(kSquare, 256, 256));
    HWND square = window.Control(kSquare.id);
    HWND strip = window.Control(kStrip.id);
    RECT client;
    GetClientRect(window.Main(), &client);
    POINT label = ScreenPoint(window.Control(kLabel2Id), 1, 1);
    driver::SendEvents({
        driver::MouseEvent(ScreenPoint(square, 40, 40), MOUSEEVENTF_RIGHTDOWN),
        driver::MouseEvent(ScreenPoint(square, 40, 40), MOUSEEVENTF_RIGHTUP),
        driver::MouseEvent(ScreenPoint(strip, 200, 300), 0),
        driver::MouseEvent(ScreenPoint(square, 100, 400), 0),
        driver::MouseEvent(ScreenPoint(window.Main(), 3, 3), MOUSEEVENTF_LEFTDOWN),
        driver::MouseEvent(ScreenPoint(window.Main(), 3, 3), MOUSEEVENTF_LEFTUP),
        driver::MouseEvent(ScreenPoint(window.Main(), 4, client.bottom - 4), MOUSEEVENTF_LEFTDOWN),
        driver::MouseEvent(ScreenPoint(window.Main(), 4, client.bottom - 4), MOUSEEVENTF_LEFTUP),
        driver::MouseEvent(label, MOUSEEVENTF_LEFTDOWN),
        driver::MouseEvent(label, MOUSEEVENTF_LEFTUP),
    });
    // Typing behind them in the third box tells when they have all been handled.
    window.ClickInto(kEditBox3Id);
    driver::TypeText(L"Z");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(window.Control(kEditBox3Id)).find('Z') != std::string::npos; }));
    std::vector<std::string> texts = TextsFor(0x00FFFF00);
    EXPECT_EQ(TextOf(window.Control(kEditBox1Id)), texts[0]);
    EXPECT_EQ(TextOf(window.Control(kEditBox2Id)), texts[1]);
    EXPECT_TRUE(window.BackgroundsShow(0x00FFFF00));
}

// Ctrl, Shift or Alt held during the press change nothing about the pick.
TEST_F(PickingTest, PressWithAModifierHeldPicksAsAPlainPress)
{
    struct Held {
        const char* name;
        WORD key;
        int x;
        int y;
    };
    const Held modifiers[] = {
        {"Ctrl", VK_CONTROL, 100, 100},
        {"Shift", VK_SHIFT, 200, 200},
        {"Alt", VK_MENU, 300, 300},
    };
    for (const Held& held : modifiers) {
        SCOPED_TRACE(held.name);
        window.MarkBoxes("-");
        std::vector<INPUT> release = {driver::KeyEvent(held.key, true)};
        window.Press(window.Control(kSquare.id), held.x, held.y, {driver::KeyEvent(held.key, false)}, release);
        ColourValue colour = FieldPictureColour(FieldPicture::Square, held.x, held.y);
        EXPECT_TRUE(window.BoxesRead(TextsFor(colour)));
        EXPECT_TRUE(window.BackgroundsShow(static_cast<COLORREF>(colour)));
    }
    // Releasing Alt alone could have opened the system menu's keyboard mode,
    // which would take the next press for itself.
    EXPECT_TRUE(Pick(kStrip, 10, 10));
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(window.Main(), nullptr), &info));
    EXPECT_EQ(info.flags & (GUI_INMENUMODE | GUI_SYSTEMMENUMODE), 0u);
}

// Pressing the same point again writes every box again with the same text.
TEST_F(PickingTest, SamePointTwiceRewritesTheSameTexts)
{
    ASSERT_TRUE(Pick(kSquare, 400, 150));
    window.MarkBoxes("typed");
    ASSERT_TRUE(window.BoxesRead({"typed", "typed", "typed"}));
    EXPECT_TRUE(Pick(kSquare, 400, 150));
}

// What the user types into a box stays until the next pick, and touches
// nothing else on the window.
TEST_F(PickingTest, TypedTextStaysUntilTheNextPick)
{
    ASSERT_TRUE(Pick(kSquare, 256, 0));
    HWND box = window.Control(kEditBox1Id);
    // Wine's edit control has no Ctrl+A: select the line with the keys.
    window.ClickInto(kEditBox1Id);
    driver::Key(VK_HOME);
    driver::Key(VK_END, {VK_SHIFT});
    driver::TypeText(L"hello");
    ASSERT_TRUE(WaitForText(box, "hello")) << "box 1 reads \"" << TextOf(box) << "\"";

    std::vector<std::string> red = TextsFor(0x000000FF);
    EXPECT_EQ(TextOf(window.Control(kEditBox2Id)), red[1]);
    EXPECT_EQ(TextOf(window.Control(kEditBox3Id)), red[2]);
    EXPECT_TRUE(window.BackgroundsShow(0x000000FF));
    EXPECT_EQ(TextOf(box), "hello");

    EXPECT_TRUE(Pick(kStrip, 128, 255));
}

} // namespace
