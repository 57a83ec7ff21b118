#include "colour/PickColour.h"

#include "colour/ColourText.h"

namespace {

constexpr ComponentAddress kLabels[] = {
    InMainWindow(kLabel1Id), InMainWindow(kLabel2Id), InMainWindow(kLabel3Id)};

// The text is made by the caller just before the write and released as soon
// as the write has returned, so no two texts of a pick are ever alive at once.
void WriteContent(PropertySink& sink, ComponentId editBox, Text text)
{
    sink.WriteText(InMainWindow(editBox), Property::Content, text.Bytes());
}

} // namespace

void PickColour(PixelSource& pixels, PropertySink& sink, WindowHandle pictureBox,
                std::int32_t x, std::int32_t y)
{
    DeviceContextHandle dc = pixels.GetDC(pictureBox);
    // Read even without a DC: whatever comes back, CLR_INVALID included, is shown.
    ColourValue colour = pixels.GetPixel(dc, x, y);
    if (dc)
        pixels.ReleaseDC(pictureBox, dc);

    sink.WriteColour(InMainWindow(kWindowComponentId), Property::BackgroundColour, colour);
    for (ComponentAddress label : kLabels)
        sink.WriteColour(label, Property::BackgroundColour, colour);

    ColourValue textColour = LabelTextColourFor(colour);
    for (ComponentAddress label : kLabels)
        sink.WriteColour(label, Property::TextColour, textColour);

    WriteContent(sink, kEditBox1Id, DecimalColourText(colour));
    WriteContent(sink, kEditBox2Id, HexColourText(colour));
    WriteContent(sink, kEditBox3Id, HtmlColourText(colour));
}
