#include "window/Gdi.h"

namespace {

long liveGdiObjects = 0;

} // namespace

long LiveGdiObjects()
{
    return liveGdiObjects;
}

void gdi_detail::Created()
{
    ++liveGdiObjects;
}

void gdi_detail::Deleted()
{
    --liveGdiObjects;
}

Brush SolidBrushOf(ColourValue colour)
{
    COLORREF platformColour = colour == kSystemFaceColour ? GetSysColor(COLOR_BTNFACE)
                                                          : static_cast<COLORREF>(colour);
    return Brush(CreateSolidBrush(platformColour));
}
