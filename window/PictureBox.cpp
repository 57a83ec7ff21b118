#include "window/PictureBox.h"

#include <cstdint>

namespace {

constexpr wchar_t kClassName[] = L"ColourPickerPicBox";

} // namespace

Bitmap MakeFieldBitmap(FieldPicture picture)
{
    PictureSize size = FieldPictureSize(picture);
    if (size.width == 0)
        return Bitmap();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (bitmap && pixels) {
        DrawFieldPicture(picture, static_cast<std::uint32_t*>(pixels));
        GdiFlush();
    }
    return bitmap;
}

std::unique_ptr<PictureBox> PictureBox::Create(const ControlDescription& description, HWND parent)
{
    // Double clicks are asked for so that the second press of a pair arrives
    // as a double click, which picks nothing.
    if (!RegisterClassOnce(kClassName, CS_DBLCLKS, IDC_ARROW))
        return nullptr;
    std::unique_ptr<PictureBox> box(new PictureBox(description));
    box->picture_ = MakeFieldBitmap(description.picture);
    if (!box->CreateChildHandle(kClassName, L"", description, parent))
        return nullptr;
    return box;
}

void PictureBox::OnPaint()
{
    PaintDc paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(paint.Get(), &client, SolidBrushOf(kSystemFaceColour).Get());
    if (!picture_)
        return;
    MemoryDc source(paint.Get());
    SelectedObject selected(source.Get(), picture_.Get());
    PictureSize size = FieldPictureSize(Description().picture);
    BitBlt(paint.Get(), 0, 0, size.width, size.height, source.Get(), 0, 0, SRCCOPY);
}
