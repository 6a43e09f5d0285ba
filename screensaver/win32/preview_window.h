#pragma once

// The preview window Velmoran_R: a still picture placed inside the system's
// preview area, which lives until the system destroys it.

#include <cstdint>

#include "runtime/win32/form.h"
#include "runtime/win32/image_control.h"

class Velmoran_R : public runtime::Form {
public:
    Velmoran_R();

    runtime::Image Img_Prev; // the preview picture, sized to the window

protected:
    void Form_Unload(bool& cancel) override;
};

// Places the preview window inside the window of handle and shows it; with
// no such window (a zero or invalid handle) the program ends at once.
void StartPreview(std::int32_t handle);
