#pragma once

#include "window/Control.h"
#include "window/Window.h"

// A caption that paints itself: its whole area in its background colour, then
// its text in its text colour on a transparent background, one line, left
// aligned and centred vertically.
class Label : public Window, public Control {
public:
    static std::unique_ptr<Label> Create(const ControlDescription& description, HWND parent);

    HWND Handle() const override { return Window::Handle(); }
    void WriteColour(Property property, ColourValue value) override;

    ColourValue BackgroundColour() const { return background_; }
    ColourValue TextColour() const { return text_; }

private:
    explicit Label(const ControlDescription& description) : Control(description) {}
    void OnPaint() override;

    ColourValue background_ = kLabelBackgroundColour;
    ColourValue text_ = kLabelTextColour;
};
