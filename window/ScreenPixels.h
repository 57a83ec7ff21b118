#pragma once

#include "colour/PickColour.h"

// Reads pixels through the platform: a window's DC, GetPixel, ReleaseDC.
class ScreenPixels : public PixelSource {
public:
    DeviceContextHandle GetDC(WindowHandle window) override;
    ColourValue GetPixel(DeviceContextHandle dc, std::int32_t x, std::int32_t y) override;
    void ReleaseDC(WindowHandle window, DeviceContextHandle dc) override;
};
