// Measures the picker against the bare-window baseline in the same run,
// interleaved so that the machine's noise falls on both alike, and prints
// one table of figures with their goals. `--smoke` runs a few iterations
// only, to keep the benchmark building and running inside the test suite.

#include "colour/ColourText.h"
#include "colour/FatalFailure.h"
#include "colour/FieldColour.h"
#include "colour/PickColour.h"
#include "tests/e2e/Driver.h"
#include "window/Gdi.h"
#include "window/MainWindow.h"
#include "window/PictureBox.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

void FatalFailure(const char* reason)
{
    std::fprintf(stderr, "fatal: %s\n", reason);
    std::exit(1);
}

namespace {

struct Settings {
    int starts = 20;
    int presses = 500;
    int footprintPicks = 1000;
};

struct Row {
    std::string figure, value, goal, verdict;
};
std::vector<Row> rows;

void Report(std::string figure, std::string value, std::string goal, const char* verdict)
{
    std::printf("  %-44s %s\n", figure.c_str(), value.c_str());
    std::fflush(stdout);
    rows.push_back({std::move(figure), std::move(value), std::move(goal), verdict});
}

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    std::size_t at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

COLORREF Colorref(ColourValue colour)
{
    return static_cast<COLORREF>(colour);
}

// The two programs under measurement: what each shows once it is up, and
// what a press at a box point must make it show.
struct Target {
    const wchar_t* className;
    std::wstring path;
    unsigned boxId;
    unsigned captionId;
    unsigned editIds[3];
    bool bare;

    ColourValue ColourAt(int x, int y) const
    {
        if (bare)
            return static_cast<ColourValue>(RGB(x / 2, 255 - x / 2, 128));
        return FieldPictureColour(FieldPicture::Square, x, y);
    }
    std::string TextFor(int form, ColourValue colour) const
    {
        Text made = form == 0 ? DecimalColourText(colour) : form == 1 ? HexColourText(colour) : HtmlColourText(colour);
        return made.Bytes();
    }
};

Target Picker()
{
    return {L"ColourPickerWindow", driver::ProgramPath(), kPicBox2Id, kLabel1Id,
            {kEditBox1Id, kEditBox2Id, kEditBox3Id}, false};
}

Target Bare(const std::wstring& path)
{
    return {L"BareWindow", path, 1, 2, {10, 11, 12}, true};
}

class Running {
public:
    Running(const Target& target) : target_(target), program_(target.path) {}

    // Time from process creation until the window shows its box painted.
    double WaitUntilUp()
    {
        double start = Seconds();
        for (;;) {
            window_ = driver::FindProcessWindow(program_.Id(), target_.className);
            if (window_ && BoxShows(target_.boxId, 256, 256) &&
                (target_.bare || BoxShows(kPicBox1Id, 128, 255)))
                return Seconds() - start;
            if (Seconds() - start > 20 || !program_.Running())
                return -1;
            Sleep(1);
        }
    }

    HWND Window() const { return window_; }
    HANDLE Process() const
    {
        return OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program_.Id());
    }

    // Time from a real press until the boxes hold the texts and the caption
    // shows the colour on the screen.
    double Pick(int x, int y)
    {
        ColourValue colour = target_.ColourAt(x, y);
        HWND box = driver::ControlOf(window_, target_.boxId);
        POINT caption = driver::ScreenPoint(driver::ControlOf(window_, target_.captionId), 46, 1);
        double start = Seconds();
        driver::Press(driver::ScreenPoint(box, x, y));
        while (driver::ScreenPixel(caption) != Colorref(colour))
            if (Seconds() - start > 5)
                return -1;
        for (int form = 0; form < 3; ++form)
            while (driver::TextOf(driver::ControlOf(window_, target_.editIds[form])) != target_.TextFor(form, colour))
                if (Seconds() - start > 5)
                    return -1;
        return Seconds() - start;
    }

    void Close()
    {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        program_.WaitForExit(5000);
    }

private:
    bool BoxShows(unsigned id, int x, int y)
    {
        HWND box = driver::ControlOf(window_, id);
        if (!box)
            return false;
        COLORREF expected = Colorref(id == kPicBox1Id && !target_.bare
                                         ? FieldPictureColour(FieldPicture::Strip, x, y)
                                         : target_.ColourAt(x, y));
        return driver::ScreenPixel(driver::ScreenPoint(box, x, y)) == expected;
    }

    Target target_;
    driver::Program program_;
    HWND window_ = nullptr;
};

void StartUp(const Settings& settings, const Target& picker, const Target& bare)
{
    std::vector<double> pickerTimes, bareTimes;
    for (int i = 0; i < settings.starts; ++i)
        for (const Target* target : {&picker, &bare}) {
            Running run(*target);
            double up = run.WaitUntilUp();
            if (up >= 0)
                (target == &picker ? pickerTimes : bareTimes).push_back(up);
            run.Close();
        }
    double ours = Percentile(pickerTimes, 0.5) * 1000, base = Percentile(bareTimes, 0.5) * 1000;
    Report("start-up, median (ms), picker / baseline", Format("%.0f", ours) + " / " + Format("%.0f", base), "", "");
    double ratio = base > 0 ? ours / base : 0;
    Report("start-up ratio", Format("%.2f", ratio), "<= 1.10", ratio > 0 && ratio <= 1.10 ? "met" : "not met");
}

// Points alternate between the two halves of the box, so that no two
// presses in a row fall within double-click distance.
std::vector<POINT> PressPoints(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<POINT> points;
    for (int i = 0; i < count; ++i) {
        int half = i % 2;
        points.push_back({static_cast<LONG>(half * 256 + 8 + random() % 240), static_cast<LONG>(random() % 512)});
    }
    return points;
}

void PickLatency(const Settings& settings, const Target& picker, const Target& bare)
{
    std::vector<double> ours, base;
    const int blocks = settings.presses >= 50 ? 10 : 1;
    const int perBlock = settings.presses / blocks;
    std::vector<POINT> points = PressPoints(perBlock, 7);
    for (int block = 0; block < blocks; ++block)
        for (const Target* target : {&picker, &bare}) {
            Running run(*target);
            if (run.WaitUntilUp() < 0)
                continue;
            SetForegroundWindow(run.Window());
            for (POINT point : points) {
                double took = run.Pick(point.x, point.y);
                if (took >= 0)
                    (target == &picker ? ours : base).push_back(took * 1000);
            }
            run.Close();
        }
    double median = Percentile(ours, 0.5), baseMedian = Percentile(base, 0.5);
    Report("pick latency, median / p99 (ms)", Format("%.2f", median) + " / " + Format("%.2f", Percentile(ours, 0.99)),
           "< 16.7 (median)", median > 0 && median < 16.7 ? "met" : "not met");
    Report("pick latency baseline, median / p99 (ms)",
           Format("%.2f", baseMedian) + " / " + Format("%.2f", Percentile(base, 0.99)), "", "");
    double ratio = baseMedian > 0 ? median / baseMedian : 0;
    Report("pick latency ratio (median)", Format("%.2f", ratio), "<= 1.20", ratio > 0 && ratio <= 1.20 ? "met" : "not met");
    Report("presses measured, picker / baseline",
           std::to_string(ours.size()) + " / " + std::to_string(base.size()), "", "");
}

std::string Memory(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(process, &counters, sizeof counters))
        return "unsupported";
    return Format("%.0f KiB", counters.WorkingSetSize / 1024.0) + " ws, " +
           Format("%.0f KiB", counters.PagefileUsage / 1024.0) + " private";
}

std::string GuiObjects(HANDLE process)
{
    SetLastError(0);
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    if (gdi == 0 && user == 0)
        return "unsupported";
    return std::to_string(gdi) + " GDI, " + std::to_string(user) + " USER";
}

void Footprint(const Settings& settings, const Target& picker)
{
    WIN32_FILE_ATTRIBUTE_DATA file{};
    GetFileAttributesExW(picker.path.c_str(), GetFileExInfoStandard, &file);
    double kib = file.nFileSizeLow / 1024.0;
    Report("executable size, stripped (KiB)", Format("%.1f", kib), "<= 96", kib <= 96 ? "met" : "not met");

    Running run(picker);
    if (run.WaitUntilUp() < 0) {
        Report("footprint", "program did not start", "", "not met");
        return;
    }
    HANDLE process = run.Process();
    std::string memoryAfterStart = Memory(process), objectsAfterStart = GuiObjects(process);
    std::vector<POINT> points = PressPoints(settings.footprintPicks, 11);
    for (POINT point : points)
        run.Pick(point.x, point.y);
    std::string memoryAfterPicks = Memory(process), objectsAfterPicks = GuiObjects(process);
    Report("memory after start", memoryAfterStart, "", "");
    Report("memory after " + std::to_string(points.size()) + " picks", memoryAfterPicks, "no growth",
           memoryAfterStart == memoryAfterPicks ? "met" : "see figures");
    Report("GDI / USER objects after start", objectsAfterStart, "", "");
    Report("GDI / USER objects after picks", objectsAfterPicks, "no growth",
           objectsAfterStart == objectsAfterPicks ? "met" : "not met");
    CloseHandle(process);
    run.Close();
}

class FixedPixel : public PixelSource {
public:
    DeviceContextHandle GetDC(WindowHandle) override { return this; }
    ColourValue GetPixel(DeviceContextHandle, std::int32_t x, std::int32_t y) override
    {
        return FieldPictureColour(FieldPicture::Square, x, y);
    }
    void ReleaseDC(WindowHandle, DeviceContextHandle) override {}
};

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void InProcess(const Settings& settings)
{
    std::vector<double> pictures;
    for (int i = 0; i < (settings.starts > 2 ? 20 : 3); ++i) {
        double start = Seconds();
        Bitmap square = MakeFieldBitmap(FieldPicture::Square);
        Bitmap strip = MakeFieldBitmap(FieldPicture::Strip);
        pictures.push_back((Seconds() - start) * 1000);
    }
    double building = Percentile(pictures, 0.5);
    Report("building both pictures, median (ms)", Format("%.2f", building), "< 5", building < 5 ? "met" : "not met");

    // The same without the bitmaps: how much of it is working out the field.
    std::vector<std::uint32_t> square(512 * 512), strip(256 * 512);
    std::vector<double> drawing;
    for (int i = 0; i < (settings.starts > 2 ? 20 : 3); ++i) {
        double start = Seconds();
        DrawFieldPicture(FieldPicture::Square, square.data());
        DrawFieldPicture(FieldPicture::Strip, strip.data());
        drawing.push_back((Seconds() - start) * 1000);
    }
    Report("  of which working out the field (ms)", Format("%.2f", Percentile(drawing, 0.5)), "", "");

    std::unique_ptr<MainWindow> window = MainWindow::Create(nullptr);
    if (!window) {
        Report("in-process window", "could not be created", "", "not met");
        return;
    }
    window->Show();
    PumpMessages();
    FixedPixel pixels;
    HWND box = window->ComponentHandle(InMainWindow(kPicBox2Id));
    const int picks = settings.footprintPicks;
    double start = Seconds();
    for (int i = 0; i < picks; ++i)
        PickColour(pixels, *window, box, i % 512, (i * 7) % 512);
    double perPick = (Seconds() - start) * 1e6 / picks;
    Report("one pick's ten writes, in process (us)", Format("%.1f", perPick), "", "");

    // Where a pick's time goes: one write of each kind.
    struct Write {
        const char* name;
        void (*run)(MainWindow&, int);
    } const writes[] = {
        {"window background", [](MainWindow& w, int i) { w.WriteColour(InMainWindow(kWindowComponentId), Property::BackgroundColour, i); }},
        {"caption colour", [](MainWindow& w, int i) { w.WriteColour(InMainWindow(kLabel1Id), Property::TextColour, i); }},
        {"box content", [](MainWindow& w, int i) { w.WriteText(InMainWindow(kEditBox1Id), Property::Content, i % 2 ? "16777215" : "255"); }},
    };
    for (const Write& write : writes) {
        double begin = Seconds();
        for (int i = 0; i < picks; ++i)
            write.run(*window, i);
        Report(std::string("  one ") + write.name + " write (us)", Format("%.1f", (Seconds() - begin) * 1e6 / picks), "", "");
    }

    long objectsBefore = LiveGdiObjects();
    for (int i = 0; i < picks; ++i) {
        PickColour(pixels, *window, box, (i * 13) % 512, (i * 5) % 512);
        UpdateWindow(window->Handle());
        for (const auto& control : window->Controls())
            UpdateWindow(control->Handle());
        PumpMessages();
    }
    long objectsAfter = LiveGdiObjects();
    Report("own GDI objects before / after " + std::to_string(picks) + " picks and paints",
           std::to_string(objectsBefore) + " / " + std::to_string(objectsAfter), "no growth",
           objectsBefore == objectsAfter ? "met" : "not met");
}

} // namespace

int main(int argc, char** argv)
{
    Settings settings;
    bool startUpOnly = false;
    std::vector<char*> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0)
            settings = {2, 10, 20};
        else if (std::strcmp(argv[i], "--start-up") == 0)
            startUpOnly = true;
        else
            paths.push_back(argv[i]);
    }
    paths.insert(paths.begin(), argv[0]);
    driver::SetProgramPaths(static_cast<int>(paths.size()), paths.data());
    if (paths.size() < 3) {
        std::fprintf(stderr, "usage: PickerBench ColourPicker.exe BareWindow.exe [--smoke | --start-up]\n");
        return 2;
    }
    Target picker = Picker();
    Target bare = Bare(driver::FaultProgramPath());  // the second path is the baseline here

    std::printf("measuring (%s)\n", settings.starts > 2 ? "full run" : "smoke run");
    if (startUpOnly) {
        StartUp(settings, picker, bare);
        return 0;
    }
    InProcess(settings);
    Footprint(settings, picker);
    StartUp(settings, picker, bare);
    PickLatency(settings, picker, bare);

    std::printf("\n| figure | value | goal | |\n|---|---|---|---|\n");
    for (const Row& row : rows)
        std::printf("| %s | %s | %s | %s |\n", row.figure.c_str(), row.value.c_str(), row.goal.c_str(),
                    row.verdict.c_str());
    return 0;
}
