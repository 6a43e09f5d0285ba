#include "handoff_images.h"

#include "skipped_failures.h"

HandoffImagesWritten WriteHandoffImages(const HandoffImageServices& services) {
    HandoffImagesWritten written;
    SkipIfFailing([&] { services.size_window_to_screen(); });
    SkipIfFailing([&] { services.size_capture_surface(); });
    SkipIfFailing([&] { services.copy_screen(); });
    for (int index = 0; index < kHandoffImageCount; ++index) {
        SkipIfFailing([&] {
            const bool saved = services.save_picture(index);
            written.photograph = written.photograph || (index == 0 && saved);
        });
    }
    if (services.photograph_other_monitors) {
        SkipIfFailing([&] { written.monitors = services.photograph_other_monitors(); });
    }
    return written;
}
