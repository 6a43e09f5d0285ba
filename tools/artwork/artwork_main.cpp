// Writes the pictures built into Velmoran.scr and the thunder sounds built
// into Velmoran.dll into a folder (resources/ when they are to be
// committed): velmoran_artwork OUTPUT_FOLDER

#include <cstdio>
#include <string>

#include "bolt_pictures.h"
#include "command_frames.h"
#include "icon_file.h"
#include "link_cursor.h"
#include "panel_strip.h"
#include "preview_pictures.h"
#include "program_icon.h"
#include "radio_marks.h"
#include "check_marks.h"
#include "thunder_sounds.h"

namespace {

template <artwork::Canvas (*paint)()>
std::vector<std::uint8_t> Bitmap() {
    return paint().ToBmp();
}

std::vector<std::uint8_t> ProgramIcon() {
    return artwork::EncodeIcon(artwork::PaintProgramIcon());
}

template <int variant>
std::vector<std::uint8_t> Thunder() {
    return artwork::EncodeWav(artwork::SynthesiseThunder(variant), artwork::kThunderSampleRate);
}

std::vector<std::uint8_t> LinkCursor() {
    return artwork::EncodeCursor(artwork::PaintLinkCursor(), artwork::kLinkCursorHotspot);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        std::vector<std::uint8_t> (*paint)();
    } pictures[] = {
        {"preview_picture.bmp", Bitmap<artwork::PaintPreviewPicture>},
        {"preview_background.bmp", Bitmap<artwork::PaintPreviewBackground>},
        {"bolt_violet.bmp", Bitmap<artwork::PaintVioletBolt>},
        {"bolt_yellow.bmp", Bitmap<artwork::PaintYellowBolt>},
        {"Velmoran.ico", ProgramIcon},
        // The Command button's frames; the focused-and-hovered look is the hovered one.
        {"command_highlight.bmp", Bitmap<artwork::PaintHighLightFrame>},
        {"command_pressed.bmp", Bitmap<artwork::PaintPressedFrame>},
        {"command_normal.bmp", Bitmap<artwork::PaintNormalFrame>},
        {"command_disable.bmp", Bitmap<artwork::PaintDisableFrame>},
        {"command_highlight_select.bmp", Bitmap<artwork::PaintHighLightFrame>},
        {"command_selected.bmp", Bitmap<artwork::PaintSelectedFrame>},
        // The settings dialog's radio and check marks, panel strip and web-address cursor.
        {"radio_unselected.bmp", Bitmap<artwork::PaintRadioUnselected>},
        {"radio_selected.bmp", Bitmap<artwork::PaintRadioSelected>},
        {"check_unchecked.bmp", Bitmap<artwork::PaintCheckUnchecked>},
        {"check_checked.bmp", Bitmap<artwork::PaintCheckChecked>},
        {"panel_strip.bmp", Bitmap<artwork::PaintPanelStrip>},
        {"link_cursor.cur", LinkCursor},
        // The renderer's thunder.
        {"thunder_1.wav", Thunder<0>},
        {"thunder_2.wav", Thunder<1>},
        {"thunder_3.wav", Thunder<2>},
    };
    for (const auto& picture : pictures) {
        const std::string path = folder + "/" + picture.name;
        if (!artwork::WriteFile(path, picture.paint())) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
