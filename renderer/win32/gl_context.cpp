#include "renderer.h"

#include "../display_config.h"
#include "../gl_headers.h"

namespace {

// Asks the driver to swap once per display refresh, where it offers
// WGL_EXT_swap_control. The swap stays the loop's only pacing; this keeps a
// screensaver from spinning a whole core faster than the screen can show.
void request_swap_interval() {
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    const PROC proc = wglGetProcAddress("wglSwapIntervalEXT");
    if (proc != nullptr) {
        reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void*>(proc))(1);
    }
}

} // namespace

bool set_pixel_format(HDC device_context) {
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = static_cast<BYTE>(display_config.colour_bits);
    descriptor.cDepthBits = static_cast<BYTE>(display_config.colour_bits);
    const int format = ChoosePixelFormat(device_context, &descriptor);
    if (format == 0) {
        return false;
    }
    return SetPixelFormat(device_context, format, &descriptor) != FALSE;
}

void create_gl_context(int width, int height) {
    g_device_context = GetDC(g_window);
    if (!set_pixel_format(g_device_context)) {
        PostQuitMessage(0);
    }
    g_gl_context = wglCreateContext(g_device_context);
    wglMakeCurrent(g_device_context, g_gl_context);
    request_swap_interval();
    resize_scene(width, height);
}
