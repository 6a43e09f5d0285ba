#include "runtime/win32/combo_box.h"

#include "runtime/win32/application.h"
#include "runtime/win32/container.h"
#include "runtime/win32/text_encoding.h"

namespace runtime {

namespace {

constexpr int kDroppedItems = 10; // how many items the open list shows

} // namespace

ComboBox::ComboBox(Container& container, std::string name, int index)
    : WindowedControl(container, std::move(name), index),
      m_font(MakeFont(container.ContainerFont()->Description())) {}

void ComboBox::CreateWindowIn(HWND parent) {
    const RECT& b = Bounds();
    HWND window = CreateWindowExW(
        0, L"COMBOBOX", L"", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
        b.left, b.top, b.right - b.left, b.bottom - b.top, parent, nullptr, Application::Instance(),
        nullptr);
    if (window == nullptr) {
        return;
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font->Handle()), FALSE);
    for (const std::string& item : m_items) {
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
    }
    SetWindowTextW(window, WideFromUtf8(m_text).c_str());
    Attach(window);
    // The box's height is its edit field's; the list drops below it.
    const int item_height = static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(window, nullptr, 0, 0, b.right - b.left,
                 (b.bottom - b.top) + item_height * kDroppedItems + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string ComboBox::Text() const {
    if (Hwnd() == nullptr) {
        return m_text;
    }
    const int length = GetWindowTextLengthW(Hwnd());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(Hwnd(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return Utf8FromWide(text);
}

void ComboBox::SetText(std::string_view text) {
    m_text = std::string(text);
    if (Hwnd() != nullptr) {
        SetWindowTextW(Hwnd(), WideFromUtf8(m_text).c_str());
    }
}

void ComboBox::AddItem(std::string_view item) {
    m_items.emplace_back(item);
    if (Hwnd() != nullptr) {
        // Adding an item leaves the typed text as it is.
        const std::string text = Text();
        SendMessageW(Hwnd(), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideFromUtf8(m_items.back()).c_str()));
        SetText(text);
    }
}

void ComboBox::Clear() {
    m_items.clear();
    if (Hwnd() != nullptr) {
        SendMessageW(Hwnd(), CB_RESETCONTENT, 0, 0);
    }
}

int ComboBox::ListIndex() const {
    if (Hwnd() == nullptr) {
        return -1;
    }
    return static_cast<int>(SendMessageW(Hwnd(), CB_GETCURSEL, 0, 0));
}

void ComboBox::SetBackColor(COLORREF colour) {
    m_back_colour = colour;
    m_back_brush.reset();
    if (Hwnd() != nullptr) {
        InvalidateRect(Hwnd(), nullptr, TRUE);
    }
}

void ComboBox::SetFont(FontRef font) {
    m_font = std::move(font);
    if (Hwnd() != nullptr) {
        SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font->Handle()), TRUE);
    }
}

void ComboBox::Notified(int code) {
    if (code == CBN_EDITCHANGE) {
        Change();
    } else if (code == CBN_SELCHANGE) {
        Click();
    }
}

HBRUSH ComboBox::BackgroundBrush(HDC dc) {
    // Disabled, the box keeps its background; only its text greys.
    if (!Enabled()) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    const COLORREF colour = ResolveColour(m_back_colour);
    if (!m_back_brush) {
        m_back_brush.reset(CreateSolidBrush(colour));
    }
    SetBkColor(dc, colour);
    return m_back_brush.get();
}

} // namespace runtime
