#include "runtime/win32/label.h"

#include "runtime/win32/container.h"
#include "runtime/win32/gdi.h"
#include "runtime/win32/text_encoding.h"

namespace runtime {

Label::Label(Container& container, std::string name, int index)
    : WindowlessControl(container, std::move(name), index) {
    // A new label starts with a font of its own, like its container's.
    Watch(MakeFont(container.ContainerFont()->Description()));
}

Label::~Label() {
    if (m_font) {
        m_font->Unsubscribe(m_subscription);
    }
}

void Label::Watch(const FontRef& font) {
    if (m_font) {
        m_font->Unsubscribe(m_subscription);
    }
    m_font = font;
    if (m_font) {
        m_subscription = m_font->Subscribe([this] { Invalidate(); });
    }
}

void Label::SetCaption(std::string_view caption) {
    m_caption = std::string(caption);
    Invalidate();
}

void Label::SetFont(FontRef font) {
    Watch(font);
    Invalidate();
}

void Label::SetForeColor(COLORREF colour) {
    m_fore_colour = colour;
    Invalidate();
}

void Label::SetBackColor(COLORREF colour) {
    m_back_colour = colour;
    Invalidate();
}

void Label::SetBackStyle(BackStyle style) {
    m_back_style = style;
    Invalidate();
}

void Label::SetAlignment(Alignment alignment) {
    m_alignment = alignment;
    Invalidate();
}

void Label::SetWordWrap(bool wrap) {
    m_word_wrap = wrap;
    Invalidate();
}

void Label::Paint(HDC dc) const {
    RECT area = Bounds();
    if (m_back_style == BackStyle::Opaque) {
        GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColour(m_back_colour)));
        FillRect(dc, &area, brush.get());
    }
    if (m_caption.empty()) {
        return;
    }
    const std::wstring text = WideFromUtf8(m_caption);
    UINT format = DT_NOPREFIX | (m_word_wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE);
    format |= m_alignment == Alignment::Center  ? DT_CENTER
              : m_alignment == Alignment::Right ? DT_RIGHT
                                                : DT_LEFT;
    const int saved = SaveDC(dc);
    if (m_word_wrap) {
        IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    } else {
        // One line is shown whole, even where the screen's font is a little
        // wider than the label was laid out for.
        format |= DT_NOCLIP;
    }
    SetBkMode(dc, TRANSPARENT);
    if (m_font) {
        SelectObject(dc, m_font->Handle());
    }
    if (Enabled()) {
        SetTextColor(dc, ResolveColour(m_fore_colour));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    } else {
        // Engraved: a light copy one pixel down and right under the grey text.
        RECT shadow = area;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    }
    RestoreDC(dc, saved);
}

} // namespace runtime
