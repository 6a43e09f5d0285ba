# Windows-side tests of the music module: real winmm on the session's null
# audio output, and a recording of what the module plays.

# The test MP3 lies beside the programs, in a folder whose name has blanks.
configure_file(${PROJECT_SOURCE_DIR}/tests/data/music/tone_440hz_1500ms.mp3
               "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/music data/tone 440 Hz.mp3" COPYONLY)

add_library(music_test_sounds STATIC music/test_sounds.cpp)
target_include_directories(music_test_sounds PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/music)
velmoran_target_defaults(music_test_sounds)

add_executable(music_sound_helper music/music_sound_helper.cpp)
target_link_libraries(music_sound_helper PRIVATE music_win32 music_test_sounds)
velmoran_target_defaults(music_sound_helper)

velmoran_system_test(music_wine_test
    SOURCES music/music_wine_test.cpp
    DRIVES music_sound_helper)
target_link_libraries(music_wine_test PRIVATE music_win32 music_test_sounds winmm)

# What the null sink's monitor records while the module plays a WAV and an
# MP3, and while the renderer thunders.
add_test(NAME music_sound_check
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/music/music_sound_check.sh
                 ${VELMORAN_WINE_SESSION_DIR} ${CMAKE_BINARY_DIR}/wine-run
                 $<TARGET_FILE:music_sound_helper>
                 "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/music data/tone 440 Hz.mp3"
                 ${CMAKE_BINARY_DIR}/music-sound-check $<TARGET_FILE:renderer>)
set_tests_properties(music_sound_check PROPERTIES FIXTURES_REQUIRED wine_session RESOURCE_LOCK display
                     LABELS sound TIMEOUT 120)

# The Wine process of a program that played an MP3 ends without a crash.
add_test(NAME music_exit_check
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/music/music_exit_check.sh ${CMAKE_BINARY_DIR}/wine-run
                 $<TARGET_FILE:music_sound_helper>
                 "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/music data/tone 440 Hz.mp3")
set_tests_properties(music_exit_check PROPERTIES FIXTURES_REQUIRED wine_session RESOURCE_LOCK display
                     LABELS sound TIMEOUT 60)

velmoran_system_test(music_japanese_path_test
    SOURCES music/music_japanese_path_test.cpp
    LOCALE ja_JP.UTF-8)
target_link_libraries(music_japanese_path_test PRIVATE music_win32 music_test_sounds winmm)
