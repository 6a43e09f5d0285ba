#pragma once

// The program's music module: Velmoran_BGM on winmm, reading the program's
// music settings and leaving its results in LastApiResult. It lives for the
// whole process.

#include "music/music_player.h"

Velmoran_BGM& ProgramMusic();
