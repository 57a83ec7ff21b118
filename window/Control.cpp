#include "window/Control.h"

#include "window/EditBox.h"
#include "window/Label.h"
#include "window/PictureBox.h"

std::unique_ptr<Control> CreateControl(const ControlDescription& description, HWND parent)
{
    switch (description.kind) {
    case ControlKind::PicBox: return PictureBox::Create(description, parent);
    case ControlKind::Label: return Label::Create(description, parent);
    case ControlKind::EditBox: return EditBox::Create(description, parent);
    }
    return nullptr;
}
