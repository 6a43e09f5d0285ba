#include "handoff_images.h"

#include "program_names.h"
#include "skipped_failures.h"

std::string HandoffImagePath(int index) {
    return std::string(kHandoffFolder) + "\\Velmoran" + std::to_string(index) + ".bmp";
}

void WriteHandoffImages(const HandoffImageServices& services) {
    SkipIfFailing([&] { services.size_window_to_screen(); });
    SkipIfFailing([&] { services.size_capture_surface(); });
    SkipIfFailing([&] { services.copy_screen(); });
    for (int index = 0; index < kHandoffImageCount; ++index) {
        SkipIfFailing([&] { services.save_picture(index, HandoffImagePath(index)); });
    }
}
