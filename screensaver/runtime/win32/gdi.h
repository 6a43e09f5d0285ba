#pragma once

// Small owners for GDI objects and device contexts, and the colour values
// the program passes around (0x00BBGGRR; the high bit set names a system colour).

#include <windows.h>

#include <utility>

namespace runtime {

// The colour a value stands for: a system colour's current value, or the value itself.
COLORREF ResolveColour(COLORREF value);

// A system colour as a value (the high bit set, the index in the low byte).
constexpr COLORREF SystemColour(int index) {
    return 0x80000000u | static_cast<COLORREF>(index);
}

// Owns one GDI object (pen, brush, font, bitmap) and deletes it.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : m_handle(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.m_handle, nullptr));
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void reset(Handle handle = nullptr) {
        if (m_handle != nullptr) {
            DeleteObject(m_handle);
        }
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

// Selects an object into a DC for as long as it lives.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(m_dc, m_old); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A memory DC with a bitmap compatible with a reference DC, for drawing
// off screen; the bitmap is selected for as long as the buffer lives.
class OffscreenBuffer {
public:
    OffscreenBuffer(HDC reference, int width, int height);
    ~OffscreenBuffer();
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    GdiObject<HBITMAP> m_bitmap;
    HGDIOBJ m_old;
};

// The screen's DC, released when it goes.
class ScreenDc {
public:
    ScreenDc() : m_dc(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, m_dc); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return m_dc; }

private:
    HDC m_dc;
};

} // namespace runtime
