#pragma once

// A shape: a rectangle (or rounded rectangle, or oval) drawn by its
// container, as an outline or filled. Shapes take no mouse input.

#include "runtime/win32/control.h"

namespace runtime {

enum class ShapeKind { Rectangle, RoundedRectangle, Oval };

class Shape : public WindowlessControl {
public:
    Shape(Container& container, std::string name, int index = -1);

    void SetKind(ShapeKind kind);
    void SetBorderColor(COLORREF colour);
    void SetBorderWidth(int pixels); // 0 draws no outline
    // Filled with fill colour, or (the default) transparent inside.
    void SetFill(bool filled, COLORREF colour = 0);

    void Paint(HDC dc) const override;
    bool TakesMouse() const override { return false; }

private:
    ShapeKind m_kind = ShapeKind::Rectangle;
    COLORREF m_border_colour = 0x80000012;
    int m_border_width = 1;
    bool m_filled = false;
    COLORREF m_fill_colour = 0;
};

} // namespace runtime
