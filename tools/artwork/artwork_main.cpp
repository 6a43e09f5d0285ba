// Writes the pictures built into Velmoran.scr into a folder (resources/ when
// they are to be committed): velmoran_artwork OUTPUT_FOLDER

#include <cstdio>
#include <string>

#include "bolt_pictures.h"
#include "command_frames.h"
#include "preview_pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        artwork::Canvas (*paint)();
    } pictures[] = {
        {"preview_picture.bmp", artwork::PaintPreviewPicture},
        {"preview_background.bmp", artwork::PaintPreviewBackground},
        {"bolt_violet.bmp", artwork::PaintVioletBolt},
        {"bolt_yellow.bmp", artwork::PaintYellowBolt},
        // The Command button's frames; the focused-and-hovered look is the hovered one.
        {"command_highlight.bmp", artwork::PaintHighLightFrame},
        {"command_pressed.bmp", artwork::PaintPressedFrame},
        {"command_normal.bmp", artwork::PaintNormalFrame},
        {"command_disable.bmp", artwork::PaintDisableFrame},
        {"command_highlight_select.bmp", artwork::PaintHighLightFrame},
        {"command_selected.bmp", artwork::PaintSelectedFrame},
    };
    for (const auto& picture : pictures) {
        const std::string path = folder + "/" + picture.name;
        if (!artwork::WriteFile(path, picture.paint().ToBmp())) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
