#include "runtime/win32/gdi.h"

namespace runtime {

COLORREF ResolveColour(COLORREF value) {
    if ((value & 0x80000000u) != 0) {
        return GetSysColor(static_cast<int>(value & 0xFF));
    }
    return value & 0x00FFFFFFu;
}

OffscreenBuffer::OffscreenBuffer(HDC reference, int width, int height)
    : m_dc(CreateCompatibleDC(reference)),
      m_bitmap(CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1)),
      m_old(SelectObject(m_dc, m_bitmap.get())) {}

OffscreenBuffer::~OffscreenBuffer() {
    SelectObject(m_dc, m_old);
    DeleteDC(m_dc);
}

} // namespace runtime
