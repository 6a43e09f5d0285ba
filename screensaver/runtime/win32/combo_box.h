#pragma once

// A combo box whose text can be typed or chosen from its drop-down list.

#include <string>
#include <string_view>
#include <vector>

#include "runtime/win32/control.h"
#include "runtime/win32/font.h"
#include "runtime/win32/gdi.h"

namespace runtime {

class ComboBox : public WindowedControl {
public:
    ComboBox(Container& container, std::string name, int index = -1);

    // The text in the box (UTF-8).
    std::string Text() const;
    void SetText(std::string_view text);

    void AddItem(std::string_view item);
    void Clear();
    std::size_t ListCount() const { return m_items.size(); }
    const std::string& List(std::size_t index) const { return m_items.at(index); }
    // The chosen item, or -1.
    int ListIndex() const;

    void SetBackColor(COLORREF colour);
    // The font object; setting it shares the object given.
    void SetFont(FontRef font);

    Event<> Change; // the text was typed
    Event<> Click;  // an item was chosen

    void CreateWindowIn(HWND parent) override;
    void Notified(int code) override;
    HBRUSH BackgroundBrush(HDC dc) override;

private:
    std::vector<std::string> m_items;
    std::string m_text;                  // while there is no window
    COLORREF m_back_colour = 0x80000005; // the system's window colour
    GdiObject<HBRUSH> m_back_brush;
    FontRef m_font;
};

} // namespace runtime
