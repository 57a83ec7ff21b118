#include "window/Label.h"

#include "window/Gdi.h"

#include <cwchar>

namespace {

constexpr wchar_t kClassName[] = L"ColourPickerLabel";

} // namespace

std::unique_ptr<Label> Label::Create(const ControlDescription& description, HWND parent)
{
    if (!RegisterClassOnce(kClassName, 0, IDC_ARROW))
        return nullptr;
    std::unique_ptr<Label> label(new Label(description));
    if (!label->CreateChildHandle(kClassName, description.caption, description, parent))
        return nullptr;
    return label;
}

void Label::WriteColour(Property property, ColourValue value)
{
    if (property == Property::BackgroundColour)
        background_ = value;
    else if (property == Property::TextColour)
        text_ = value;
    else
        return;
    // Painting waits for the message loop, so both colours of a pick show together.
    InvalidateRect(Handle(), nullptr, FALSE);
}

void Label::OnPaint()
{
    PaintDc paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    RECT area;
    if (!IntersectRect(&area, &paint.Area(), &client))
        return;

    FillRect(paint.Get(), &area, SolidBrushOf(background_).Get());

    const wchar_t* caption = Description().caption;
    if (!caption || !*caption)
        return;
    SelectedObject font(paint.Get(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(paint.Get(), TRANSPARENT);
    SetTextColor(paint.Get(), static_cast<COLORREF>(text_));
    DrawTextW(paint.Get(), caption, -1, &client, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}
