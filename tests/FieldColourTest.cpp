#include "colour/FieldColour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int red, green, blue;
};

Rgb Channels(ColourValue colour)
{
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

int LargestDifference(Rgb a, Rgb b)
{
    return std::max({std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
}

TEST(FieldColourTest, NamedValuesOfTheRule)
{
    struct Case {
        int hue, lightness;
        Rgb expected;
    } const cases[] = {
        {0, 0, {0, 0, 0}},          {0, 128, {128, 3, 3}},     {0, 255, {255, 6, 6}},
        {0, 256, {255, 0, 0}},      {0, 384, {255, 128, 128}}, {0, 511, {255, 255, 255}},
        {32, 256, {255, 191, 0}},   {128, 256, {0, 255, 255}}, {255, 256, {255, 0, 6}},
        {128, 511, {255, 255, 255}}, {200, 0, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        Rgb actual = Channels(FieldColour(c.hue, c.lightness));
        SCOPED_TRACE("h=" + std::to_string(c.hue) + " l=" + std::to_string(c.lightness));
        EXPECT_EQ(actual.red, c.expected.red);
        EXPECT_EQ(actual.green, c.expected.green);
        EXPECT_EQ(actual.blue, c.expected.blue);
    }
}

TEST(FieldColourTest, TopByteIsAlwaysZero)
{
    for (int h = 0; h < kFieldHues; ++h)
        for (int l = 0; l < kFieldLightnesses; ++l)
            ASSERT_EQ(FieldColour(h, l) & 0xFF000000, 0) << h << "," << l;
}

// Decoded pixels of the reference pictures: the rule follows them within
// four levels in every channel.
TEST(FieldColourTest, FollowsTheReferencePicturesWithinFourLevels)
{
    const int lightnesses[] = {0, 64, 128, 192, 255, 256, 320, 384, 448, 511};
    struct Row {
        int hue;
        Rgb pixels[10];
    } const square[] = {
        {0, {{0,0,0},{64,3,2},{129,3,4},{190,5,3},{254,6,4},{253,1,0},{253,64,62},{254,129,127},{254,193,192},{255,255,255}}},
        {32, {{0,0,0},{64,47,1},{128,95,2},{192,143,6},{255,189,5},{255,187,0},{254,205,64},{255,222,129},{255,238,192},{255,255,255}}},
        {64, {{0,0,0},{33,65,2},{64,129,3},{96,192,4},{130,254,6},{125,255,1},{158,254,66},{190,255,129},{223,254,194},{255,255,255}}},
        {96, {{0,0,0},{2,63,19},{3,128,34},{5,192,53},{5,255,69},{0,255,63},{64,255,115},{128,255,163},{193,255,208},{255,255,255}}},
        {128, {{0,0,0},{2,63,64},{5,129,131},{5,193,195},{6,254,254},{1,255,255},{65,254,255},{130,254,255},{194,254,255},{255,255,255}}},
        {160, {{1,1,1},{2,19,65},{4,34,130},{7,52,193},{8,69,255},{1,64,255},{66,113,255},{127,160,255},{192,209,255},{255,255,255}}},
        {192, {{0,0,0},{33,1,64},{64,2,127},{97,5,192},{129,7,255},{126,1,255},{160,63,254},{192,127,253},{223,191,254},{255,255,255}}},
        {224, {{0,0,0},{64,3,47},{128,3,95},{193,5,143},{255,5,190},{255,0,188},{254,63,203},{255,127,220},{255,192,237},{255,255,255}}},
        {255, {{0,1,0},{66,1,5},{128,3,7},{191,5,10},{253,6,14},{254,1,6},{253,64,68},{254,128,132},{254,192,193},{255,255,255}}},
    };
    for (const Row& row : square)
        for (int i = 0; i < 10; ++i) {
            Rgb actual = Channels(FieldColour(row.hue, lightnesses[i]));
            EXPECT_LE(LargestDifference(actual, row.pixels[i]), 4)
                << "square h=" << row.hue << " l=" << lightnesses[i];
        }

    // The strip's rows count lightness down from white: row y is 511 - y.
    const int hues[] = {0, 32, 64, 96, 128, 160, 192, 224, 255};
    struct StripRow {
        int y;
        Rgb pixels[9];
    } const strip[] = {
        {0, {{255,255,255},{255,255,255},{255,255,255},{255,255,255},{255,255,255},{255,255,255},{255,255,255},{255,255,255},{255,255,255}}},
        {63, {{254,193,192},{255,238,192},{223,255,192},{192,255,210},{193,254,255},{192,209,255},{223,193,255},{255,192,237},{254,192,193}}},
        {127, {{254,129,127},{255,222,127},{190,255,129},{128,255,163},{130,254,255},{129,159,255},{190,128,253},{255,127,220},{255,129,133}}},
        {191, {{254,65,63},{254,205,64},{158,254,66},{64,255,115},{65,254,255},{66,112,255},{160,63,254},{255,64,203},{254,65,69}}},
        {255, {{253,1,0},{255,187,0},{127,254,1},{0,255,65},{1,255,255},{1,64,255},{125,0,254},{255,0,187},{254,1,6}}},
        {256, {{254,6,4},{255,189,5},{130,254,8},{6,255,70},{6,254,254},{8,69,255},{128,6,254},{255,5,190},{253,6,14}}},
        {319, {{191,6,4},{192,143,6},{96,192,4},{5,192,53},{4,192,194},{6,53,193},{97,5,192},{193,5,143},{191,5,10}}},
        {383, {{128,4,4},{128,95,2},{64,129,3},{3,128,34},{4,128,130},{4,35,128},{66,1,127},{128,3,95},{128,3,7}}},
        {447, {{64,3,2},{64,47,1},{33,65,2},{2,63,19},{2,63,64},{2,19,65},{33,1,64},{64,3,47},{64,2,5}}},
        {511, {{0,0,0},{0,0,0},{0,0,0},{0,0,0},{0,0,0},{0,0,0},{0,0,0},{0,0,0},{0,0,0}}},
    };
    for (const StripRow& row : strip)
        for (int i = 0; i < 9; ++i) {
            Rgb actual = Channels(FieldColour(hues[i], 511 - row.y));
            EXPECT_LE(LargestDifference(actual, row.pixels[i]), 4)
                << "strip x=" << hues[i] << " y=" << row.y;
        }
}

} // namespace

namespace {

// The pictures are drawn a row of lightness at a time; every pixel must still
// be the rule's colour at that point, in the DIB's 0x00RRGGBB order.
TEST(FieldColourTest, DrawnPicturesHoldTheRuleAtEveryPixel)
{
    for (FieldPicture picture : {FieldPicture::Square, FieldPicture::Strip}) {
        PictureSize size = FieldPictureSize(picture);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) * size.height, 0xDEADBEEF);
        DrawFieldPicture(picture, pixels.data());
        int wrong = 0;
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x) {
                Rgb expected = Channels(FieldPictureColour(picture, x, y));
                std::uint32_t word = pixels[static_cast<std::size_t>(y) * size.width + x];
                Rgb drawn = {static_cast<int>((word >> 16) & 0xFF), static_cast<int>((word >> 8) & 0xFF),
                             static_cast<int>(word & 0xFF)};
                if (LargestDifference(drawn, expected) != 0 || (word >> 24) != 0)
                    ++wrong;
            }
        EXPECT_EQ(wrong, 0) << (picture == FieldPicture::Square ? "square" : "strip");
    }
}

TEST(FieldColourTest, PictureLayouts)
{
    EXPECT_EQ(FieldPictureSize(FieldPicture::Square).width, 512);
    EXPECT_EQ(FieldPictureSize(FieldPicture::Square).height, 512);
    EXPECT_EQ(FieldPictureSize(FieldPicture::Strip).width, 256);
    EXPECT_EQ(FieldPictureSize(FieldPicture::Strip).height, 512);
    // Rows 2k and 2k + 1 of the square show hue k; the strip is lightness up.
    EXPECT_EQ(FieldPictureColour(FieldPicture::Square, 256, 511), FieldColour(255, 256));
    EXPECT_EQ(FieldPictureColour(FieldPicture::Square, 256, 256), 0x00FFFF00);
    EXPECT_EQ(FieldPictureColour(FieldPicture::Strip, 0, 255), 0x000000FF);
    EXPECT_EQ(FieldPictureColour(FieldPicture::Strip, 128, 255), 0x00FFFF00);
    EXPECT_EQ(FieldPictureColour(FieldPicture::Strip, 0, 0), 0x00FFFFFF);
    EXPECT_EQ(FieldPictureColour(FieldPicture::Strip, 0, 511), 0);
}

} // namespace
