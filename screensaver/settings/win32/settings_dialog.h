#pragma once

// The settings dialog Velmoran_P, the program's configure mode: the user
// chooses the background music (none, an audio CD with a track to repeat, or
// an MP3 or WAV file) and saves it with 設定 or leaves with ｷｬﾝｾﾙ. It edits the
// program's music settings directly and writes the settings file only on
// save. Its caption "<Velmoran>" is what a second start looks for.

#include <array>
#include <cstdint>
#include <string_view>

#include "command.h"
#include "runtime/win32/combo_box.h"
#include "runtime/win32/form.h"
#include "runtime/win32/image_control.h"
#include "runtime/win32/label.h"
#include "runtime/win32/picture_box.h"
#include "runtime/win32/shape.h"

class Velmoran_P : public runtime::Form {
public:
    Velmoran_P();

    // The music group's panel and what it holds (twips in the panel).
    runtime::PictureBox Pic_C;
    runtime::Shape Shape3;
    runtime::Label lbl15;                  // lbl(15): the group's title
    std::array<runtime::Image, 3> Img_BGM; // radio marks; index = the kind they select
    std::array<runtime::Label, 3> lbl_BGM; // their captions
    runtime::ComboBox BGM_Repeat;          // the CD track to repeat
    runtime::Label lbl14;                  // lbl(14), after the track box
    Command Cmd_File;
    runtime::Label lbl_Fname; // the music file
    // The display group's panel, under the music group, and its checks:
    // 0 keep the screen's resolution, 1 show on every monitor, 2 thunder.
    runtime::PictureBox Pic_D;
    std::array<runtime::Image, 3> Img_Disp; // the check marks
    std::array<runtime::Label, 3> lbl_Disp; // their captions
    // On the form.
    runtime::Label lbl7; // lbl(7): the credit, ending in the version
    runtime::Label lbl_URL;
    Command Cmd_Set;
    Command Cmd_Can;
    // Outside the client area, never seen: the panels' tile, the two radio
    // marks and the two check marks.
    runtime::PictureBox Pic_Mbl;
    std::array<runtime::Image, 2> Img_Ra; // 0 unselected, 1 selected
    std::array<runtime::Image, 2> Img_Ck; // 0 unchecked, 1 checked

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(bool& cancel) override;
    void Form_DpiChanged(int dpi, const RECT& suggested) override;

private:
    void Img_BGM_MouseDown(int index);
    void lbl_BGM_MouseDown(int index);
    void Cmd_File_Click();
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    void lbl_URL_Click();
    void ToggleDisplayChoice(int index);

    void Layout();
    void LayOutAt(int dpi);
    runtime::Label* CaptionLabel(std::string_view control);
    Command* CaptionButton(std::string_view control);
    void SelectKind(int kind);
    void ShowMarks(std::int16_t kind);
    void ShowChecks();
    void TilePicture(runtime::PictureBox& target);
};

// Shows the settings dialog modally and returns when it has closed. owner:
// the window the system asked from (/c:HWND), which the dialog stays above;
// 0 for none.
void ShowSettingsDialog(std::int32_t owner);

// Its zoom out of the pointer's position and back into it.
void ZoomOpen(HWND window);
void ZoomClose(HWND window);
