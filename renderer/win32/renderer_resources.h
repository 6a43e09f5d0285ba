#pragma once

// Resources built into Velmoran.dll (see renderer.rc): the thunder sounds,
// WAV files painted by tools/artwork like the bolt pictures, one id after
// the other.

#define IDR_THUNDER_1 201 // thunder_1.wav
#define IDR_THUNDER_2 202 // thunder_2.wav
#define IDR_THUNDER_3 203 // thunder_3.wav
#define IDR_THUNDER_FIRST IDR_THUNDER_1
#define IDR_THUNDER_COUNT 3
