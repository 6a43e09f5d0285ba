# Windows-side tests of the settings dialog: Velmoran.scr /c driven with real
# input, in the Japanese session it is written for, in the default one (its
# English texts), and at three display scalings.
add_library(settings_dialog_driver STATIC settings/dialog_driver.cpp)
target_link_libraries(settings_dialog_driver PUBLIC screensaver_test_support form_runtime_win32
                                                    settings_core program_texts_win32)
target_include_directories(settings_dialog_driver PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/settings)
velmoran_target_defaults(settings_dialog_driver)

velmoran_system_test(settings_dialog_test
    SOURCES settings/settings_dialog_test.cpp
    DRIVES screensaver renderer test_hooks
    LOCALE ja_JP.UTF-8
    FILTER -SettingsDialog.AFileNameTheCodePageCannotWrite*)
target_link_libraries(settings_dialog_test PRIVATE settings_dialog_driver)

set(looks "SettingsDialog.LayoutFollowsTheScreensResolution:SettingsDialog.Captions*")
velmoran_system_test_run(settings_dialog_test_default_locale settings_dialog_test
    FILTER "${looks}:SettingsDialog.AFileNameTheCodePageCannotWrite*")
foreach(dpi IN ITEMS 120 144 192)
    velmoran_system_test_run(settings_dialog_test_${dpi}dpi settings_dialog_test
        DPI ${dpi} LOCALE ja_JP.UTF-8 FILTER ${looks})
endforeach()
# The English dialog at 200 % scaling too.
velmoran_system_test_run(settings_dialog_test_192dpi_english settings_dialog_test
    DPI 192 FILTER ${looks})

# A program folder that cannot be written: the dialog saves into the user's
# own file and the next run plays the music picked (the check makes the
# folder read-only, drives the dialog and listens to the run).
add_executable(read_only_folder_test settings/read_only_folder_test.cpp)
target_link_libraries(read_only_folder_test PRIVATE settings_dialog_driver GTest::gtest_main)
velmoran_target_defaults(read_only_folder_test)
add_dependencies(read_only_folder_test screensaver renderer)
add_test(NAME settings_read_only_check
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/settings/settings_read_only_check.sh
                 ${VELMORAN_WINE_SESSION_DIR} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
                 ${CMAKE_BINARY_DIR}/settings-read-only-check)
set_tests_properties(settings_read_only_check PROPERTIES FIXTURES_REQUIRED wine_session
                     RESOURCE_LOCK display LABELS sound TIMEOUT 180
                     ENVIRONMENT RESULTS_DIR=${VELMORAN_RESULTS_DIR})
