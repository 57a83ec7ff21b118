#pragma once

#include "window/Control.h"
#include "window/Gdi.h"
#include "window/Window.h"

// A borderless box showing one colour-field picture, built once at full size
// when the box is made so that every repaint is a plain unscaled copy and a
// pixel read finds exactly the colour of the field.
class PictureBox : public Window, public Control {
public:
    static std::unique_ptr<PictureBox> Create(const ControlDescription& description, HWND parent);

    HWND Handle() const override { return Window::Handle(); }
    bool HasPicture() const { return static_cast<bool>(picture_); }

private:
    explicit PictureBox(const ControlDescription& description) : Control(description) {}
    void OnPaint() override;

    Bitmap picture_;
};

// The picture as a 32-bit top-down DIB section; empty if it cannot be made.
Bitmap MakeFieldBitmap(FieldPicture picture);
