#pragma once

// Owners for the GDI and USER resources the window uses. Each handle has one
// owner whose destructor gives it back, and owners move but never copy, so no
// path can leak or double-free one.

#include "colour/ColourValue.h"

#include <windows.h>

#include <utility>

// Counts the GDI objects this program has made and not yet deleted; the
// platform's own count is not available under Wine.
long LiveGdiObjects();

namespace gdi_detail {
void Created();
void Deleted();
} // namespace gdi_detail

template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle)
    {
        if (handle_)
            gdi_detail::Created();
    }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject()
    {
        if (handle_ && DeleteObject(handle_))
            gdi_detail::Deleted();
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// A solid brush of a stored colour: the system face marker becomes the face
// colour of this moment, every other value goes to the platform unchanged.
Brush SolidBrushOf(ColourValue colour);

// The DC of a window's client area, or of the whole window with its frame,
// for one short use.
class WindowDc {
public:
    enum Area { ClientArea, WholeWindow };
    explicit WindowDc(HWND window, Area area = ClientArea)
        : window_(window), dc_(area == ClientArea ? GetDC(window) : GetWindowDC(window))
    {
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }
    HDC Get() const { return paint_.hdc; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// A memory DC compatible with another, for copying a bitmap from.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith))
    {
        if (dc_)
            gdi_detail::Created();
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc()
    {
        if (dc_ && DeleteDC(dc_))
            gdi_detail::Deleted();
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back on leaving.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// An icon loaded from the program's resources at one size.
class Icon {
public:
    Icon() = default;
    explicit Icon(HICON icon) : icon_(icon) {}
    Icon(Icon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    Icon& operator=(Icon&& other) noexcept
    {
        std::swap(icon_, other.icon_);
        return *this;
    }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;
    ~Icon()
    {
        if (icon_)
            DestroyIcon(icon_);
    }
    HICON Get() const { return icon_; }

private:
    HICON icon_ = nullptr;
};
