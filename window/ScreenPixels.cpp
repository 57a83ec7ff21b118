#include "window/ScreenPixels.h"

#include <windows.h>

DeviceContextHandle ScreenPixels::GetDC(WindowHandle window)
{
    return ::GetDC(static_cast<HWND>(window));
}

ColourValue ScreenPixels::GetPixel(DeviceContextHandle dc, std::int32_t x, std::int32_t y)
{
    return static_cast<ColourValue>(::GetPixel(static_cast<HDC>(dc), x, y));
}

void ScreenPixels::ReleaseDC(WindowHandle window, DeviceContextHandle dc)
{
    ::ReleaseDC(static_cast<HWND>(window), static_cast<HDC>(dc));
}
