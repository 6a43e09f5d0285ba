#include "runtime/win32/picture_box.h"

namespace runtime {

PictureBox::PictureBox(Container& container, std::string name, int index)
    : WindowedControl(container, std::move(name), index) {
    SetContainerFont(MakeFont(container.ContainerFont()->Description()));
}

void PictureBox::CreateWindowIn(HWND parent) {
    Attach(MakeChildWindow(parent, L"VelmoranPictureBox", m_border ? WS_EX_CLIENTEDGE : 0, 0,
                           Bounds()));
}

} // namespace runtime
