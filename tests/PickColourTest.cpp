#include "colour/PickColour.h"

#include "colour/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

WindowHandle const kBox = reinterpret_cast<WindowHandle>(0x1234);
DeviceContextHandle const kBoxDc = reinterpret_cast<DeviceContextHandle>(0x5678);

// Hands out a fixed DC and colour and records each call in order.
class FakePixelSource : public PixelSource {
public:
    DeviceContextHandle dc = kBoxDc;
    ColourValue colour = 0;
    std::vector<std::string> calls;
    int readX = -1, readY = -1;
    DeviceContextHandle readFrom = nullptr;

    DeviceContextHandle GetDC(WindowHandle window) override
    {
        calls.push_back(window == kBox ? "GetDC(box)" : "GetDC(?)");
        return dc;
    }
    ColourValue GetPixel(DeviceContextHandle from, std::int32_t x, std::int32_t y) override
    {
        calls.push_back("GetPixel");
        readFrom = from;
        readX = x;
        readY = y;
        return colour;
    }
    void ReleaseDC(WindowHandle window, DeviceContextHandle released) override
    {
        calls.push_back(window == kBox && released == dc ? "ReleaseDC(box, dc)" : "ReleaseDC(?)");
    }
};

struct Write {
    ComponentAddress component;
    Property property;
    ColourValue colour;
    std::string text;
    std::size_t liveTexts;
};

class RecordingSink : public PropertySink {
public:
    std::vector<Write> writes;

    void WriteColour(ComponentAddress component, Property property, ColourValue value) override
    {
        writes.push_back({component, property, value, {}, LiveTextCount()});
    }
    void WriteText(ComponentAddress component, Property property, const char* text) override
    {
        writes.push_back({component, property, 0, text, LiveTextCount()});
    }
};

struct PickCase {
    const char* name;
    ColourValue pixel;
    ColourValue labelText;
    const char* decimal;
    const char* hex;
    const char* html;
};

const PickCase kPickCases[] = {
    {"pure red", 255, 0x000080FE, "255", "FF", "#FF0000"},
    {"0x00123456", 0x00123456, 0x0012B455, "1193046", "123456", "#563412"},
    {"failed read", -1, 0x00007FFE, "-1", "FFFFFFFF", "#FFFFFF"},
};

std::vector<Write> ExpectedWrites(const PickCase& c)
{
    auto colour = [](ComponentId id, Property p, ColourValue v) {
        return Write{InMainWindow(id), p, v, {}, 0};
    };
    auto text = [](ComponentId id, const char* t) {
        return Write{InMainWindow(id), Property::Content, 0, t, 1};
    };
    return {
        colour(kWindowComponentId, Property::BackgroundColour, c.pixel),
        colour(kLabel1Id, Property::BackgroundColour, c.pixel),
        colour(kLabel2Id, Property::BackgroundColour, c.pixel),
        colour(kLabel3Id, Property::BackgroundColour, c.pixel),
        colour(kLabel1Id, Property::TextColour, c.labelText),
        colour(kLabel2Id, Property::TextColour, c.labelText),
        colour(kLabel3Id, Property::TextColour, c.labelText),
        text(kEditBox1Id, c.decimal),
        text(kEditBox2Id, c.hex),
        text(kEditBox3Id, c.html),
    };
}

void ExpectSameWrites(const std::vector<Write>& actual, const std::vector<Write>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        SCOPED_TRACE("row " + std::to_string(row + 1));
        EXPECT_EQ(actual[row].component, expected[row].component);
        EXPECT_EQ(actual[row].property, expected[row].property);
        EXPECT_EQ(actual[row].colour, expected[row].colour);
        EXPECT_EQ(actual[row].text, expected[row].text);
        // Exactly the one text being written exists during a content write.
        EXPECT_EQ(actual[row].liveTexts, expected[row].liveTexts);
    }
}

TEST(PickColourTest, MakesTheTenWritesInOrder)
{
    for (const PickCase& c : kPickCases) {
        SCOPED_TRACE(c.name);
        FakePixelSource pixels;
        pixels.colour = c.pixel;
        RecordingSink sink;

        PickColour(pixels, sink, kBox, 17, 300);

        ExpectSameWrites(sink.writes, ExpectedWrites(c));
        EXPECT_EQ(LiveTextCount(), 0u);
    }
}

TEST(PickColourTest, ReadsThroughTheBoxDcAndReleasesItBeforeWriting)
{
    FakePixelSource pixels;
    RecordingSink sink;

    PickColour(pixels, sink, kBox, 0, 511);

    EXPECT_EQ(pixels.calls, (std::vector<std::string>{"GetDC(box)", "GetPixel", "ReleaseDC(box, dc)"}));
    EXPECT_EQ(pixels.readFrom, kBoxDc);
    EXPECT_EQ(pixels.readX, 0);
    EXPECT_EQ(pixels.readY, 511);
}

TEST(PickColourTest, WithoutADcStillReadsAndShowsTheResultButReleasesNothing)
{
    FakePixelSource pixels;
    pixels.dc = nullptr;
    pixels.colour = -1;
    RecordingSink sink;

    PickColour(pixels, sink, kBox, 5, 6);

    EXPECT_EQ(pixels.calls, (std::vector<std::string>{"GetDC(box)", "GetPixel"}));
    EXPECT_EQ(pixels.readFrom, nullptr);
    ExpectSameWrites(sink.writes, ExpectedWrites(kPickCases[2]));
}

TEST(PickColourTest, PickingTwiceWritesEveryRowBothTimes)
{
    FakePixelSource pixels;
    pixels.colour = 0x00123456;
    RecordingSink sink;

    PickColour(pixels, sink, kBox, 1, 1);
    PickColour(pixels, sink, kBox, 1, 1);

    std::vector<Write> twice = ExpectedWrites(kPickCases[1]);
    std::vector<Write> once = twice;
    twice.insert(twice.end(), once.begin(), once.end());
    ExpectSameWrites(sink.writes, twice);
}

} // namespace
