#pragma once

#include "colour/ColourValue.h"
#include "colour/PickColour.h"
#include "window/WindowDescription.h"

#include <windows.h>

#include <memory>

// What the main window knows of each of its controls, whatever their kind:
// the description it was made from, its handle, and the property writes of a
// pick that it takes.
class Control {
public:
    explicit Control(const ControlDescription& description) : description_(description) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const ControlDescription& Description() const { return description_; }
    virtual HWND Handle() const = 0;

    virtual void WriteColour(Property, ColourValue) {}
    virtual void WriteText(Property, const char*) {}

private:
    const ControlDescription& description_;
};

// Creates a control of the description's kind as a hidden child of parent;
// null when the platform refuses it.
std::unique_ptr<Control> CreateControl(const ControlDescription& description, HWND parent);

// A control-colour request handed back by the parent to the control it is
// about arrives as this offset plus the original message.
inline constexpr UINT kReflectedMessage = WM_APP + 0x1000;
