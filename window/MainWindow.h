#pragma once

#include "colour/PickColour.h"
#include "window/Control.h"
#include "window/Gdi.h"
#include "window/Window.h"

#include <array>
#include <memory>

// The program's one top-level window: the two colour-field pictures and the
// read-out row, built from the window description. It takes a pick's writes,
// and its pre-translation closes it on Esc and turns a left press on a picture
// into a pick.
class MainWindow : public Window, public PropertySink {
public:
    using GoneCallback = void (*)(HWND window);

    // Builds the window and all its controls, hidden; null if any part of it
    // cannot be created. onGone is told once the window has been destroyed.
    static std::unique_ptr<MainWindow> Create(GoneCallback onGone);

    // Shows the controls without activating them, then the window itself.
    void Show();

    ColourValue BackgroundColour() const { return background_; }
    // Stores the colour and marks the whole window for repainting; paints nothing.
    void SetBackgroundColour(ColourValue colour);

    // The control or window handle at an address, or null.
    HWND ComponentHandle(ComponentAddress address) const;
    Control* ControlAt(ComponentAddress address) const;
    const std::array<std::unique_ptr<Control>, kControlCount>& Controls() const { return controls_; }

    void WriteColour(ComponentAddress component, Property property, ColourValue value) override;
    void WriteText(ComponentAddress component, Property property, const char* text) override;

private:
    explicit MainWindow(GoneCallback onGone) : onGone_(onGone) {}
    bool Build();

    bool PreTranslateMessage(MSG& message) override;
    bool OnKeyDown(const MSG& message);
    void OnLeftButtonPressed(const Control& control, std::int32_t x, std::int32_t y, std::int32_t keys);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    bool OnSetCursor(HWND under, UINT hitTest);
    void OnActivate(WPARAM state);
    void OnSetFocus();

    Control* ControlWithHandle(HWND window) const;

    GoneCallback onGone_;
    ColourValue background_ = kMainWindow.backgroundColour;
    std::array<std::unique_ptr<Control>, kControlCount> controls_;  // in list order
    Icon largeIcon_;
    Icon smallIcon_;
    HWND focusWhenDeactivated_ = nullptr;
    HFONT font_ = nullptr;
};
