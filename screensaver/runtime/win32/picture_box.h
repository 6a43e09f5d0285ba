#pragma once

// A picture box: a child window that shows a background picture or a
// retained image (which can be drawn on through its device context and
// saved as a BMP file at the display's depth), and can hold controls.

#include "runtime/win32/container.h"

namespace runtime {

class PictureBox : public WindowedControl, public Container {
public:
    PictureBox(Container& container, std::string name, int index = -1);

    Form& OwningForm() override { return Parent().OwningForm(); }
    // With a border the picture box has a sunken edge; the default has none.
    void SetBorder(bool border) { m_border = border; }

    Event<> Resize;
    Event<const MouseEventArgs&> PictureMouseDown;
    Event<const MouseEventArgs&> PictureMouseMove;
    Event<const MouseEventArgs&> PictureMouseUp;

    void CreateWindowIn(HWND parent) override;

protected:
    void ContainerMouseDown(const MouseEventArgs& args) override { PictureMouseDown(args); }
    void ContainerMouseMove(const MouseEventArgs& args) override { PictureMouseMove(args); }
    void ContainerMouseUp(const MouseEventArgs& args) override { PictureMouseUp(args); }
    void ContainerResized() override { Resize(); }

private:
    bool m_border = false;
};

} // namespace runtime
