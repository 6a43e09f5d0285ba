#include "runtime/win32/picture.h"

#include <algorithm>

#include "runtime/win32/application.h"

namespace runtime {

Picture::Picture(HBITMAP bitmap) : m_bitmap(bitmap) {
    BITMAP info{};
    if (bitmap != nullptr && GetObjectW(bitmap, sizeof(info), &info) != 0) {
        m_width = info.bmWidth;
        m_height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
}

Picture::~Picture() {
    if (m_source != nullptr) {
        SelectObject(m_source, m_source_original);
        DeleteDC(m_source);
    }
}

HDC Picture::SourceDc(HDC reference) const {
    if (m_source == nullptr) {
        m_source = CreateCompatibleDC(reference);
        m_source_original = SelectObject(m_source, m_bitmap.get());
    }
    return m_source;
}

std::shared_ptr<const Picture> Picture::FromResource(int resource_id) {
    auto* bitmap =
        static_cast<HBITMAP>(LoadImageW(Application::Instance(), MAKEINTRESOURCEW(resource_id),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return bitmap == nullptr ? nullptr : std::make_shared<const Picture>(bitmap);
}

std::shared_ptr<const Picture> Picture::FromFile(const std::string& ansi_path) {
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, ansi_path.c_str(), IMAGE_BITMAP, 0, 0,
                                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    return bitmap == nullptr ? nullptr : std::make_shared<const Picture>(bitmap);
}

void Picture::Draw(HDC dc, RECT destination, RECT source, bool smooth) const {
    HDC source_dc = SourceDc(dc);
    {
        const int dw = destination.right - destination.left;
        const int dh = destination.bottom - destination.top;
        const int sw = source.right - source.left;
        const int sh = source.bottom - source.top;
        if (dw == sw && dh == sh) {
            BitBlt(dc, destination.left, destination.top, dw, dh, source_dc, source.left,
                   source.top, SRCCOPY);
        } else {
            const int old_mode = SetStretchBltMode(dc, smooth ? HALFTONE : COLORONCOLOR);
            POINT old_origin{};
            SetBrushOrgEx(dc, 0, 0, &old_origin); // HALFTONE wants it reset after the mode
            StretchBlt(dc, destination.left, destination.top, dw, dh, source_dc, source.left,
                       source.top, sw, sh, SRCCOPY);
            SetBrushOrgEx(dc, old_origin.x, old_origin.y, nullptr);
            SetStretchBltMode(dc, old_mode);
        }
    }
}

void Picture::DrawAt(HDC dc, int x, int y, const RECT& clip) const {
    const int width = std::min(m_width, static_cast<int>(clip.right - x));
    const int height = std::min(m_height, static_cast<int>(clip.bottom - y));
    if (width <= 0 || height <= 0) {
        return;
    }
    Draw(dc, RECT{x, y, x + width, y + height}, RECT{0, 0, width, height});
}

} // namespace runtime
