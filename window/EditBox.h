#pragma once

#include "window/Control.h"
#include "window/Gdi.h"

// A read-out box: the platform's single-line EDIT control with a sunken
// edge, black on white from a brush of its own, its one line of text centred
// between top and bottom, and its content replaced by each pick.
class EditBox : public Control {
public:
    static std::unique_ptr<EditBox> Create(const ControlDescription& description, HWND parent);
    ~EditBox() override;

    HWND Handle() const override { return handle_; }
    void WriteText(Property property, const char* text) override;

private:
    explicit EditBox(const ControlDescription& description) : Control(description) {}
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The platform EDIT control's own handling of a message.
    LRESULT Platform(UINT message, WPARAM wParam, LPARAM lParam);
    void CentreOneLine(RECT& client) const;
    void MeasureLine();
    void PaintBands();

    HWND handle_ = nullptr;
    WNDPROC platformProcedure_ = nullptr;
    LONG lineHeight_ = 0;
    Brush background_;
};
