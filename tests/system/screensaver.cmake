# Windows-side tests of the screensaver program.

# Code the tests share: driving Velmoran.scr and reading what it leaves behind.
add_library(screensaver_test_support STATIC screensaver/scr_driver.cpp)
target_link_libraries(screensaver_test_support PUBLIC system_test_support)
target_include_directories(screensaver_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/screensaver)
# The committed pictures, as a Windows program names them (Wine maps Z: to /).
string(REPLACE "/" "\\\\" resources_windows "Z:${PROJECT_SOURCE_DIR}/resources")
target_compile_definitions(screensaver_test_support PRIVATE
    VELMORAN_RESOURCES_DIR_WINDOWS="${resources_windows}")
velmoran_target_defaults(screensaver_test_support)

# The program in its modes, under the Japanese code page it is written for.
velmoran_system_test(screensaver_modes_test
    SOURCES screensaver/screensaver_modes_test.cpp
    DRIVES screensaver renderer
    LOCALE ja_JP.UTF-8)
target_link_libraries(screensaver_modes_test PRIVATE screensaver_test_support)

# A few of the same checks under the default code page.
velmoran_system_test(screensaver_default_locale_test
    SOURCES screensaver/screensaver_default_locale_test.cpp
    DRIVES screensaver renderer)
target_link_libraries(screensaver_default_locale_test PRIVATE screensaver_test_support)

# The settings store on the real profile functions, under both code pages.
foreach(variant IN ITEMS ja default)
    set(name settings_store_test_${variant})
    if(variant STREQUAL ja)
        velmoran_system_test(${name} SOURCES screensaver/settings_store_test.cpp LOCALE ja_JP.UTF-8)
    else()
        velmoran_system_test(${name} SOURCES screensaver/settings_store_test.cpp)
    endif()
    target_link_libraries(${name} PRIVATE screensaver_test_support screensaver_win32)
endforeach()

# The form runtime's Win32 layer: forms, timers, controls, user-control hosting.
velmoran_system_test(form_runtime_test SOURCES screensaver/form_runtime_test.cpp)
target_link_libraries(form_runtime_test PRIVATE screensaver_test_support form_runtime_win32)

# The retained image when its bitmap cannot grow.
velmoran_system_test(retained_image_test SOURCES screensaver/retained_image_test.cpp)
target_link_libraries(retained_image_test PRIVATE form_runtime_win32)

# The preview window's picture, with the preview in the test's own process
# (it needs the program's pictures, so it carries the program's resources).
velmoran_system_test(preview_window_test
    SOURCES screensaver/preview_window_test.cpp ${PROJECT_SOURCE_DIR}/resources/Velmoran.rc)
target_link_libraries(preview_window_test PRIVATE screensaver_test_support screensaver_win32)

# Whole runs: the programs copied into folders of their own, a stand-in for
# the renderer that logs what reaches it, and the tests that drive them.
add_executable(renderer_stand_in WIN32 screensaver/renderer_stand_in.cpp)
velmoran_target_defaults(renderer_stand_in)
add_library(screensaver_run_support STATIC screensaver/run_driver.cpp)
target_link_libraries(screensaver_run_support PUBLIC screensaver_test_support)
velmoran_target_defaults(screensaver_run_support)

# Runs with a test pattern on the screen: the hand-off files, the renderer's
# floor and sky, Esc, two runs in a row.
velmoran_system_test(screensaver_run_test
    SOURCES screensaver/screensaver_run_test.cpp
    DRIVES screensaver renderer
    LOCALE ja_JP.UTF-8)
target_link_libraries(screensaver_run_test PRIVATE screensaver_run_support)

# The launch, the watch and the end of a run at their edges.
velmoran_system_test(screensaver_protocol_test
    SOURCES screensaver/screensaver_protocol_test.cpp
    DRIVES screensaver renderer renderer_stand_in
    LOCALE ja_JP.UTF-8)
target_link_libraries(screensaver_protocol_test PRIVATE screensaver_run_support)

# What a run writes into the hand-off folder and what it will not write
# through: the photograph's access list, its removal at the end, earlier
# files replaced, entries of the wrong kind left alone.
velmoran_system_test(handoff_folder_test
    SOURCES screensaver/handoff_folder_test.cpp
    DRIVES screensaver renderer_stand_in)
target_link_libraries(handoff_folder_test PRIVATE screensaver_run_support advapi32)

# Links where the hand-off folder or its files should be, made from the shell.
add_test(NAME handoff_link_check
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/screensaver/handoff_link_check.sh
                 ${VELMORAN_WINE_SESSION_DIR} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
                 ${CMAKE_BINARY_DIR}/handoff-link-check)
set_tests_properties(handoff_link_check PROPERTIES FIXTURES_REQUIRED wine_session
                     RESOURCE_LOCK display LABELS links TIMEOUT 120)

# The cursor as a run leaves it, read from Wine's own trace of ShowCursor.
add_test(NAME screensaver_cursor_check
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/screensaver/screensaver_cursor_check.sh
                 ${VELMORAN_WINE_SESSION_DIR} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
                 ${CMAKE_BINARY_DIR}/screensaver-cursor-check)
set_tests_properties(screensaver_cursor_check PROPERTIES FIXTURES_REQUIRED wine_session
                     RESOURCE_LOCK display LABELS trace TIMEOUT 120)

# Runs with a WAV and with an MP3 chosen, heard on the session's null sink.
add_test(NAME screensaver_music_check
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/screensaver/screensaver_music_check.sh
                 ${VELMORAN_WINE_SESSION_DIR} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
                 "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/music data/tone 440 Hz.mp3"
                 ${CMAKE_BINARY_DIR}/screensaver-music-check)
set_tests_properties(screensaver_music_check PROPERTIES FIXTURES_REQUIRED wine_session
                     RESOURCE_LOCK display LABELS sound TIMEOUT 180)
