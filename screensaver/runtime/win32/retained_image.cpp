#include "runtime/win32/retained_image.h"

#include <algorithm>
#include <exception>

#include "runtime/bmp_writer.h"

namespace runtime {

RetainedImage::RetainedImage() {
    ScreenDc screen;
    m_dc = CreateCompatibleDC(screen.get());
}

RetainedImage::~RetainedImage() {
    if (m_original != nullptr) {
        SelectObject(m_dc, m_original);
    }
    DeleteDC(m_dc);
}

bool RetainedImage::EnsureSize(int width, int height, COLORREF fill) {
    const int new_width = std::max({m_width, width, 1});
    const int new_height = std::max({m_height, height, 1});
    if (new_width == m_width && new_height == m_height) {
        return true;
    }
    ScreenDc screen;
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), new_width, new_height));
    if (!bitmap) {
        // No memory for the larger bitmap: the image stays as it was, with
        // its own size, selected where it was.
        return false;
    }
    HDC copy = CreateCompatibleDC(screen.get());
    if (copy == nullptr) {
        return false;
    }
    {
        Selection selected(copy, bitmap.get());
        GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColour(fill)));
        const RECT all{0, 0, new_width, new_height};
        FillRect(copy, &all, brush.get());
        if (m_bitmap) {
            BitBlt(copy, 0, 0, m_width, m_height, m_dc, 0, 0, SRCCOPY);
        }
    }
    DeleteDC(copy);

    HGDIOBJ previous = SelectObject(m_dc, bitmap.get());
    if (previous == nullptr || previous == HGDI_ERROR) {
        return false; // the old bitmap is still the selected one, and is kept
    }
    if (m_original == nullptr) {
        m_original = previous;
    }
    // The old bitmap is no longer selected, so it can go.
    m_bitmap = std::move(bitmap);
    m_width = new_width;
    m_height = new_height;
    return true;
}

std::optional<std::vector<std::uint8_t>> RetainedImage::EncodeBmp(int width, int height) const {
    if (!m_bitmap) {
        return std::nullopt;
    }
    return EncodeDcAsBmp(m_dc, width, height);
}

namespace {

std::optional<std::vector<std::uint8_t>> EncodeDcPart(HDC source, int width, int height) {
    // Copy the wanted part into a bitmap of its own, not selected into any DC
    // while GetDIBits reads it.
    ScreenDc screen;
    GdiObject<HBITMAP> part(CreateCompatibleBitmap(screen.get(), width, height));
    if (!part) {
        return std::nullopt;
    }
    HDC part_dc = CreateCompatibleDC(screen.get());
    HGDIOBJ old = SelectObject(part_dc, part.get());
    BitBlt(part_dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectObject(part_dc, old);
    DeleteDC(part_dc);

    BITMAP description{};
    GetObjectW(part.get(), sizeof(description), &description);
    BmpPixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.bits_per_pixel = description.bmBitsPixel;
    if (pixels.bits_per_pixel != 1 && pixels.bits_per_pixel != 4 && pixels.bits_per_pixel != 8 &&
        pixels.bits_per_pixel != 16 && pixels.bits_per_pixel != 24 && pixels.bits_per_pixel != 32) {
        pixels.bits_per_pixel = 24;
    }

    // A BITMAPINFO with room for a full colour table.
    std::vector<std::uint8_t> info_storage(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(info_storage.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height; // bottom-up
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(pixels.bits_per_pixel);
    info->bmiHeader.biCompression = BI_RGB;
    pixels.rows.resize(BmpRowStride(width, pixels.bits_per_pixel) *
                       static_cast<std::size_t>(height));
    const int lines = GetDIBits(screen.get(), part.get(), 0, static_cast<UINT>(height),
                                pixels.rows.data(), info, DIB_RGB_COLORS);
    if (lines != height) {
        return std::nullopt;
    }
    if (pixels.bits_per_pixel <= 8) {
        const std::size_t colours = std::size_t{1} << pixels.bits_per_pixel;
        const auto* table = reinterpret_cast<const std::uint8_t*>(info->bmiColors);
        pixels.colour_table.assign(table, table + colours * sizeof(RGBQUAD));
    }
    return runtime::EncodeBmp(pixels);
}

} // namespace

std::optional<std::vector<std::uint8_t>> EncodeDcAsBmp(HDC source, int width, int height) {
    if (source == nullptr || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    // The part must lie in the bitmap the context holds: an image whose
    // bitmap could not grow to its window's size gives no file.
    BITMAP held{};
    HGDIOBJ bitmap = GetCurrentObject(source, OBJ_BITMAP);
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(held), &held) == 0 || held.bmWidth < width ||
        held.bmHeight < height) {
        return std::nullopt;
    }
    try {
        return EncodeDcPart(source, width, height);
    } catch (const std::exception&) {
        // NOTE: a screen-sized picture is tens of megabytes; when they cannot
        // be had there is no file, as when the platform cannot read it back.
        return std::nullopt;
    }
}

} // namespace runtime
