#pragma once

// A picture a control shows: a bitmap, shared by every control that shows
// it (setting one control's picture to another's shares the same object).

#include <windows.h>

#include <memory>
#include <string>

#include "runtime/win32/gdi.h"

namespace runtime {

class Picture {
public:
    // Takes ownership of bitmap.
    explicit Picture(HBITMAP bitmap);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // A bitmap resource of the program; null when there is none.
    static std::shared_ptr<const Picture> FromResource(int resource_id);
    // A BMP file; null when it cannot be read.
    static std::shared_ptr<const Picture> FromFile(const std::string& ansi_path);

    HBITMAP Handle() const { return m_bitmap.get(); }
    int Width() const { return m_width; } // pixels
    int Height() const { return m_height; }

    // Copies the source rectangle of the picture onto the destination
    // rectangle of dc, stretched when the sizes differ (all in pixels):
    // pixel for pixel, or smoothed (averaging the pixels it shrinks or widens).
    void Draw(HDC dc, RECT destination, RECT source, bool smooth = false) const;
    // The whole picture at (x, y), unscaled, cut off at clip's edges.
    void DrawAt(HDC dc, int x, int y, const RECT& clip) const;

private:
    // A memory DC that holds the bitmap for drawing, made at the first draw.
    HDC SourceDc(HDC reference) const;

    GdiObject<HBITMAP> m_bitmap;
    mutable HDC m_source = nullptr;
    mutable HGDIOBJ m_source_original = nullptr;
    int m_width = 0;
    int m_height = 0;
};

using PictureRef = std::shared_ptr<const Picture>;

} // namespace runtime
