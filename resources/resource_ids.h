#pragma once

// Resources built into Velmoran.scr (see Velmoran.rc).

#define IDB_PREVIEW_PICTURE 101    // 152 x 112: the preview picture (Img_Prev)
#define IDB_PREVIEW_BACKGROUND 102 // 152 x 112: the preview window's background
#define IDB_BOLT_VIOLET 103        // 256 x 256: the violet-white bolt (Display(1), Velmoran1.bmp)
#define IDB_BOLT_YELLOW 104        // 256 x 256: the yellow-white bolt (Display(2), Velmoran2.bmp)

// The program's 32 x 32 icon (Velmoran.ico). Its id is the lowest of the
// program's icons, so that the system shows it for Velmoran.scr; the
// settings dialog shows it on its window.
#define IDI_VELMORAN 1

// String 1 is the name the system shows in its list of screensavers.
#define IDS_SCREENSAVER_NAME 1

// 64 x 25 each: the Command button's frame pictures, in the order the control holds them.
#define IDB_COMMAND_HIGHLIGHT 120
#define IDB_COMMAND_PRESSED 121
#define IDB_COMMAND_NORMAL 122
#define IDB_COMMAND_DISABLE 123
#define IDB_COMMAND_HIGHLIGHT_SELECT 124 // the same picture as IDB_COMMAND_HIGHLIGHT
#define IDB_COMMAND_SELECTED 125

// The settings dialog's pictures. The cursor is 32 x 32 with its hotspot at the fingertip.
#define IDB_RADIO_UNSELECTED 130 // 12 x 12: the empty radio mark (Img_Ra(0))
#define IDB_RADIO_SELECTED 131   // 12 x 12: the selected radio mark (Img_Ra(1))
#define IDB_PANEL_STRIP 132      // 556 x 20: the tile of the music panel's background (Pic_Mbl)
#define IDC_LINK_CURSOR 133      // the web-address label's mouse cursor (lbl_URL)
#define IDB_CHECK_UNCHECKED 134  // 12 x 12: the empty check mark (Img_Ck(0))
#define IDB_CHECK_CHECKED 135    // 12 x 12: the ticked check mark (Img_Ck(1))
