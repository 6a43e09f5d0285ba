// How long the renderer's start-up spends turning a desktop picture into the
// floor texture, on the platform's own OpenGL and GLU (run it under Wine with
// bench/wine-texture-timing.sh). For 1920x1080 and 3840x2160 pictures it
// times the GL context's creation, the decoding, and the texture build both
// ways: GLU's full mipmap build and the base level alone, whose texels it
// checks against GLU's.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <functional>
#include <vector>

#include "bmp_decoder.h"
#include "desktop_bmp.h"
#include "gl_headers.h"
#include "textures.h"

namespace {

double now_ms() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The fastest of a few runs of work, in milliseconds.
double fastest_ms(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = now_ms();
        work();
        best = std::min(best, now_ms() - start);
    }
    return best;
}

// Level 0 of a texture, tightly packed RGB.
std::vector<std::uint8_t> level_zero(GLuint name) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glDeleteTextures(1, &name);
    return texels;
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

int main() {
    const double start = now_ms();
    WNDCLASSA window_class{};
    window_class.style = CS_OWNDC;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "texture_build_timing";
    RegisterClassA(&window_class);
    HWND window =
        CreateWindowExA(0, window_class.lpszClassName, "texture build timing", WS_POPUP, 0, 0, 1024,
                        768, nullptr, nullptr, window_class.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof(descriptor);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 16;
    descriptor.cDepthBits = 16;
    SetPixelFormat(dc, ChoosePixelFormat(dc, &descriptor), &descriptor);
    HGLRC context = wglCreateContext(dc);
    wglMakeCurrent(dc, context);
    const double context_ms = now_ms() - start;
    std::printf("window and GL context: %.1f ms (%s)\n", context_ms,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    std::printf("%-10s %10s %20s %20s %16s\n", "picture", "decode", "gluBuild2DMipmaps",
                "base level only", "same level 0");
    const int sizes[2][2] = {{1920, 1080}, {3840, 2160}};
    for (const auto& size : sizes) {
        const std::vector<std::uint8_t> file = desktop_bmp(size[0], size[1], 24);
        const double decode_ms = fastest_ms(3, [&] { decode_bmp(file); });
        const RgbImage image = std::move(*decode_bmp(file).image);
        const double mipmap_ms = fastest_ms(3, [&] {
            GLuint name = build_texture(image);
            glFinish();
            glDeleteTextures(1, &name);
        });
        const double base_ms = fastest_ms(3, [&] {
            GLuint name = build_base_level_texture(image);
            glFinish();
            glDeleteTextures(1, &name);
        });
        const bool same =
            level_zero(build_texture(image)) == level_zero(build_base_level_texture(image));
        std::printf("%4dx%-5d %8.1f ms %17.1f ms %17.1f ms %16s\n", size[0], size[1], decode_ms,
                    mipmap_ms, base_ms, same ? "yes" : "NO");
    }

    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    return 0;
}
