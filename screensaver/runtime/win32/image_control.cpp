#include "runtime/win32/image_control.h"

namespace runtime {

Image::Image(Container& container, std::string name, int index)
    : WindowlessControl(container, std::move(name), index) {}

void Image::SetPicture(PictureRef picture) {
    m_picture = std::move(picture);
    Invalidate();
}

void Image::SetStretch(bool stretch) {
    m_stretch = stretch;
    Invalidate();
}

void Image::Paint(HDC dc) const {
    if (!m_picture) {
        return;
    }
    const RECT& area = Bounds();
    if (m_stretch) {
        m_picture->Draw(dc, area, RECT{0, 0, m_picture->Width(), m_picture->Height()}, true);
    } else {
        m_picture->DrawAt(dc, area.left, area.top, area);
    }
}

} // namespace runtime
