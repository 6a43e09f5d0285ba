# Unit tests of the music module's core, against a simulated media control interface.
velmoran_unit_test(music_player_test
    music/fake_mci.cpp
    music/music_player_cd_test.cpp
    music/music_player_file_test.cpp)
target_link_libraries(music_player_test PRIVATE music_core)
