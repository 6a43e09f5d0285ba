#pragma once

// A label: text painted by its container, transparent unless asked
// otherwise, greyed (engraved) while disabled, with mouse events and a
// mouse icon of its own.

#include <string>
#include <string_view>

#include "runtime/win32/control.h"
#include "runtime/win32/font.h"

namespace runtime {

enum class Alignment { Left, Right, Center };
enum class BackStyle { Transparent = 0, Opaque = 1 };

class Label : public WindowlessControl {
public:
    Label(Container& container, std::string name, int index = -1);
    ~Label() override;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string_view caption); // UTF-8

    // The label's font object; setting it shares the object given.
    const FontRef& GetFont() const { return m_font; }
    void SetFont(FontRef font);

    COLORREF ForeColor() const { return m_fore_colour; }
    void SetForeColor(COLORREF colour);
    COLORREF BackColor() const { return m_back_colour; }
    void SetBackColor(COLORREF colour);
    BackStyle GetBackStyle() const { return m_back_style; }
    void SetBackStyle(BackStyle style);
    Alignment GetAlignment() const { return m_alignment; }
    void SetAlignment(Alignment alignment);
    // Long captions wrap onto the next lines within the label (the default),
    // or stay on one line, shown whole.
    void SetWordWrap(bool wrap);

    void Paint(HDC dc) const override;

private:
    void Watch(const FontRef& font);

    std::string m_caption;
    FontRef m_font;
    int m_subscription = 0;
    COLORREF m_fore_colour = 0x80000012; // the system's button text
    COLORREF m_back_colour = 0x8000000F;
    BackStyle m_back_style = BackStyle::Transparent;
    Alignment m_alignment = Alignment::Left;
    bool m_word_wrap = true;
};

} // namespace runtime
