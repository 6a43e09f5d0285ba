#include "handoff_images.h"

#include "skipped_failures.h"

void WriteHandoffImages(const HandoffImageServices& services) {
    SkipIfFailing([&] { services.size_window_to_screen(); });
    SkipIfFailing([&] { services.size_capture_surface(); });
    SkipIfFailing([&] { services.copy_screen(); });
    for (int index = 0; index < kHandoffImageCount; ++index) {
        SkipIfFailing([&] { services.save_picture(index); });
    }
    if (services.photograph_other_monitors) {
        SkipIfFailing([&] { services.photograph_other_monitors(); });
    }
}
