#pragma once

// Resources built into Velmoran.scr (see Velmoran.rc).

#define IDB_PREVIEW_PICTURE 101    // 152 x 112: the preview picture (Img_Prev)
#define IDB_PREVIEW_BACKGROUND 102 // 152 x 112: the preview window's background
