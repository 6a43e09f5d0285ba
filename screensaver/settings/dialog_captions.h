#pragma once

// Where the settings dialog shows the texts of the program's text tables:
// each caption's control and its place in twips, in the panel or on the form
// that holds it. The dialog lays them out from this table, and the test that
// checks every text fits its control in every language reads it too.

#include <span>
#include <string_view>

#include "texts/program_texts.h"

// What holds a caption's control; its place is in that holder's twips.
enum class CaptionHolder {
    MusicPanel,   // Pic_C
    DisplayPanel, // Pic_D
    Form,         // the dialog itself
};

struct DialogCaption {
    std::string_view control; // as the dialog names it
    TextKey text;
    CaptionHolder holder;
    double left, top, width, height;
    bool button; // a Command button: its caption sits inside its frame
};

// How far the display group moves the credit, the web address and the
// buttons down (twips), and its rows' tops in it.
inline constexpr double kDisplayGroupShift = 1155;
inline constexpr double kDisplayRowTops[] = {120, 420, 720};

// The dialog's own Japanese layout: the music kinds and the track box's
// label at their original twips, 195 high.
inline constexpr DialogCaption kJapaneseCaptions[] = {
    {"lbl_BGM(1)", TextKey::MusicCd, CaptionHolder::MusicPanel, 660, 840, 645, 195, false},
    {"lbl14", TextKey::RepeatTrack, CaptionHolder::MusicPanel, 2340, 840, 990, 195, false},
    {"lbl_BGM(0)", TextKey::NoMusic, CaptionHolder::MusicPanel, 660, 1140, 330, 195, false},
    {"lbl_BGM(2)", TextKey::MusicFile, CaptionHolder::MusicPanel, 660, 1440, 900, 195, false},
    {"lbl_Disp(0)", TextKey::KeepResolution, CaptionHolder::DisplayPanel, 660, kDisplayRowTops[0],
     4200, 240, false},
    {"lbl_Disp(1)", TextKey::EveryMonitor, CaptionHolder::DisplayPanel, 660, kDisplayRowTops[1],
     4200, 240, false},
    {"lbl_Disp(2)", TextKey::Thunder, CaptionHolder::DisplayPanel, 660, kDisplayRowTops[2], 4200,
     240, false},
    {"Cmd_Set", TextKey::OkButton, CaptionHolder::Form, 4740, 3000 + kDisplayGroupShift, 1215, 375,
     true},
    {"Cmd_Can", TextKey::CancelButton, CaptionHolder::Form, 6000, 3000 + kDisplayGroupShift, 1215,
     375, true},
};

// The English texts, in Tahoma, need more room: a line higher than its em
// (14 pixels for 9.75 points at 96 dots per inch) and wider labels.
inline constexpr double kCaptionHeight = 240;

inline constexpr DialogCaption kEnglishCaptions[] = {
    {"lbl_BGM(1)", TextKey::MusicCd, CaptionHolder::MusicPanel, 660, 840, 990, kCaptionHeight,
     false},
    {"lbl14", TextKey::RepeatTrack, CaptionHolder::MusicPanel, 2340, 840, 1500, kCaptionHeight,
     false},
    {"lbl_BGM(0)", TextKey::NoMusic, CaptionHolder::MusicPanel, 660, 1140, 900, kCaptionHeight,
     false},
    {"lbl_BGM(2)", TextKey::MusicFile, CaptionHolder::MusicPanel, 660, 1440, 1200, kCaptionHeight,
     false},
    {"lbl_Disp(0)", TextKey::KeepResolution, CaptionHolder::DisplayPanel, 660, kDisplayRowTops[0],
     4200, kCaptionHeight, false},
    {"lbl_Disp(1)", TextKey::EveryMonitor, CaptionHolder::DisplayPanel, 660, kDisplayRowTops[1],
     4200, kCaptionHeight, false},
    {"lbl_Disp(2)", TextKey::Thunder, CaptionHolder::DisplayPanel, 660, kDisplayRowTops[2], 4200,
     kCaptionHeight, false},
    {"Cmd_Set", TextKey::OkButton, CaptionHolder::Form, 4740, 3000 + kDisplayGroupShift, 1215, 375,
     true},
    {"Cmd_Can", TextKey::CancelButton, CaptionHolder::Form, 6000, 3000 + kDisplayGroupShift, 1215,
     375, true},
};

// The captions of a language's layout.
inline std::span<const DialogCaption> DialogCaptionsIn(Language language) {
    if (language == Language::Japanese) {
        return kJapaneseCaptions;
    }
    return kEnglishCaptions;
}
