#include "preview_window.h"

#include <windows.h>

#include <cstdint>
#include <optional>

#include "preview_area.h"
#include "program_names.h"
#include "resource_ids.h"
#include "runtime/win32/application.h"
#include "runtime/win32/picture.h"

using namespace runtime;

namespace {

constexpr int kPictureWidth = 152; // pixels: the usual size of the system's preview area
constexpr int kPictureHeight = 112;

Velmoran_R& PreviewForm() {
    static Velmoran_R form;
    return form;
}

} // namespace

Velmoran_R::Velmoran_R() : Img_Prev(*this, "Img_Prev") {
    SetCaption(kPreviewWindowTitle);
    SetBorderStyle(BorderStyle::None);
    SetScaleMode(ScaleMode::Pixels);
    SetBackColor(RGB(0, 0, 0));
    SetBackgroundPicture(Picture::FromResource(IDB_PREVIEW_BACKGROUND));
    const Scale twips = Screen().TwipsScale();
    Move(0, 0, twips.FromPixels(kPictureWidth), twips.FromPixels(kPictureHeight));
    Img_Prev.SetPicture(Picture::FromResource(IDB_PREVIEW_PICTURE));
    Img_Prev.SetStretch(true); // a larger preview area shows the whole picture, larger
    Img_Prev.Move(0, 0, kPictureWidth, kPictureHeight);
}

void Velmoran_R::Form_Unload(bool&) {
    // The system has destroyed the preview area, and this window with it:
    // the program has nothing left to show.
    PostQuitMessage(0);
}

void StartPreview(std::int32_t handle) {
    HWND area = reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
    std::optional<AreaRectangle> rectangle;
    RECT r{};
    if (handle != 0 && IsWindow(area) && GetWindowRect(area, &r)) {
        rectangle = AreaRectangle{r.left, r.top, r.right, r.bottom};
    }
    const auto size = PreviewSizeForArea(rectangle, Screen().dpi_x);
    if (!size) {
        // No preview area: an invisible window that nothing would ever destroy
        // serves no one, so the program ends instead.
        Application::End();
    }

    Velmoran_R& preview = PreviewForm();
    preview.Load();
    HWND window = preview.Hwnd();
    // A child of the preview area: WS_CHILD on, and WS_POPUP off, as a
    // window that changes from top-level to child must have it.
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, (style | WS_CHILD) & ~WS_POPUP);
    // The area may have gone meanwhile, and the window with it; then there is
    // nothing to show, and no window may be left behind on the desktop.
    if (SetParent(window, area) == nullptr || !preview.IsLoaded()) {
        Application::End();
    }
    preview.Move(0, 0, size->width_twips, size->height_twips);
    preview.Img_Prev.Move(0, 0, size->width_pixels, size->height_pixels);
    preview.Show();
}
