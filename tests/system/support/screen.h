#pragma once

// What a user would see: the screen's pixels, read back with BitBlt from the
// desktop, and windows that put known pictures on it.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velmoran_test {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    int brightest() const { return r > g ? (r > b ? r : b) : (g > b ? g : b); }
    bool operator==(const Rgb&) const = default;
};

// A copy of the primary screen (or of part of it), top row first.
class ScreenShot {
public:
    static ScreenShot capture();
    // A copy of this area of the virtual screen (all monitors); at(0, 0) is
    // its top-left pixel.
    static ScreenShot capture(const RECT& area);

    int width() const { return m_width; }
    int height() const { return m_height; }
    Rgb at(int x, int y) const;

    // Mean brightness (0..255, the largest channel) of the rectangle [x0,x1) x [y0,y1).
    double mean_brightness(int x0, int y0, int x1, int y1) const;
    // How many pixels of the rectangle are at least this bright.
    int count_at_least(int x0, int y0, int x1, int y1, int brightness) const;

    // Saves the picture as a PNG file in the test run's artifacts folder
    // (VELMORAN_ARTIFACTS); returns the path written or an empty string.
    std::string save_png(const std::string& name) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Rgb> m_pixels;
};

// A top-level window that covers a rectangle of the screen with a fixed
// picture: vertical stripes of the given colours. Lives until destroyed.
class PatternWindow {
public:
    PatternWindow(RECT area, std::vector<COLORREF> stripes, const char* title = "Test pattern");
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    HWND handle() const { return m_window; }

private:
    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_window = nullptr;
    std::vector<COLORREF> m_stripes;
};

} // namespace velmoran_test
