#include "renderer.h"

#include "../display_config.h"
#include "../gl_headers.h"

namespace {

// Asks the driver to swap once per display refresh (or, unpaced, at once),
// where it offers WGL_EXT_swap_control. Where the swap does not wait all the
// same, the loop's pacer does.
void request_swap_interval(int interval) {
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    const PROC proc = wglGetProcAddress("wglSwapIntervalEXT");
    if (proc != nullptr) {
        reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void*>(proc))(interval);
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
    // No depth buffer: nothing is ever depth-tested, drawing order decides.
    descriptor.cDepthBits = 0;
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
    request_swap_interval(g_options.unpaced ? 0 : 1);
    resize_scene(width, height);
}
