#include "colour/ColourText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace {

std::string Str(const Text& text)
{
    return std::string(text.Bytes(), text.Length());
}

// The closed form the floating-point steps must agree with.
ColourValue ExpectedLabelTextColour(ColourValue colour)
{
    std::int64_t shifted = static_cast<std::int64_t>(colour) + (colour >= -32767 ? 32767 : 32768);
    return static_cast<ColourValue>(static_cast<std::uint32_t>(shifted));
}

struct FormsCase {
    ColourValue colour;
    const char* decimal;
    const char* hex;
    const char* html;
    std::uint32_t labelText;
};

const FormsCase kFormsCases[] = {
    {0, "0", "0", "#000000", 0x00007FFF},
    {255, "255", "FF", "#FF0000", 0x000080FE},
    {65280, "65280", "FF00", "#00FF00", 0x00017EFF},
    {16711680, "16711680", "FF0000", "#0000FF", 0x00FF7FFF},
    {16777215, "16777215", "FFFFFF", "#FFFFFF", 0x01007FFE},
    {0x00123456, "1193046", "123456", "#563412", 0x0012B455},
    {0x00808080, "8421504", "808080", "#808080", 0x0081007F},
    {0x00FF8000, "16744448", "FF8000", "#0080FF", 0x00FFFFFF},
    {0x00FF8001, "16744449", "FF8001", "#0180FF", 0x01000000},
    {-1, "-1", "FFFFFFFF", "#FFFFFF", 0x00007FFE},
    {INT32_MIN, "-2147483648", "80000000", "#000000", 0x80008000},
    {INT32_MAX, "2147483647", "7FFFFFFF", "#FFFFFF", 0x80007FFE},
    {0x7F0000FF, "2130706687", "7F0000FF", "#FF0000", 0x7F0080FE},
    {-32768, "-32768", "FFFF8000", "#0080FF", 0x00000000},
    {-32769, "-32769", "FFFF7FFF", "#FF7FFF", 0xFFFFFFFF},
    {-32767, "-32767", "FFFF8001", "#0180FF", 0x00000000},
};

TEST(ColourTextTest, AllFormsOfTellingValues)
{
    for (const FormsCase& c : kFormsCases) {
        SCOPED_TRACE("colour " + std::to_string(c.colour));
        EXPECT_EQ(Str(DecimalColourText(c.colour)), c.decimal);
        EXPECT_EQ(Str(HexColourText(c.colour)), c.hex);
        EXPECT_EQ(Str(HtmlColourText(c.colour)), c.html);
        EXPECT_EQ(Str(HtmlColourDigits(c.colour)), std::string(c.html + 1));
        EXPECT_EQ(static_cast<std::uint32_t>(LabelTextColourFor(c.colour)), c.labelText);
    }
}

TEST(ColourTextTest, TopByteShowsInDecimalAndHexButNotInHtml)
{
    struct Case {
        std::uint32_t colour;
        const char* decimal;
        const char* hex;
    } const cases[] = {
        {0x01123456, "17970262", "1123456"},
        {0x7F123456, "2131899478", "7F123456"},
        {0x80123456, "-2146290602", "80123456"},
        {0xFE123456, "-32361386", "FE123456"},
    };
    for (const Case& c : cases) {
        auto colour = static_cast<ColourValue>(c.colour);
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(Str(DecimalColourText(colour)), c.decimal);
        EXPECT_EQ(Str(HexColourText(colour)), c.hex);
        EXPECT_EQ(Str(HtmlColourText(colour)), "#563412");
    }
}

// Every text is terminated right after its last byte, so a control that reads
// up to the zero byte sees exactly the text.
TEST(ColourTextTest, TextsAreTerminatedAndWithinTheirLengths)
{
    for (ColourValue colour : {0, 255, -1, INT32_MIN, INT32_MAX, 0x00ABCDEF}) {
        Text decimal = DecimalColourText(colour);
        Text hex = HexColourText(colour);
        Text html = HtmlColourText(colour);
        EXPECT_LE(decimal.Length(), 11u);
        EXPECT_LE(hex.Length(), 8u);
        EXPECT_EQ(html.Length(), 7u);
        for (const Text* text : {&decimal, &hex, &html})
            EXPECT_EQ(text->Bytes()[text->Length()], '\0');
    }
}

// The whole 2^32 range runs in the benchmarks; here the boundaries and a
// stride that visits every region of it.
TEST(ColourTextTest, LabelTextColourMatchesClosedFormAcrossTheRange)
{
    for (std::int64_t c = INT32_MIN; c <= INT32_MAX; c += 65521) {
        auto colour = static_cast<ColourValue>(c);
        ASSERT_EQ(LabelTextColourFor(colour), ExpectedLabelTextColour(colour)) << colour;
    }
    for (std::int64_t c : {std::int64_t{INT32_MIN}, std::int64_t{INT32_MIN} + 1, std::int64_t{-32769},
                           std::int64_t{-32768}, std::int64_t{-32767}, std::int64_t{-1}, std::int64_t{0},
                           std::int64_t{0xFF8000}, std::int64_t{0xFF8001}, std::int64_t{INT32_MAX}}) {
        auto colour = static_cast<ColourValue>(c);
        EXPECT_EQ(LabelTextColourFor(colour), ExpectedLabelTextColour(colour)) << colour;
    }
}

} // namespace
