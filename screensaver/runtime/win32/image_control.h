#pragma once

// An image control: a picture painted by its container, at its own size in
// the top-left corner (scaled with the screen's resolution) or stretched over
// the control, with mouse events.

#include "runtime/win32/control.h"
#include "runtime/win32/picture.h"

namespace runtime {

class Image : public WindowlessControl {
public:
    Image(Container& container, std::string name, int index = -1);

    const PictureRef& GetPicture() const { return m_picture; }
    void SetPicture(PictureRef picture); // shares the picture object
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);

    void Paint(HDC dc) const override;

private:
    PictureRef m_picture;
    bool m_stretch = false;
};

} // namespace runtime
