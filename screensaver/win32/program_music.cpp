#include "program_music.h"

#include "program_globals.h"
#include "winmm_platform.h"

Velmoran_BGM& ProgramMusic() {
    static Velmoran_BGM music(g_music_settings, LastApiResult, winmm_platform());
    return music;
}
