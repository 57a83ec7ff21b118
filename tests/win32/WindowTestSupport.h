#pragma once

// What the in-process window tests share: the identifiers written out as the
// layout gives them (so the tests check the table rather than restate it),
// a message pump, and a way back to the window's look before any pick.

#include "window/MainWindow.h"

#include <windows.h>

#include <string>

namespace window_test {

constexpr ComponentId kPicBox1 = 0x16011521;
constexpr ComponentId kPicBox2 = 0x16011522;
constexpr ComponentId kLabel1 = 0x16011529;
constexpr ComponentId kLabel2 = 0x1601152A;
constexpr ComponentId kLabel3 = 0x1601152C;
constexpr ComponentId kEditBox1 = 0x16011528;
constexpr ComponentId kEditBox2 = 0x1601152B;
constexpr ComponentId kEditBox3 = 0x1601152D;
constexpr ComponentId kLabels[] = {kLabel1, kLabel2, kLabel3};
constexpr ComponentId kEditBoxes[] = {kEditBox1, kEditBox2, kEditBox3};

constexpr ColourValue kFace = static_cast<ColourValue>(0xFF000000u);

inline void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

inline std::string TextOf(HWND window)
{
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
    return text;
}

// Puts every setting that a pick writes back to how the window starts, and
// paints it so.
inline void ResetToStart(MainWindow& window)
{
    window.WriteColour(InMainWindow(0x06010000), Property::BackgroundColour, kFace);
    for (ComponentId label : kLabels) {
        window.WriteColour(InMainWindow(label), Property::BackgroundColour, kFace);
        window.WriteColour(InMainWindow(label), Property::TextColour, 0);
    }
    for (ComponentId box : kEditBoxes)
        window.WriteText(InMainWindow(box), Property::Content, "");
    SetFocus(window.Handle());
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
}

} // namespace window_test
