#pragma once

// The retained image of a picture box, a form or a user control: a bitmap
// at the display's colour depth that keeps what is drawn on it until the next
// drawing, from which the window repaints itself.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/win32/gdi.h"

namespace runtime {

class RetainedImage {
public:
    RetainedImage();
    ~RetainedImage();
    RetainedImage(const RetainedImage&) = delete;
    RetainedImage& operator=(const RetainedImage&) = delete;

    // Makes the image at least width x height pixels, keeping what it holds;
    // new parts are filled with fill. It never shrinks. False when the larger
    // bitmap cannot be had: the image then keeps its bitmap and its size.
    bool EnsureSize(int width, int height, COLORREF fill);

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The top-left width x height pixels as a BMP file at the image's own
    // depth (the display's): "BM" header, 40-byte header, bottom-up rows,
    // uncompressed. Empty when it cannot be read back.
    std::optional<std::vector<std::uint8_t>> EncodeBmp(int width, int height) const;

private:
    HDC m_dc;
    GdiObject<HBITMAP> m_bitmap;
    HGDIOBJ m_original = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// The top-left width x height pixels of the bitmap a memory device context
// holds (a retained image's, for one) as a BMP file, as RetainedImage::EncodeBmp
// writes it. Empty when the bitmap is smaller, when it cannot be read back or
// when the memory for the file cannot be had.
std::optional<std::vector<std::uint8_t>> EncodeDcAsBmp(HDC source, int width, int height);

} // namespace runtime
