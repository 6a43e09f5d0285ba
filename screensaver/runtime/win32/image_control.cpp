#include "runtime/win32/image_control.h"

#include "runtime/twips.h"
#include "runtime/win32/application.h"

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
        return;
    }
    // The program's pictures are drawn for 96 dots per inch: on a scaled
    // screen they grow with the rest of the window, cut off at the control's edges.
    const int dpi = ScreenDpi();
    if (dpi == kDesignDpi) {
        m_picture->DrawAt(dc, area.left, area.top, area);
        return;
    }
    const int width = m_picture->Width() * dpi / kDesignDpi;
    const int height = m_picture->Height() * dpi / kDesignDpi;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    m_picture->Draw(dc, RECT{area.left, area.top, area.left + width, area.top + height},
                    RECT{0, 0, m_picture->Width(), m_picture->Height()}, dpi % kDesignDpi != 0);
    RestoreDC(dc, saved);
}

} // namespace runtime
