#pragma once

#include "colour/ColourValue.h"

#include <cstdint>

// The colour field the two pictures show: hue index h (0-255) round the colour
// circle from red, against lightness index l (0-511) from black through the
// pure colour at l = 256 to white. Packed in COLORREF layout.
ColourValue FieldColour(int hue, int lightness);

inline constexpr int kFieldHues = 256;
inline constexpr int kFieldLightnesses = 512;

// The two pictures made from the field, as the picture boxes show them.
// Square: lightness across, hue down, each hue on two rows (512 x 512).
// Strip: hue across, lightness up from black at the bottom (256 x 512).
enum class FieldPicture { None, Square, Strip };

struct PictureSize {
    int width;
    int height;
};

PictureSize FieldPictureSize(FieldPicture picture);

// The colour the picture shows at (x, y), top-left origin.
ColourValue FieldPictureColour(FieldPicture picture, int x, int y);

// Writes the whole picture, rows top down, one 0x00RRGGBB word a pixel (the
// layout of a 32-bit DIB), into pixels, which holds width x height words.
void DrawFieldPicture(FieldPicture picture, std::uint32_t* pixels);
