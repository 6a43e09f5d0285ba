#include "runtime/win32/shape.h"

#include <algorithm>

#include "runtime/win32/gdi.h"

namespace runtime {

Shape::Shape(Container& container, std::string name, int index)
    : WindowlessControl(container, std::move(name), index) {}

void Shape::SetKind(ShapeKind kind) {
    m_kind = kind;
    Invalidate();
}

void Shape::SetBorderColor(COLORREF colour) {
    m_border_colour = colour;
    Invalidate();
}

void Shape::SetBorderWidth(int pixels) {
    m_border_width = pixels;
    Invalidate();
}

void Shape::SetFill(bool filled, COLORREF colour) {
    m_filled = filled;
    m_fill_colour = colour;
    Invalidate();
}

void Shape::Paint(HDC dc) const {
    const RECT& r = Bounds();
    // The pen is drawn inside the bounds, as the shape's outline.
    GdiObject<HPEN> pen(m_border_width > 0 ? CreatePen(PS_INSIDEFRAME, m_border_width,
                                                       ResolveColour(m_border_colour))
                                           : nullptr);
    GdiObject<HBRUSH> brush(m_filled ? CreateSolidBrush(ResolveColour(m_fill_colour)) : nullptr);
    Selection pen_selected(dc, pen ? static_cast<HGDIOBJ>(pen.get()) : GetStockObject(NULL_PEN));
    Selection brush_selected(dc, brush ? static_cast<HGDIOBJ>(brush.get())
                                       : GetStockObject(NULL_BRUSH));
    // Without a pen GDI leaves the right and bottom edge out; give it back.
    const int extra = pen ? 0 : 1;
    switch (m_kind) {
    case ShapeKind::Rectangle:
        Rectangle(dc, r.left, r.top, r.right + extra, r.bottom + extra);
        break;
    case ShapeKind::RoundedRectangle: {
        const int corner = std::min(r.right - r.left, r.bottom - r.top) / 4;
        RoundRect(dc, r.left, r.top, r.right + extra, r.bottom + extra, corner, corner);
        break;
    }
    case ShapeKind::Oval:
        Ellipse(dc, r.left, r.top, r.right + extra, r.bottom + extra);
        break;
    }
}

} // namespace runtime
