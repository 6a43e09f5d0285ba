#pragma once

// A font object as controls share it: changing it through any holder changes
// the text of every control that uses it, at once.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "runtime/property_bag.h"
#include "runtime/win32/gdi.h"

namespace runtime {

class Font {
public:
    explicit Font(FontDescription description);

    const FontDescription& Description() const { return m_description; }
    void SetDescription(const FontDescription& description);
    // The default member: the face name (UTF-8).
    void SetFace(std::string face);

    // The GDI font for the screen's resolution, made when first asked for.
    HFONT Handle() const;

    // Called whenever the font changes; the number given back unsubscribes.
    int Subscribe(std::function<void()> listener);
    void Unsubscribe(int subscription);

private:
    void Changed();

    FontDescription m_description;
    mutable GdiObject<HFONT> m_handle;
    std::vector<std::pair<int, std::function<void()>>> m_listeners;
    int m_next_subscription = 1;
};

using FontRef = std::shared_ptr<Font>;

inline FontRef MakeFont(FontDescription description) {
    return std::make_shared<Font>(std::move(description));
}

// The font a container starts with: the program's Japanese user-interface face.
FontDescription DefaultFontDescription();

} // namespace runtime
