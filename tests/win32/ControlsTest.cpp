// The three control kinds inside a real main window in the test's own
// process: what each one paints, and what a pick leaves in them.

#include "colour/FieldColour.h"
#include "colour/PickColour.h"
#include "window/Gdi.h"
#include "window/Label.h"
#include "window/MainWindow.h"
#include "window/PictureBox.h"
#include "window/ScreenPixels.h"
#include "tests/win32/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace window_test;

constexpr COLORREF kWhite = 0x00FFFFFF;

// A window's client area (or whole window) copied out pixel by pixel, in
// COLORREF layout, through a DIB so that one read does not cost a call each.
class Pixels {
public:
    Pixels(HWND window, WindowDc::Area area = WindowDc::ClientArea)
    {
        RECT rect;
        if (area == WindowDc::ClientArea)
            GetClientRect(window, &rect);
        else
            GetWindowRect(window, &rect);
        width_ = rect.right - rect.left;
        height_ = rect.bottom - rect.top;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        WindowDc source(window, area);
        HDC memory = CreateCompatibleDC(source.Get());
        HGDIOBJ previous = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
        GdiFlush();
        const auto* words = static_cast<const std::uint32_t*>(bits);
        for (int i = 0; i < width_ * height_; ++i) {
            std::uint32_t w = words[i];
            pixels_.push_back(((w >> 16) & 0xFF) | (w & 0xFF00) | ((w & 0xFF) << 16));
        }
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(copy);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const { return pixels_[y * width_ + x]; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// Whether a pixel is a blend of two colours, as the edge of a smoothed glyph
// is: every channel lies between theirs.
bool IsBlendOf(COLORREF pixel, COLORREF a, COLORREF b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int p = (pixel >> shift) & 0xFF, x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
        if (p < (x < y ? x : y) || p > (x < y ? y : x))
            return false;
    }
    return true;
}

int ChannelDifference(COLORREF a, COLORREF b)
{
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        largest = d > largest ? d : largest;
    }
    return largest;
}

// Counts WM_ERASEBKGND reaching a window while it is alive, by putting its
// own procedure in front of the window's; one at a time.
class EraseCounter {
public:
    explicit EraseCounter(HWND window) : window_(window)
    {
        active_ = this;
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Count)));
    }
    EraseCounter(const EraseCounter&) = delete;
    EraseCounter& operator=(const EraseCounter&) = delete;
    ~EraseCounter()
    {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        active_ = nullptr;
    }
    int Erases() const { return erases_; }

private:
    static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_ERASEBKGND)
            ++active_->erases_;
        return CallWindowProcW(active_->previous_, window, message, wParam, lParam);
    }
    static EraseCounter* active_;
    HWND window_;
    WNDPROC previous_ = nullptr;
    int erases_ = 0;
};

EraseCounter* EraseCounter::active_ = nullptr;

// One window for the suite (destroying a top-level window costs Wine about
// two seconds without a window manager), put back to its start before each test.
class ControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        shared_ = MainWindow::Create(nullptr);
        if (shared_)
            shared_->Show();
    }
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
    }

    HWND Child(ComponentId id) const { return GetDlgItem(main_, id); }
    const Label& LabelAt(ComponentId id) const
    {
        return *static_cast<const Label*>(window_->ControlAt(InMainWindow(id)));
    }

    static std::unique_ptr<MainWindow> shared_;
    MainWindow* window_ = nullptr;
    HWND main_ = nullptr;
};

std::unique_ptr<MainWindow> ControlsTest::shared_;

// A caption fills its whole area with its background and draws its text over
// it, so every pixel is the one colour, the other or a blend of the two.
TEST_F(ControlsTest, CaptionPaintsBackgroundAndTextOnlyAtItsNextPaint)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The ASCII caption: its glyphs are drawn with any font link or none.
    HWND label = Child(kLabel3);
    RECT client;
    GetClientRect(label, &client);
    struct {
        const char* what;
        ColourValue background;
        ColourValue text;
        bool plainBackground;
        bool plainText;
    } const cases[] = {
        {"red with its caption colour", 0x000000FF, 0x000080FE, true, true},
        {"white with a palette-index text colour", 0x00FFFFFF, 0x01007FFE, true, false},
        {"CLR_INVALID after a failed read", -1, 0x00007FFE, false, true},
        {"the face marker with black text", kFace, 0, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const COLORREF corner = Pixels(label).At(0, 0);
        const long gdi = LiveGdiObjects();
        EraseCounter erases(label);

        window_->WriteColour(InMainWindow(kLabel3), Property::BackgroundColour, c.background);
        window_->WriteColour(InMainWindow(kLabel3), Property::TextColour, c.text);
        EXPECT_EQ(c.background, LabelAt(kLabel3).BackgroundColour());
        EXPECT_EQ(c.text, LabelAt(kLabel3).TextColour());
        RECT marked{};
        EXPECT_TRUE(GetUpdateRect(label, &marked, FALSE));
        EXPECT_TRUE(EqualRect(&client, &marked));
        EXPECT_EQ(corner, Pixels(label).At(0, 0)) << "the write painted by itself";

        UpdateWindow(label);
        EXPECT_FALSE(GetUpdateRect(label, nullptr, FALSE));
        EXPECT_EQ(0, erases.Erases());
        EXPECT_EQ(gdi, LiveGdiObjects());

        Pixels painted(label);
        const COLORREF background = c.background == kFace ? face : static_cast<COLORREF>(c.background);
        const COLORREF text = static_cast<COLORREF>(c.text);
        if (c.plainBackground) {
            const POINT corners[] = {{0, 0}, {client.right - 1, 0}, {0, client.bottom - 1},
                                     {client.right - 1, client.bottom - 1}};
            for (POINT p : corners)
                EXPECT_EQ(background, painted.At(p.x, p.y)) << "at " << p.x << "," << p.y;
        }
        int textPixels = 0, strayPixels = 0;
        for (int y = 0; y < painted.Height(); ++y)
            for (int x = 0; x < painted.Width(); ++x) {
                const COLORREF pixel = painted.At(x, y);
                textPixels += c.plainText && pixel == text;
                strayPixels += c.plainBackground && c.plainText && !IsBlendOf(pixel, text, background);
            }
        if (c.plainText) {
            EXPECT_GT(textPixels, 0) << "no glyph drawn in the text colour";
        }
        EXPECT_EQ(0, strayPixels);
    }
}

TEST_F(ControlsTest, ReadOutBoxesArePlainSingleLineEditControls)
{
    const LONG_PTR forbidden = ES_MULTILINE | ES_READONLY | ES_PASSWORD | ES_NUMBER | ES_UPPERCASE |
                               ES_LOWERCASE | ES_CENTER | ES_RIGHT | ES_OEMCONVERT | ES_WANTRETURN |
                               ES_NOHIDESEL | ES_AUTOVSCROLL | WS_BORDER | WS_HSCROLL | WS_VSCROLL;
    for (ComponentId id : kEditBoxes) {
        Control* control = window_->ControlAt(InMainWindow(id));
        ASSERT_TRUE(control);
        SCOPED_TRACE(control->Description().name);
        HWND box = control->Handle();
        char className[16] = {};
        GetClassNameA(box, className, sizeof className);
        EXPECT_STRCASEEQ("EDIT", className);

        const LONG_PTR style = GetWindowLongPtrW(box, GWL_STYLE);
        EXPECT_TRUE(style & ES_AUTOHSCROLL);
        EXPECT_EQ(0, style & forbidden);
        EXPECT_EQ(WS_EX_CLIENTEDGE, GetWindowLongPtrW(box, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
        EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)), SendMessageW(box, WM_GETFONT, 0, 0));

        DWORD start = 99, end = 99;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(0u, start);
        EXPECT_EQ(0u, end);
        EXPECT_EQ(0, GetWindowTextLengthW(box));
    }
}

// The window hands a box's colour request back to the box: black on white.
TEST_F(ControlsTest, ColourRequestOfABoxAnswersBlackOnWhite)
{
    for (UINT request : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC})
        for (ComponentId id : kEditBoxes) {
            SCOPED_TRACE(request == WM_CTLCOLOREDIT ? "WM_CTLCOLOREDIT" : "WM_CTLCOLORSTATIC");
            HWND box = Child(id);
            WindowDc dc(box);
            SetTextColor(dc.Get(), 0x00123456);
            SetBkColor(dc.Get(), 0x00654321);
            auto brush = reinterpret_cast<HBRUSH>(
                SendMessageW(main_, request, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(box)));
            ASSERT_TRUE(brush);
            LOGBRUSH fill{};
            ASSERT_TRUE(GetObjectW(brush, sizeof fill, &fill));
            EXPECT_EQ(static_cast<UINT>(BS_SOLID), fill.lbStyle);
            EXPECT_EQ(kWhite, fill.lbColor);
            EXPECT_EQ(0u, GetTextColor(dc.Get()));
            EXPECT_EQ(kWhite, GetBkColor(dc.Get()));
        }
}

// The client area is one text line of the font, centred inside the sunken
// edge; the bands above and below it are painted white, not left as they were.
TEST_F(ControlsTest, BoxShowsOneCentredLineBetweenWhiteBands)
{
    SIZE line{};
    {
        WindowDc screen(nullptr);
        SelectedObject font(screen.Get(), GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32W(screen.Get(), L"W", 1, &line);
    }
    const int edgeX = GetSystemMetrics(SM_CXEDGE);
    const int edgeY = GetSystemMetrics(SM_CYEDGE);
    const HBRUSH red = CreateSolidBrush(0x000000FF);

    for (ComponentId id : kEditBoxes) {
        HWND box = Child(id);
        SCOPED_TRACE(window_->ControlAt(InMainWindow(id))->Description().name);
        RECT outer, client;
        GetWindowRect(box, &outer);
        GetClientRect(box, &client);
        POINT origin{0, 0};
        ClientToScreen(box, &origin);
        const int height = outer.bottom - outer.top;
        const int top = (height - 2 * edgeY - line.cy) / 2 + edgeY;
        EXPECT_EQ(line.cy, client.bottom);
        EXPECT_EQ(top, origin.y - outer.top);
        EXPECT_EQ(edgeX, origin.x - outer.left);
        EXPECT_EQ(outer.right - outer.left - 2 * edgeX, client.right);

        window_->WriteText(InMainWindow(id), Property::Content, "#00FFFF");
        {
            WindowDc whole(box, WindowDc::WholeWindow);
            RECT all{0, 0, outer.right - outer.left, height};
            FillRect(whole.Get(), &all, red);
        }
        RedrawWindow(box, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

        Pixels shown(box, WindowDc::WholeWindow);
        int notWhite = 0;
        for (int y = edgeY; y < height - edgeY; ++y) {
            const bool inLine = y >= top && y < top + line.cy;
            for (int x = edgeX; x < shown.Width() - edgeX; ++x) {
                const COLORREF pixel = shown.At(x, y);
                notWhite += inLine ? !IsBlendOf(pixel, kWhite, 0) : pixel != kWhite;
            }
        }
        EXPECT_EQ(0, notWhite) << "pixels inside the edge that are neither background nor text";
    }
    DeleteObject(red);
}

TEST_F(ControlsTest, ContentWriteReplacesTheTextAtOnce)
{
    const char* texts[] = {"16776960", "FFFFFFFF", "#00FFFF", ""};
    for (ComponentId id : kEditBoxes)
        for (const char* text : texts) {
            SCOPED_TRACE(text);
            window_->WriteText(InMainWindow(id), Property::Content, text);
            EXPECT_EQ(text, TextOf(Child(id)));
        }

    // Far past what fits: the box scrolls, it does not cut the text.
    const std::string longText(30000, '7');
    window_->WriteText(InMainWindow(kEditBox1), Property::Content, longText.c_str());
    EXPECT_EQ(longText, TextOf(Child(kEditBox1)));
}

// Each box shows its field exactly: every pixel read back equals the rule.
TEST_F(ControlsTest, PicturesShowTheColourFieldPixelForPixel)
{
    struct {
        const char* name;
        ComponentId id;
        FieldPicture picture;
    } const boxes[] = {{"图片框2", kPicBox2, FieldPicture::Square}, {"图片框1", kPicBox1, FieldPicture::Strip}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.name);
        HWND box = Child(b.id);
        UpdateWindow(box);
        Pixels shown(box);
        const PictureSize size = FieldPictureSize(b.picture);
        ASSERT_EQ(size.width, shown.Width());
        ASSERT_EQ(size.height, shown.Height());
        int largest = 0, differing = 0;
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x) {
                int d = ChannelDifference(shown.At(x, y), static_cast<COLORREF>(FieldPictureColour(b.picture, x, y)));
                differing += d != 0;
                largest = d > largest ? d : largest;
            }
        EXPECT_EQ(0, differing) << "largest difference " << largest;
    }

    struct {
        const char* where;
        ComponentId id;
        int x, y;
        COLORREF colour;
    } const points[] = {
        {"square top-left", kPicBox2, 0, 0, 0x000000},      {"square right edge", kPicBox2, 511, 300, 0xFFFFFF},
        {"square red", kPicBox2, 256, 0, 0x0000FF},         {"square red, second row", kPicBox2, 256, 1, 0x0000FF},
        {"square near red", kPicBox2, 255, 0, 0x0606FF},    {"square cyan", kPicBox2, 256, 256, 0xFFFF00},
        {"square last hue", kPicBox2, 256, 511, 0x0600FF}, {"strip top-left", kPicBox1, 0, 0, 0xFFFFFF},
        {"strip bottom", kPicBox1, 100, 511, 0x000000},     {"strip red", kPicBox1, 0, 255, 0x0000FF},
        {"strip near red", kPicBox1, 0, 256, 0x0606FF},     {"strip cyan", kPicBox1, 128, 255, 0xFFFF00},
    };
    for (const auto& p : points) {
        WindowDc dc(Child(p.id));
        EXPECT_EQ(p.colour, GetPixel(dc.Get(), p.x, p.y)) << p.where;
    }
}

TEST(FieldBitmap, IsMadeAtFullSizeOrNotAtAll)
{
    EXPECT_FALSE(MakeFieldBitmap(FieldPicture::None));
    struct {
        FieldPicture picture;
        LONG width, height;
    } const pictures[] = {{FieldPicture::Square, 512, 512}, {FieldPicture::Strip, 256, 512}};
    const long before = LiveGdiObjects();
    for (const auto& p : pictures) {
        Bitmap bitmap = MakeFieldBitmap(p.picture);
        ASSERT_TRUE(bitmap);
        BITMAP info{};
        GetObjectW(bitmap.Get(), sizeof info, &info);
        EXPECT_EQ(p.width, info.bmWidth);
        EXPECT_EQ(p.height, info.bmHeight);
        EXPECT_EQ(32, info.bmBitsPixel);
    }
    EXPECT_EQ(before, LiveGdiObjects());
}

// A box with no picture shows its face-coloured background, and a press on
// it finds that colour. Put in the window's top-left margin, clear of the rest.
TEST_F(ControlsTest, BoxWithoutAPictureShowsTheFaceColour)
{
    static constexpr ControlDescription kNoPicture = {
        "图片框2", ControlKind::PicBox, 0x16011599, 0, 0, 8, 8,
        Pointer::CrossHair, PressHandler::PickColour, nullptr, FieldPicture::None};
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto box = PictureBox::Create(kNoPicture, main_);
    ASSERT_TRUE(box);
    EXPECT_FALSE(box->HasPicture());
    // Red margins underneath, so that an unpainted box would show red.
    window_->SetBackgroundColour(0x000000FF);
    UpdateWindow(main_);
    ShowWindow(box->Handle(), SW_SHOWNA);
    UpdateWindow(box->Handle());

    Pixels shown(box->Handle());
    int notFace = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x)
            notFace += shown.At(x, y) != face;
    EXPECT_EQ(0, notFace);

    ScreenPixels screen;
    PickColour(screen, *window_, box->Handle(), 4, 4);
    EXPECT_EQ(static_cast<ColourValue>(face), window_->BackgroundColour());
}

class FailingPixels final : public PixelSource {
public:
    DeviceContextHandle GetDC(WindowHandle) override { return nullptr; }
    ColourValue GetPixel(DeviceContextHandle, std::int32_t, std::int32_t) override { return kInvalidColour; }
    void ReleaseDC(WindowHandle, DeviceContextHandle) override {}
};

TEST_F(ControlsTest, FailedReadReachesEveryRowAndStillPaints)
{
    FailingPixels failing;
    const long gdi = LiveGdiObjects();
    PickColour(failing, *window_, Child(kPicBox2), 256, 256);

    EXPECT_EQ(-1, window_->BackgroundColour());
    for (ComponentId id : kLabels) {
        SCOPED_TRACE(window_->ControlAt(InMainWindow(id))->Description().name);
        EXPECT_EQ(-1, LabelAt(id).BackgroundColour());
        EXPECT_EQ(0x00007FFE, LabelAt(id).TextColour());
    }
    const char* texts[] = {"-1", "FFFFFFFF", "#FFFFFF"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(texts[i], TextOf(Child(kEditBoxes[i])));

    RedrawWindow(main_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_FALSE(GetUpdateRect(main_, nullptr, FALSE));
    for (ComponentId id : kLabels)
        EXPECT_FALSE(GetUpdateRect(Child(id), nullptr, FALSE));
    EXPECT_EQ(gdi, LiveGdiObjects());
}

// Picks and repaints make and free their brushes and DCs one for one.
TEST_F(ControlsTest, ManyPicksLeaveNoGdiObjectBehind)
{
    const long before = LiveGdiObjects();
    for (int i = 0; i < 200; ++i) {
        const bool square = i % 2 == 0;
        const int x = square ? (i * 37) % 512 : (i * 37) % 256;
        const int y = (i * 53) % 512;
        HWND box = Child(square ? kPicBox2 : kPicBox1);
        MSG press{box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), GetTickCount(), {}};
        EXPECT_FALSE(Window::PreTranslate(press));
        RedrawWindow(main_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const ColourValue expected = FieldPictureColour(square ? FieldPicture::Square : FieldPicture::Strip, x, y);
        ASSERT_EQ(expected, window_->BackgroundColour()) << "press " << i << " at " << x << "," << y;
    }
    EXPECT_EQ(before, LiveGdiObjects());
}

} // namespace
