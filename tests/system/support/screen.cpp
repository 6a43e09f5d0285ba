#include "screen.h"

#include "png_writer.h"
#include "program_runner.h"

#include <cstdlib>

namespace velmoran_test {

ScreenShot ScreenShot::capture() {
    return capture(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

ScreenShot ScreenShot::capture(const RECT& area) {
    ScreenShot shot;
    shot.m_width = area.right - area.left;
    shot.m_height = area.bottom - area.top;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shot.m_width;
    info.bmiHeader.biHeight = -shot.m_height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.m_width, shot.m_height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();

    shot.m_pixels.resize(static_cast<std::size_t>(shot.m_width) * shot.m_height);
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0; bits != nullptr && i < shot.m_pixels.size(); ++i) {
        shot.m_pixels[i] = Rgb{bgrx[i * 4 + 2], bgrx[i * 4 + 1], bgrx[i * 4]};
    }

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

Rgb ScreenShot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return {};
    }
    return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

double ScreenShot::mean_brightness(int x0, int y0, int x1, int y1) const {
    double sum = 0;
    long count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            sum += at(x, y).brightest();
            ++count;
        }
    }
    return count == 0 ? 0.0 : sum / count;
}

int ScreenShot::count_at_least(int x0, int y0, int x1, int y1, int brightness) const {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += at(x, y).brightest() >= brightness ? 1 : 0;
        }
    }
    return count;
}

std::string ScreenShot::save_png(const std::string& name) const {
    const char* folder = std::getenv("VELMORAN_ARTIFACTS");
    if (folder == nullptr || *folder == '\0') {
        return {};
    }
    std::vector<std::uint8_t> rgb;
    rgb.reserve(m_pixels.size() * 3);
    for (const Rgb& p : m_pixels) {
        rgb.insert(rgb.end(), {p.r, p.g, p.b});
    }
    const std::string path = std::string(folder) + "\\" + name + ".png";
    return write_png(path, m_width, m_height, rgb) ? path : std::string{};
}

PatternWindow::PatternWindow(RECT area, std::vector<COLORREF> stripes, const char* title)
    : m_stripes(std::move(stripes)) {
    static const char* class_name = "VelmoranTestPattern";
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = class_name;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    RegisterClassA(&window_class);
    m_window = CreateWindowExA(WS_EX_TOOLWINDOW, class_name, title, WS_POPUP, area.left, area.top,
                               area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                               window_class.hInstance, this);
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
    pump_messages();
}

PatternWindow::~PatternWindow() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
        pump_messages();
    }
}

LRESULT CALLBACK PatternWindow::proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PatternWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_PAINT && self != nullptr && !self->m_stripes.empty()) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        const int count = static_cast<int>(self->m_stripes.size());
        for (int i = 0; i < count; ++i) {
            RECT stripe{client.right * i / count, 0, client.right * (i + 1) / count, client.bottom};
            HBRUSH brush = CreateSolidBrush(self->m_stripes[static_cast<std::size_t>(i)]);
            FillRect(dc, &stripe, brush);
            DeleteObject(brush);
        }
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace velmoran_test
