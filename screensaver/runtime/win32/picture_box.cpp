#include "runtime/win32/picture_box.h"

#include "runtime/win32/application.h"

namespace runtime {

PictureBox::PictureBox(Container& container, std::string name, int index)
    : WindowedControl(container, std::move(name), index) {
    SetContainerFont(MakeFont(container.ContainerFont()->Description()));
}

void PictureBox::CreateWindowIn(HWND parent) {
    const RECT& b = Bounds();
    const wchar_t* window_class = RegisterContainerClass(L"VelmoranPictureBox");
    HWND window = CreateWindowExW((m_border ? WS_EX_CLIENTEDGE : 0) | WS_EX_CONTROLPARENT,
                                  window_class, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                  b.left, b.top, b.right - b.left, b.bottom - b.top, parent,
                                  nullptr, Application::Instance(), static_cast<Container*>(this));
    Attach(window);
}

} // namespace runtime
