#pragma once

// The window description: every setting of MainWindow and its eight controls
// that the program fixes, kept in one place so it can be read against the
// design line by line. Plain data with no Windows header, so the portable core
// and its native tests can address components by these identifiers too.

#include "colour/ColourValue.h"
#include "colour/FieldColour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

using ComponentId = std::uint32_t;

// A write or a lookup names a component by the window it belongs to and the
// component's own number inside that window.
struct ComponentAddress {
    ComponentId window;
    ComponentId component;

    friend bool operator==(ComponentAddress a, ComponentAddress b)
    {
        return a.window == b.window && a.component == b.component;
    }
};

inline constexpr ComponentId kMainWindowId = 0x52010001;
inline constexpr ComponentId kWindowComponentId = 0x06010000;

inline constexpr ComponentId kLabel1Id = 0x16011529;     // 标签1
inline constexpr ComponentId kLabel2Id = 0x1601152A;     // 标签2
inline constexpr ComponentId kLabel3Id = 0x1601152C;     // 标签3
inline constexpr ComponentId kEditBox1Id = 0x16011528;   // 编辑框1
inline constexpr ComponentId kEditBox2Id = 0x1601152B;   // 编辑框2
inline constexpr ComponentId kEditBox3Id = 0x1601152D;   // 编辑框3
inline constexpr ComponentId kPicBox1Id = 0x16011521;    // 图片框1
inline constexpr ComponentId kPicBox2Id = 0x16011522;    // 图片框2

constexpr ComponentAddress InMainWindow(ComponentId component)
{
    return {kMainWindowId, component};
}

// Joins two string literals at compile time, so the title needs no building
// at start-up.
template <std::size_t A, std::size_t B>
constexpr std::array<wchar_t, A + B - 1> Joined(const wchar_t (&first)[A], const wchar_t (&second)[B])
{
    std::array<wchar_t, A + B - 1> joined{};
    for (std::size_t i = 0; i + 1 < A; ++i)
        joined[i] = first[i];
    for (std::size_t i = 0; i < B; ++i)
        joined[A - 1 + i] = second[i];
    return joined;
}

inline constexpr wchar_t kProductName[] = L"Vantoril取色器";
inline constexpr wchar_t kProductWebAddress[] = L"www.vantoril.example";
inline constexpr auto kWindowCaption = Joined(L"Vantoril取色器-", kProductWebAddress);

struct WindowSettings {
    const wchar_t* caption;
    int width;                   // outer size, frame and title bar included
    int height;
    ColourValue backgroundColour;
};

inline constexpr WindowSettings kMainWindow = {
    kWindowCaption.data(),
    791,
    589,
    kSystemFaceColour,
};

enum class ControlKind { PicBox, Label, EditBox };

// Which pointer the window sets over a control; ControlsOwn leaves it to the
// control's class.
enum class Pointer { ControlsOwn, CrossHair };

// The routine run by a control's left-button-pressed event.
enum class PressHandler { None, PickColour };

struct ControlDescription {
    const char* name;
    ControlKind kind;
    ComponentId id;
    int left;
    int top;
    int width;
    int height;
    Pointer pointer;
    PressHandler onLeftButtonDown;
    const wchar_t* caption;   // labels only
    FieldPicture picture;     // picture boxes only
};

// In list order, which is also the stacking order from top to bottom; the
// controls are created in the reverse of this order.
inline constexpr ControlDescription kControls[] = {
    {"标签3", ControlKind::Label, kLabel3Id, 360, 528, 40, 24,
     Pointer::ControlsOwn, PressHandler::None, L"HTML:", FieldPicture::None},
    {"编辑框3", ControlKind::EditBox, kEditBox3Id, 400, 528, 96, 24,
     Pointer::ControlsOwn, PressHandler::None, nullptr, FieldPicture::None},
    {"标签2", ControlKind::Label, kLabel2Id, 184, 528, 64, 24,
     Pointer::ControlsOwn, PressHandler::None, L"十六进制:", FieldPicture::None},
    {"编辑框2", ControlKind::EditBox, kEditBox2Id, 248, 528, 96, 24,
     Pointer::ControlsOwn, PressHandler::None, nullptr, FieldPicture::None},
    {"标签1", ControlKind::Label, kLabel1Id, 32, 528, 48, 24,
     Pointer::ControlsOwn, PressHandler::None, L"十进制:", FieldPicture::None},
    {"编辑框1", ControlKind::EditBox, kEditBox1Id, 80, 528, 96, 24,
     Pointer::ControlsOwn, PressHandler::None, nullptr, FieldPicture::None},
    {"图片框2", ControlKind::PicBox, kPicBox2Id, 8, 8, 512, 512,
     Pointer::CrossHair, PressHandler::PickColour, nullptr, FieldPicture::Square},
    {"图片框1", ControlKind::PicBox, kPicBox1Id, 520, 8, 256, 512,
     Pointer::CrossHair, PressHandler::PickColour, nullptr, FieldPicture::Strip},
};

inline constexpr std::size_t kControlCount = std::size(kControls);

// The initial colours of a caption and of a read-out box.
inline constexpr ColourValue kLabelBackgroundColour = kSystemFaceColour;
inline constexpr ColourValue kLabelTextColour = 0x00000000;
inline constexpr ColourValue kEditBoxBackgroundColour = 0x00FFFFFF;
inline constexpr ColourValue kEditBoxTextColour = 0x00000000;
