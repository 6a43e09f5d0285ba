#include "handoff_images.h"

#include "program_names.h"

std::string HandoffImagePath(int index) {
    return std::string(kHandoffFolder) + "\\Velmoran" + std::to_string(index) + ".bmp";
}

void WriteHandoffImages(const HandoffImageServices& services) {
    services.size_window_to_screen();
    services.size_capture_surface();
    services.copy_screen();
    for (int index = 0; index < kHandoffImageCount; ++index) {
        services.save_picture(index, HandoffImagePath(index));
    }
}
