#pragma once

#include "colour/ColourValue.h"
#include "window/WindowDescription.h"

#include <cstdint>

// Opaque platform handles: the core never looks inside them.
using WindowHandle = void*;
using DeviceContextHandle = void*;

// Where a pick reads its pixel: GetDC, GetPixel and ReleaseDC on Windows, a
// stand-in in the core's tests.
class PixelSource {
public:
    virtual DeviceContextHandle GetDC(WindowHandle window) = 0;
    virtual ColourValue GetPixel(DeviceContextHandle dc, std::int32_t x, std::int32_t y) = 0;
    virtual void ReleaseDC(WindowHandle window, DeviceContextHandle dc) = 0;

protected:
    ~PixelSource() = default;
};

enum class Property { BackgroundColour, TextColour, Content };

// Where a pick's writes go, each addressed to one property of one component.
class PropertySink {
public:
    virtual void WriteColour(ComponentAddress component, Property property, ColourValue value) = 0;
    // The text lives only for the call: a component that keeps it copies it.
    virtual void WriteText(ComponentAddress component, Property property, const char* text) = 0;

protected:
    ~PropertySink() = default;
};

// Reads the pixel at (x, y) of a picture box's client area and shows it: the
// window and caption backgrounds take the colour, the captions' text a colour
// derived from it, and the read-out boxes its three texts.
void PickColour(PixelSource& pixels, PropertySink& sink, WindowHandle pictureBox,
                std::int32_t x, std::int32_t y);
