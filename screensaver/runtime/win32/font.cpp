#include "runtime/win32/font.h"

#include <cmath>

#include "runtime/win32/application.h"
#include "runtime/win32/text_encoding.h"

namespace runtime {

Font::Font(FontDescription description) : m_description(std::move(description)) {}

void Font::SetDescription(const FontDescription& description) {
    m_description = description;
    Changed();
}

void Font::SetFace(std::string face) {
    m_description.face = std::move(face);
    Changed();
}

HFONT Font::Handle() const {
    if (!m_handle) {
        const int dpi = FontDpi();
        LOGFONTW font{};
        font.lfHeight = -static_cast<LONG>(std::lround(m_description.size * dpi / 72.0));
        font.lfWeight = m_description.weight;
        font.lfItalic = m_description.italic ? TRUE : FALSE;
        font.lfUnderline = m_description.underline ? TRUE : FALSE;
        font.lfStrikeOut = m_description.strikethrough ? TRUE : FALSE;
        font.lfCharSet = static_cast<BYTE>(m_description.charset);
        font.lfQuality = DEFAULT_QUALITY;
        const std::wstring face = WideFromUtf8(m_description.face);
        lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
        m_handle.reset(CreateFontIndirectW(&font));
    }
    return m_handle.get();
}

int Font::Subscribe(std::function<void()> listener) {
    m_listeners.emplace_back(m_next_subscription, std::move(listener));
    return m_next_subscription++;
}

void Font::Unsubscribe(int subscription) {
    std::erase_if(m_listeners, [&](const auto& entry) { return entry.first == subscription; });
}

void Font::Changed() {
    m_handle.reset();
    // A listener may unsubscribe while it runs; call a copy.
    const auto listeners = m_listeners;
    for (const auto& entry : listeners) {
        entry.second();
    }
}

FontDescription DefaultFontDescription() {
    return FontDescription{"ＭＳ Ｐゴシック", 9, 400, false, false, false, SHIFTJIS_CHARSET};
}

} // namespace runtime
