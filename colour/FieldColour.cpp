#include "colour/FieldColour.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

struct Channels {
    double red, green, blue;
};

// The fully saturated colour at hue angle degrees, each channel 0 to 255.
Channels PureColour(double degrees)
{
    double rising = 255.0 * std::fmod(degrees, 60.0) / 60.0;
    double falling = 255.0 - rising;
    switch (static_cast<int>(degrees / 60.0)) {
    case 0: return {255, rising, 0};
    case 1: return {falling, 255, 0};
    case 2: return {0, 255, rising};
    case 3: return {0, falling, 255};
    case 4: return {rising, 0, 255};
    default: return {255, 0, falling};
    }
}

// How one channel of one hue runs with lightness: up from black along the
// dark half, then from the pure colour up to white along the light half.
// The dark half never quite reaches black in its smallest channel: it runs up
// to 6 at l = 255, one step before the pure colour at l = 256.
struct ChannelShades {
    double darkStep;
    double pure;
    double lightStep;

    explicit ChannelShades(double pureChannel)
        : darkStep((6.0 + pureChannel * 249.0 / 255.0) / 255.0),
          pure(pureChannel),
          lightStep((255.0 - pureChannel) / 255.0)
    {
    }
    double Dark(int lightness) const { return lightness * darkStep; }
    double Light(int lightness) const { return pure + (lightness - 256) * lightStep; }
    double At(int lightness) const { return lightness < 256 ? Dark(lightness) : Light(lightness); }
};

// Channels are never negative, so truncating after adding a half rounds
// halves upwards.
int Rounded(double channel)
{
    return static_cast<int>(channel + 0.5);
}

// A 32-bit DIB holds 0x00RRGGBB, the reverse of a COLORREF's byte order.
std::uint32_t DibWord(int red, int green, int blue)
{
    return (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(green) << 8) |
           static_cast<std::uint32_t>(blue);
}

// The three channels of one hue, worked out once for all its lightnesses.
struct HueShades {
    ChannelShades red, green, blue;

    explicit HueShades(Channels pure) : red(pure.red), green(pure.green), blue(pure.blue) {}
    explicit HueShades(int hue) : HueShades(PureColour(360.0 * hue / kFieldHues)) {}

    ColourValue At(int lightness) const
    {
        return Rounded(red.At(lightness)) | (Rounded(green.At(lightness)) << 8) |
               (Rounded(blue.At(lightness)) << 16);
    }

    // The whole row of lightnesses as 32-bit DIB words (0x00RRGGBB), each
    // half in a loop of its own so that the inner loops do not branch.
    void DrawRow(std::uint32_t* row) const
    {
        for (int l = 0; l < 256; ++l)
            row[l] = DibWord(Rounded(red.Dark(l)), Rounded(green.Dark(l)), Rounded(blue.Dark(l)));
        for (int l = 256; l < kFieldLightnesses; ++l)
            row[l] = DibWord(Rounded(red.Light(l)), Rounded(green.Light(l)), Rounded(blue.Light(l)));
    }
};

} // namespace

ColourValue FieldColour(int hue, int lightness)
{
    return HueShades(hue).At(lightness);
}

PictureSize FieldPictureSize(FieldPicture picture)
{
    switch (picture) {
    case FieldPicture::Square: return {kFieldLightnesses, 2 * kFieldHues};
    case FieldPicture::Strip: return {kFieldHues, kFieldLightnesses};
    default: return {0, 0};
    }
}

ColourValue FieldPictureColour(FieldPicture picture, int x, int y)
{
    if (picture == FieldPicture::Square)
        return FieldColour(y / 2, x);
    return FieldColour(x, kFieldLightnesses - 1 - y);
}

void DrawFieldPicture(FieldPicture picture, std::uint32_t* pixels)
{
    // Each field colour is worked out once, from the pure colour of its hue:
    // the square takes rows of lightness, the strip the same values turned a
    // quarter turn.
    PictureSize size = FieldPictureSize(picture);
    if (size.width == 0)
        return;
    std::uint32_t row[kFieldLightnesses];
    for (int hue = 0; hue < kFieldHues; ++hue) {
        HueShades(hue).DrawRow(row);
        if (picture == FieldPicture::Square) {
            std::uint32_t* even = pixels + static_cast<std::size_t>(2 * hue) * size.width;
            std::copy(row, row + kFieldLightnesses, even);
            std::copy(row, row + kFieldLightnesses, even + size.width);
        } else {
            for (int y = 0; y < size.height; ++y)
                pixels[static_cast<std::size_t>(y) * size.width + hue] = row[kFieldLightnesses - 1 - y];
        }
    }
}
