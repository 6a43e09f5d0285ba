#include "runtime/win32/container.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "runtime/mouse_routing.h"
#include "runtime/win32/application.h"
#include "runtime/win32/form.h"
#include "runtime/win32/text_encoding.h"
#include "runtime/win32/timer.h"

namespace runtime {

namespace {

int ShiftState() {
    int shift = 0;
    shift |= GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0;
    shift |= GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0;
    shift |= GetKeyState(VK_MENU) < 0 ? kAltMask : 0;
    return shift;
}

int ButtonsHeld(WPARAM wparam) {
    int buttons = 0;
    buttons |= (wparam & MK_LBUTTON) != 0 ? kLeftButton : 0;
    buttons |= (wparam & MK_RBUTTON) != 0 ? kRightButton : 0;
    buttons |= (wparam & MK_MBUTTON) != 0 ? kMiddleButton : 0;
    return buttons;
}

int ButtonOfMessage(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return kRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return kMiddleButton;
    default:
        return 0;
    }
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

} // namespace

Container::Container() : m_font(MakeFont(DefaultFontDescription())) {}

Container::~Container() {
    Detach();
}

void Container::Detach() {
    if (m_window != nullptr) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        for (Timer* timer : m_timers) {
            timer->WindowGoing();
        }
        if (m_captured != nullptr && GetCapture() == m_window) {
            ReleaseCapture();
        }
        m_captured = nullptr;
        m_window = nullptr;
    }
}

Scale Container::CurrentScale() const {
    return Scale{m_scale_mode, ScreenDpi()};
}

SIZE Container::ClientSize() const {
    RECT client{};
    if (m_window != nullptr) {
        GetClientRect(m_window, &client);
    }
    return SIZE{client.right, client.bottom};
}

double Container::ScaleWidth() const {
    return FromPixels(ClientSize().cx);
}

double Container::ScaleHeight() const {
    return FromPixels(ClientSize().cy);
}

void Container::SetBackColor(COLORREF colour) {
    m_back_colour = colour;
    m_back_brush.reset();
    Invalidate();
}

void Container::SetBackgroundPicture(PictureRef picture) {
    m_picture = std::move(picture);
    if (m_image) {
        ClearImage();
    }
    Invalidate();
}

void Container::SetAutoRedraw(bool auto_redraw) {
    m_auto_redraw = auto_redraw;
    if (auto_redraw && !m_image && m_window != nullptr) {
        m_image = std::make_unique<RetainedImage>();
        ResizeImage();
        ClearImage();
    }
}

HDC Container::hDC() const {
    return m_image ? m_image->Dc() : nullptr;
}

void Container::ClearImage() {
    if (!m_image) {
        return;
    }
    GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColour(m_back_colour)));
    const RECT all{0, 0, m_image->Width(), m_image->Height()};
    FillRect(m_image->Dc(), &all, brush.get());
    if (m_picture) {
        m_picture->DrawAt(m_image->Dc(), 0, 0, all);
    }
}

void Container::ResizeImage() {
    if (m_image) {
        const SIZE size = ClientSize();
        m_image->EnsureSize(size.cx, size.cy, m_back_colour);
    }
}

void Container::Cls() {
    ClearImage();
    Invalidate();
}

void Container::Refresh() {
    if (m_window != nullptr) {
        InvalidateRect(m_window, nullptr, FALSE);
        UpdateWindow(m_window);
    }
}

void Container::Invalidate(const RECT* pixels) const {
    if (m_window != nullptr) {
        InvalidateRect(m_window, pixels, FALSE);
    }
}

void Container::Line(double x1, double y1, double x2, double y2, COLORREF colour) {
    HDC dc = m_image ? m_image->Dc() : (m_window != nullptr ? GetDC(m_window) : nullptr);
    if (dc == nullptr) {
        return;
    }
    {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ResolveColour(colour)));
        Selection selected(dc, pen.get());
        MoveToEx(dc, ToPixels(x1), ToPixels(y1), nullptr);
        LineTo(dc, ToPixels(x2), ToPixels(y2));
    }
    if (m_image) {
        Invalidate();
    } else {
        ReleaseDC(m_window, dc);
    }
}

void Container::PaintPicture(const Picture& picture, double x, double y,
                             std::optional<double> width, std::optional<double> height,
                             double source_x, double source_y, std::optional<double> source_width,
                             std::optional<double> source_height) {
    HDC dc = m_image ? m_image->Dc() : (m_window != nullptr ? GetDC(m_window) : nullptr);
    if (dc == nullptr) {
        return;
    }
    const int dx = ToPixels(x);
    const int dy = ToPixels(y);
    const int sx = ToPixels(source_x);
    const int sy = ToPixels(source_y);
    const int dw = width ? ToPixels(*width) : picture.Width();
    const int dh = height ? ToPixels(*height) : picture.Height();
    const int sw = source_width ? ToPixels(*source_width) : picture.Width();
    const int sh = source_height ? ToPixels(*source_height) : picture.Height();
    picture.Draw(dc, RECT{dx, dy, dx + dw, dy + dh}, RECT{sx, sy, sx + sw, sy + sh});
    if (m_image) {
        Invalidate();
    } else {
        ReleaseDC(m_window, dc);
    }
}

bool Container::SaveImage(const std::string& ansi_path) const {
    if (!m_image) {
        return false;
    }
    const SIZE size = ClientSize();
    const auto file = m_image->EncodeBmp(size.cx, size.cy);
    if (!file) {
        return false;
    }
    HANDLE handle = CreateFileA(ansi_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(handle, file->data(), static_cast<DWORD>(file->size()), &written, nullptr);
    CloseHandle(handle);
    return ok != FALSE && written == file->size();
}

void Container::Adopt(Control* control) {
    m_controls.push_back(control);
}

void Container::Release(Control* control) {
    std::erase(m_controls, control);
    if (m_captured == control) {
        m_captured = nullptr;
    }
}

void Container::AdoptTimer(Timer* timer) {
    m_timers.push_back(timer);
    if (m_window != nullptr) {
        timer->WindowMade(m_window);
    }
}

void Container::ReleaseTimer(Timer* timer) {
    std::erase(m_timers, timer);
}

void Container::WindowMade(HWND window) {
    m_window = window;
    if (m_auto_redraw) {
        m_image = std::make_unique<RetainedImage>();
        ResizeImage();
        ClearImage();
    }
    for (Control* control : m_controls) {
        if (auto* windowed = dynamic_cast<WindowedControl*>(control)) {
            windowed->CreateWindowIn(window);
        }
    }
    for (Timer* timer : m_timers) {
        timer->WindowMade(window);
    }
}

void Container::WindowGoing() {
    for (Timer* timer : m_timers) {
        timer->WindowGoing();
    }
    for (Control* control : m_controls) {
        if (auto* windowed = dynamic_cast<WindowedControl*>(control)) {
            windowed->WindowGone();
        }
    }
    m_captured = nullptr;
    m_image.reset();
    m_window = nullptr;
}

void Container::DeliverHeldTicks() {
    // A tick handler may change the lists; walk copies.
    const auto timers = m_timers;
    for (Timer* timer : timers) {
        timer->DeliverHeldTick();
    }
    const auto controls = m_controls;
    for (Control* control : controls) {
        if (auto* inner = dynamic_cast<Container*>(control)) {
            inner->DeliverHeldTicks();
        }
    }
}

void Container::Render(HDC dc) const {
    const SIZE size = ClientSize();
    const RECT all{0, 0, size.cx, size.cy};
    if (PaintsBackground(dc)) {
        // A transparent surface: what lies behind it shows instead.
    } else if (m_image) {
        BitBlt(dc, 0, 0, size.cx, size.cy, m_image->Dc(), 0, 0, SRCCOPY);
    } else {
        if (!m_back_brush) {
            m_back_brush.reset(CreateSolidBrush(ResolveColour(m_back_colour)));
        }
        FillRect(dc, &all, m_back_brush.get());
        if (m_picture) {
            m_picture->DrawAt(dc, 0, 0, all);
        }
    }
    for (const Control* control : m_controls) {
        const auto* windowless = dynamic_cast<const WindowlessControl*>(control);
        if (windowless != nullptr && windowless->Visible()) {
            windowless->Paint(dc);
        }
    }
}

void Container::PaintWindow(HWND window) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    const SIZE size = ClientSize();
    if (size.cx > 0 && size.cy > 0) {
        // Paint off screen first, so that nothing flickers.
        OffscreenBuffer buffer(target, size.cx, size.cy);
        Render(buffer.dc());
        BitBlt(target, 0, 0, size.cx, size.cy, buffer.dc(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &paint);
}

std::vector<WindowlessControl*> Container::WindowlessControls() const {
    std::vector<WindowlessControl*> windowless;
    for (Control* control : m_controls) {
        if (auto* w = dynamic_cast<WindowlessControl*>(control)) {
            windowless.push_back(w);
        }
    }
    return windowless;
}

namespace {

std::vector<HitArea> HitAreasOf(const std::vector<WindowlessControl*>& controls) {
    std::vector<HitArea> areas;
    areas.reserve(controls.size());
    for (const WindowlessControl* control : controls) {
        const RECT& b = control->Bounds();
        areas.push_back(HitArea{b.left, b.top, b.right, b.bottom, control->TakesMouse()});
    }
    return areas;
}

MouseInput InputOf(UINT message, WPARAM wparam, LPARAM lparam) {
    MouseInput input;
    input.action = message == WM_MOUSEMOVE ? MouseAction::Move
                   : IsButtonDown(message) ? MouseAction::Press
                                           : MouseAction::Release;
    input.buttons_held = ButtonsHeld(wparam);
    input.button = message == WM_MOUSEMOVE ? input.buttons_held : ButtonOfMessage(message);
    input.point = PixelPoint{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    return input;
}

} // namespace

WindowlessControl* Container::ControlAt(POINT point) const {
    const auto controls = WindowlessControls();
    const auto at = AreaAt(PixelPoint{point.x, point.y}, HitAreasOf(controls));
    return at ? controls[*at] : nullptr;
}

void Container::MouseMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto controls = WindowlessControls();
    std::optional<std::size_t> held;
    if (const auto it = std::find(controls.begin(), controls.end(), m_captured);
        it != controls.end()) {
        held = static_cast<std::size_t>(it - controls.begin());
    }
    const MouseInput input = InputOf(message, wparam, lparam);
    const MouseRoute route = RouteMouse(input, HitAreasOf(controls), held);
    WindowlessControl* target = route.target ? controls[*route.target] : nullptr;
    if (route.hold_pointer) {
        m_captured = target;
        SetCapture(window);
    }
    MouseEventArgs args;
    args.button = input.button;
    args.shift = ShiftState();
    args.x = FromPixels(route.relative.x);
    args.y = FromPixels(route.relative.y);
    DeliverMouse(target, input.action, args);
    if (target != nullptr && route.click) {
        target->Click();
    }
    if (route.let_go_pointer) {
        m_captured = nullptr;
        if (GetCapture() == window) {
            ReleaseCapture();
        }
    }
}

void Container::DeliverMouse(WindowlessControl* target, MouseAction action,
                             const MouseEventArgs& args) {
    switch (action) {
    case MouseAction::Move:
        return target != nullptr ? target->MouseMove(args) : ContainerMouseMove(args);
    case MouseAction::Press:
        return target != nullptr ? target->MouseDown(args) : ContainerMouseDown(args);
    case MouseAction::Release:
        return target != nullptr ? target->MouseUp(args) : ContainerMouseUp(args);
    }
}

bool Container::SetCursorFor(HWND window) {
    if (Application::CurrentMousePointer() == MousePointer::Hourglass) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return true;
    }
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    const WindowlessControl* control = ControlAt(point);
    if (control != nullptr && control->MouseIcon() != nullptr) {
        SetCursor(control->MouseIcon());
        return true;
    }
    return false;
}

LRESULT Container::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        WindowMade(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintWindow(window);
        return 0;
    case WM_SIZE:
        ResizeImage();
        ContainerResized();
        return 0;
    case WM_TIMER:
        for (Timer* timer : m_timers) {
            if (timer->Id() == wparam) {
                timer->Elapsed();
                break;
            }
        }
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        MouseMessage(window, message, wparam, lparam);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lparam) != window) {
            m_captured = nullptr;
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lparam) == HTCLIENT && reinterpret_cast<HWND>(wparam) == window &&
            SetCursorFor(window)) {
            return TRUE;
        }
        if (Application::CurrentMousePointer() == MousePointer::Hourglass) {
            SetCursor(LoadCursorA(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (lparam != 0) {
            for (Control* control : m_controls) {
                auto* windowed = dynamic_cast<WindowedControl*>(control);
                if (windowed != nullptr && windowed->Hwnd() == reinterpret_cast<HWND>(lparam)) {
                    windowed->Notified(HIWORD(wparam));
                    return 0;
                }
            }
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        // The message comes from a control's window or from the edit or list inside a combo box.
        auto* from = reinterpret_cast<HWND>(lparam);
        for (Control* control : m_controls) {
            auto* windowed = dynamic_cast<WindowedControl*>(control);
            if (windowed != nullptr && windowed->Hwnd() != nullptr &&
                (windowed->Hwnd() == from || IsChild(windowed->Hwnd(), from))) {
                if (HBRUSH brush = windowed->BackgroundBrush(reinterpret_cast<HDC>(wparam))) {
                    return reinterpret_cast<LRESULT>(brush);
                }
            }
        }
        break;
    }
    case WM_DESTROY:
        WindowGoing();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK Container::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        if (auto* container = static_cast<Container*>(create->lpCreateParams)) {
            container->m_window = window;
        }
    }
    auto* container = reinterpret_cast<Container*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (container == nullptr) {
        return DefWindowProcW(window, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    // A step that fails in a handler is skipped, as everywhere in the
    // program: the message then gets the platform's own handling.
    try {
        return container->HandleMessage(window, message, wparam, lparam);
    } catch (...) {
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

HWND Container::MakeChildWindow(HWND parent, const wchar_t* class_name, DWORD ex_style, DWORD style,
                                const RECT& bounds) {
    return CreateWindowExW(ex_style | WS_EX_CONTROLPARENT, RegisterContainerClass(class_name), L"",
                           style | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, bounds.left,
                           bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                           parent, nullptr, Application::Instance(), this);
}

const wchar_t* Container::RegisterContainerClass(const wchar_t* class_name) {
    WNDCLASSEXW window_class{};
    if (GetClassInfoExW(Application::Instance(), class_name, &window_class)) {
        return class_name;
    }
    window_class.cbSize = sizeof(window_class);
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = Application::Instance();
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = class_name;
    RegisterClassExW(&window_class);
    return class_name;
}

} // namespace runtime
