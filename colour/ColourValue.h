#pragma once

#include <cstdint>

// A colour in the layout of a Windows COLORREF: red in bits 0-7, green in
// 8-15, blue in 16-23. All 32 bits are kept and handed on as they are; nothing
// masks the top byte away or clamps the value.
using ColourValue = std::int32_t;

// Stored as a background colour, this stands for the system's 3-D face colour,
// looked up afresh at each paint so that it follows changes of system colours.
inline constexpr ColourValue kSystemFaceColour = static_cast<ColourValue>(0xFF000000u);

// What a pixel read returns for a point it cannot read (CLR_INVALID).
inline constexpr ColourValue kInvalidColour = -1;
