// The main window built in the test's own process, where its class, icons,
// brushes and painted pixels can be read directly.

#include "window/Gdi.h"
#include "window/Label.h"
#include "window/MainWindow.h"
#include "tests/win32/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace window_test;

std::vector<HWND> goneWindows;

void RecordGone(HWND window)
{
    goneWindows.push_back(window);
}

std::unique_ptr<MainWindow> OpenWindow()
{
    auto window = MainWindow::Create(&RecordGone);
    if (window) {
        window->Show();
        UpdateWindow(window->Handle());
        Pump();
    }
    return window;
}

COLORREF PixelAt(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

MSG MessageTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    return msg;
}

MSG KeyDown(HWND window, WPARAM key)
{
    return MessageTo(window, WM_KEYDOWN, key, 1 | (MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC) << 16));
}

// Holds a key down in this thread's key state, which is what GetKeyState
// reads, and puts the state back afterwards.
class HeldKey {
public:
    explicit HeldKey(BYTE key)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::memcpy(state, saved_, sizeof state);
        if (key)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;
    ~HeldKey() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

constexpr ComponentId kTheWindowItself = 0;

// One window for the suite: Wine takes about two seconds to destroy a
// top-level window on a display without a window manager. Tests that close
// the window, or need one that has never been used, open their own.
class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { shared_ = OpenWindow(); }
    static void TearDownTestSuite()
    {
        shared_.reset();
        Pump();
    }
    void SetUp() override
    {
        ASSERT_TRUE(shared_);
        window_ = shared_.get();
        main_ = window_->Handle();
        ResetToStart(*window_);
        goneWindows.clear();
    }

    HWND Child(ComponentId id) const { return id == kTheWindowItself ? main_ : GetDlgItem(main_, id); }

    static std::unique_ptr<MainWindow> shared_;
    MainWindow* window_ = nullptr;
    HWND main_ = nullptr;
};

std::unique_ptr<MainWindow> MainWindowTest::shared_;

struct ExpectedControl {
    const char* name;
    ComponentId id;
    const char* className;
    int left, top, width, height;
};

// In list order, which is the stacking order from top to bottom.
constexpr ExpectedControl kLayout[] = {
    {"标签3", kLabel3, "ColourPickerLabel", 360, 528, 40, 24},
    {"编辑框3", kEditBox3, "Edit", 400, 528, 96, 24},
    {"标签2", kLabel2, "ColourPickerLabel", 184, 528, 64, 24},
    {"编辑框2", kEditBox2, "Edit", 248, 528, 96, 24},
    {"标签1", kLabel1, "ColourPickerLabel", 32, 528, 48, 24},
    {"编辑框1", kEditBox1, "Edit", 80, 528, 96, 24},
    {"图片框2", kPicBox2, "ColourPickerPicBox", 8, 8, 512, 512},
    {"图片框1", kPicBox1, "ColourPickerPicBox", 520, 8, 256, 512},
};

TEST_F(MainWindowTest, EveryControlSitsWhereTheLayoutPutsIt)
{
    std::vector<RECT> places;
    for (const ExpectedControl& expected : kLayout) {
        SCOPED_TRACE(expected.name);
        HWND control = GetDlgItem(main_, static_cast<int>(expected.id));
        ASSERT_TRUE(control);
        EXPECT_EQ(control, window_->ComponentHandle(InMainWindow(expected.id)));
        EXPECT_EQ(static_cast<int>(expected.id), GetDlgCtrlID(control));
        EXPECT_EQ(main_, GetParent(control));
        EXPECT_STRCASEEQ(expected.className, ClassOf(control).c_str());

        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(HWND_DESKTOP, main_, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(expected.left, place.left);
        EXPECT_EQ(expected.top, place.top);
        EXPECT_EQ(expected.width, place.right - place.left);
        EXPECT_EQ(expected.height, place.bottom - place.top);
        places.push_back(place);

        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
        EXPECT_FALSE(GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP);
    }

    for (std::size_t a = 0; a < places.size(); ++a)
        for (std::size_t b = a + 1; b < places.size(); ++b) {
            RECT common;
            EXPECT_FALSE(IntersectRect(&common, &places[a], &places[b]))
                << kLayout[a].name << " overlaps " << kLayout[b].name;
        }
}

TEST_F(MainWindowTest, ControlsStackInListOrderFromTheTop)
{
    std::vector<std::string> stacked;
    for (HWND child = GetWindow(main_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string name = "(unknown)";
        for (const ExpectedControl& expected : kLayout)
            if (GetDlgCtrlID(child) == static_cast<int>(expected.id))
                name = expected.name;
        stacked.push_back(name);
    }
    std::vector<std::string> listOrder;
    for (const ExpectedControl& expected : kLayout)
        listOrder.push_back(expected.name);
    EXPECT_EQ(listOrder, stacked);
}

TEST_F(MainWindowTest, IsAFixedSizeCaptionedWindowCentredOnTheScreen)
{
    const LONG_PTR style = GetWindowLongPtrW(main_, GWL_STYLE);
    const LONG_PTR required = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_VISIBLE;
    EXPECT_EQ(required, style & required);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP | WS_DISABLED));
    // Wine adds the window edge to every captioned window by itself.
    EXPECT_EQ(0, GetWindowLongPtrW(main_, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);
    EXPECT_EQ(nullptr, GetWindow(main_, GW_OWNER));
    EXPECT_EQ(nullptr, GetMenu(main_));

    RECT outer;
    GetWindowRect(main_, &outer);
    EXPECT_EQ(791, outer.right - outer.left);
    EXPECT_EQ(589, outer.bottom - outer.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 791) / 2, outer.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 589) / 2, outer.top);
}

TEST_F(MainWindowTest, CarriesItsTitleAndTheDefaultGuiFont)
{
    wchar_t title[128] = {};
    GetWindowTextW(main_, title, 128);
    EXPECT_STREQ(L"Vantoril取色器-www.vantoril.example", title);

    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)),
              SendMessageW(main_, WM_GETFONT, 0, 0));
}

TEST_F(MainWindowTest, ClassesAskForDoubleClicksAndPaintTheirOwnBackground)
{
    wchar_t className[64] = {};
    GetClassNameW(main_, className, 64);
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), className, &info));
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW), info.style);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), info.hCursor);
    EXPECT_EQ(nullptr, info.hbrBackground);
    EXPECT_EQ(nullptr, info.hIcon);
    EXPECT_EQ(nullptr, info.hIconSm);

    for (ComponentId box : {kPicBox1, kPicBox2})
        EXPECT_TRUE(GetClassLongW(Child(box), GCL_STYLE) & CS_DBLCLKS);
    for (ComponentId label : {kLabel1, kLabel2, kLabel3})
        EXPECT_EQ(0u, GetClassLongPtrW(Child(label), GCLP_HBRBACKGROUND));
}

TEST_F(MainWindowTest, CarriesTheProgramIconAtBothSizes)
{
    struct {
        const char* name;
        WPARAM which;
        LONG size;
    } const icons[] = {{"large", ICON_BIG, 32}, {"small", ICON_SMALL, 16}};
    for (const auto& icon : icons) {
        SCOPED_TRACE(icon.name);
        auto handle = reinterpret_cast<HICON>(SendMessageW(main_, WM_GETICON, icon.which, 0));
        ASSERT_TRUE(handle);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(handle, &info));
        BITMAP colour{};
        if (info.hbmColor)
            GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(icon.size, colour.bmWidth);
        EXPECT_EQ(icon.size, colour.bmHeight);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

// A background write stores the value and marks the whole client area; the
// margins take the colour only at the next paint, and the controls are never
// painted over.
TEST_F(MainWindowTest, BackgroundWritesStoreMarkAndPaintLater)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    RECT client;
    GetClientRect(main_, &client);
    const POINT margins[] = {{2, 2}, {180, 540}, {client.right - 2, client.bottom - 2}};
    HWND square = Child(kPicBox2);
    HWND label = Child(kLabel1);

    EXPECT_EQ(kFace, window_->BackgroundColour());
    for (POINT p : margins)
        EXPECT_EQ(face, PixelAt(main_, p.x, p.y)) << "at " << p.x << "," << p.y;

    struct {
        const char* what;
        ColourValue value;
        bool plainColour;
    } const writes[] = {
        {"red", 0x000000FF, true},
        {"the same red again", 0x000000FF, true},
        {"CLR_INVALID", -1, false},
        {"a palette index", 0x01007FFE, false},
        {"the face marker", kFace, true},
    };
    for (const auto& write : writes) {
        SCOPED_TRACE(write.what);
        ValidateRect(main_, nullptr);
        const COLORREF before = PixelAt(main_, 2, 2);
        const long gdi = LiveGdiObjects();

        window_->WriteColour(InMainWindow(0x06010000), Property::BackgroundColour, write.value);

        EXPECT_EQ(write.value, window_->BackgroundColour());
        RECT marked{};
        EXPECT_TRUE(GetUpdateRect(main_, &marked, FALSE));
        EXPECT_TRUE(EqualRect(&client, &marked));
        EXPECT_EQ(before, PixelAt(main_, 2, 2)) << "the write painted by itself";

        UpdateWindow(main_);
        EXPECT_FALSE(GetUpdateRect(main_, nullptr, FALSE));
        if (write.plainColour) {
            const COLORREF expected = write.value == kFace ? face : static_cast<COLORREF>(write.value);
            for (POINT p : margins)
                EXPECT_EQ(expected, PixelAt(main_, p.x, p.y)) << "at " << p.x << "," << p.y;
        }
        EXPECT_EQ(0x00FFFF00u, PixelAt(square, 256, 256)) << "the picture was painted over";
        EXPECT_EQ(face, PixelAt(label, 0, 0)) << "the caption was painted over";
        EXPECT_EQ(gdi, LiveGdiObjects());
    }
}

TEST_F(MainWindowTest, EscWithoutModifiersClosesTheWindow)
{
    struct {
        const char* addressedTo;
        ComponentId id;
    } const cases[] = {{"the window", kTheWindowItself}, {"a focused box", kEditBox2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.addressedTo);
        goneWindows.clear();
        auto window = OpenWindow();
        ASSERT_TRUE(window);
        HWND main = window->Handle();
        HWND target = c.id == kTheWindowItself ? main : GetDlgItem(main, c.id);
        SetFocus(target);

        MSG esc = KeyDown(target, VK_ESCAPE);
        EXPECT_TRUE(Window::PreTranslate(esc));
        EXPECT_FALSE(IsWindow(main));
        EXPECT_EQ(std::vector<HWND>{main}, goneWindows);
    }
}

TEST_F(MainWindowTest, EscWithAModifierHeldGoesOn)
{
    struct {
        const char* held;
        BYTE key;
    } const cases[] = {{"Shift", VK_SHIFT}, {"Ctrl", VK_CONTROL}, {"Alt", VK_MENU}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.held);
        HeldKey held(c.key);
        ASSERT_LT(GetKeyState(c.key), 0) << "the key state did not take";
        MSG esc = KeyDown(main_, VK_ESCAPE);
        EXPECT_FALSE(Window::PreTranslate(esc));
        EXPECT_TRUE(IsWindow(main_));
        EXPECT_TRUE(goneWindows.empty());
    }
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "the key state was not restored";
}

// No control is a tab stop, so Tab is taken and the focus stays; every other
// key goes on to the focused control.
TEST_F(MainWindowTest, TabIsConsumedAndOtherKeysGoOn)
{
    struct {
        const char* what;
        WPARAM key;
        BYTE held;
        bool consumed;
    } const cases[] = {
        {"Tab", VK_TAB, 0, true},         {"Shift+Tab", VK_TAB, VK_SHIFT, true},
        {"Enter", VK_RETURN, 0, false},   {"F1", VK_F1, 0, false},
        {"a letter", 'A', 0, false},      {"Space", VK_SPACE, 0, false},
        {"Left", VK_LEFT, 0, false},      {"Delete", VK_DELETE, 0, false},
    };
    for (ComponentId focusId : {kTheWindowItself, kEditBox2}) {
        HWND focus = Child(focusId);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (focusId == kTheWindowItself ? " on the window" : " on a box"));
            SetFocus(focus);
            ASSERT_EQ(focus, GetFocus());
            HeldKey held(c.held);
            MSG key = KeyDown(focus, c.key);
            EXPECT_EQ(c.consumed, Window::PreTranslate(key));
            EXPECT_EQ(focus, GetFocus());
            EXPECT_TRUE(IsWindow(main_));
        }
    }
}

// A left press on a picture picks the colour under it and still goes on to
// the box; any other mouse message, or a press elsewhere, picks nothing.
TEST_F(MainWindowTest, OnlyALeftPressOnAPicturePicks)
{
    struct {
        const char* what;
        ComponentId target;
        UINT message;
        int x, y;
        BYTE held;
        const char* texts[3];  // empty when nothing is picked
        ColourValue colour;
        ColourValue textColour;
    } const cases[] = {
        {"square at its centre", kPicBox2, WM_LBUTTONDOWN, 256, 256, 0,
         {"16776960", "FFFF00", "#00FFFF"}, 0x00FFFF00, 0x01007EFF},
        {"square at its corner", kPicBox2, WM_LBUTTONDOWN, 0, 0, 0, {"0", "0", "#000000"}, 0, 0x7FFF},
        {"square with Shift held", kPicBox2, WM_LBUTTONDOWN, 256, 256, VK_SHIFT,
         {"16776960", "FFFF00", "#00FFFF"}, 0x00FFFF00, 0x01007EFF},
        {"strip at pure red", kPicBox1, WM_LBUTTONDOWN, 0, 255, 0, {"255", "FF", "#FF0000"}, 0xFF, 0x80FE},
        {"strip at its corner", kPicBox1, WM_LBUTTONDOWN, 0, 0, 0,
         {"16777215", "FFFFFF", "#FFFFFF"}, 0x00FFFFFF, 0x01007FFE},
        {"a caption", kLabel1, WM_LBUTTONDOWN, 5, 5, 0, {"", "", ""}, kFace, 0},
        {"a box", kEditBox1, WM_LBUTTONDOWN, 5, 5, 0, {"", "", ""}, kFace, 0},
        {"the window's margin", kTheWindowItself, WM_LBUTTONDOWN, 2, 2, 0, {"", "", ""}, kFace, 0},
        {"right press on the square", kPicBox2, WM_RBUTTONDOWN, 256, 256, 0, {"", "", ""}, kFace, 0},
        {"double click on the square", kPicBox2, WM_LBUTTONDBLCLK, 256, 256, 0, {"", "", ""}, kFace, 0},
        {"release on the square", kPicBox2, WM_LBUTTONUP, 256, 256, 0, {"", "", ""}, kFace, 0},
        {"move over the square", kPicBox2, WM_MOUSEMOVE, 256, 256, 0, {"", "", ""}, kFace, 0},
    };
    const ComponentId boxes[] = {kEditBox1, kEditBox2, kEditBox3};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetToStart(*window_);
        HWND target = Child(c.target);

        HeldKey held(c.held);
        MSG press = MessageTo(target, c.message, MK_LBUTTON, MAKELPARAM(c.x, c.y));
        EXPECT_FALSE(Window::PreTranslate(press));

        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(c.texts[i], TextOf(Child(boxes[i]))) << "box " << i + 1;
        EXPECT_EQ(c.colour, window_->BackgroundColour());
        for (ComponentId id : {kLabel1, kLabel2, kLabel3}) {
            Control* control = window_->ControlAt(InMainWindow(id));
            ASSERT_TRUE(control);
            ASSERT_EQ(ControlKind::Label, control->Description().kind);
            const auto* label = static_cast<const Label*>(control);
            EXPECT_EQ(c.colour, label->BackgroundColour()) << control->Description().name;
            EXPECT_EQ(c.textColour, label->TextColour()) << control->Description().name;
        }
    }
}

TEST_F(MainWindowTest, PointerIsTheCrossHairOverThePicturesOnly)
{
    const HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    struct {
        const char* over;
        ComponentId id;
        UINT hitTest;
        bool crossHair;
    } const cases[] = {
        {"图片框2", kPicBox2, HTCLIENT, true},
        {"图片框1", kPicBox1, HTCLIENT, true},
        {"标签1", kLabel1, HTCLIENT, false},
        {"编辑框1", kEditBox1, HTCLIENT, false},
        {"the window's margin", kTheWindowItself, HTCLIENT, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.over);
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        LRESULT handled = SendMessageW(main_, WM_SETCURSOR, reinterpret_cast<WPARAM>(Child(c.id)),
                                       MAKELPARAM(c.hitTest, WM_MOUSEMOVE));
        if (c.crossHair) {
            EXPECT_EQ(TRUE, handled);
            EXPECT_EQ(cross, GetCursor());
        } else {
            EXPECT_NE(cross, GetCursor());
        }
    }
}

// Its own window: the shared one may already remember a control.
TEST(MainWindowFocus, ReturnsToTheControlThatHadItOnDeactivation)
{
    auto window = OpenWindow();
    ASSERT_TRUE(window);
    HWND main = window->Handle();
    HWND box = GetDlgItem(main, kEditBox2);

    // Nothing remembered yet and no tab stop: the window keeps the focus.
    SetFocus(main);
    EXPECT_EQ(main, GetFocus());

    SetFocus(box);
    ASSERT_EQ(box, GetFocus());
    SendMessageW(main, WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(main);
    EXPECT_EQ(box, GetFocus());
}

TEST(MainWindowLifetime, GivesBackEveryGdiObjectItMade)
{
    const long before = LiveGdiObjects();
    {
        auto window = OpenWindow();
        ASSERT_TRUE(window);
        EXPECT_GT(LiveGdiObjects(), before) << "the window's pictures and brushes are not counted";
    }
    Pump();
    EXPECT_EQ(before, LiveGdiObjects());
}

} // namespace
