# Unit tests of the screensaver program's cores: form runtime, settings, entry.
velmoran_unit_test(form_runtime_core_test
    screensaver/bmp_writer_test.cpp
    screensaver/conversions_test.cpp
    screensaver/mouse_routing_test.cpp
    screensaver/program_location_test.cpp
    screensaver/property_bag_test.cpp
    screensaver/shift_jis_test.cpp
)
target_link_libraries(form_runtime_core_test PRIVATE form_runtime_core)

velmoran_unit_test(settings_core_test
    screensaver/settings_dialog_rules_test.cpp
    screensaver/settings_store_test.cpp
)
target_link_libraries(settings_core_test PRIVATE settings_core)

velmoran_unit_test(screensaver_core_test
    screensaver/file_paths_test.cpp
    screensaver/handoff_files_test.cpp
    screensaver/music_settings_loading_test.cpp
    screensaver/preview_area_test.cpp
    screensaver/start_request_test.cpp
    screensaver/startup_steps_test.cpp
)
target_link_libraries(screensaver_core_test PRIVATE screensaver_core)

velmoran_unit_test(artwork_test screensaver/artwork_test.cpp)
target_link_libraries(artwork_test PRIVATE artwork_painting)
target_compile_definitions(artwork_test PRIVATE
    VELMORAN_RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources")

# The run window's steps, with the music module on a simulated media control interface.
velmoran_unit_test(run_window_steps_test
    screensaver/run_window_steps_test.cpp
    music/fake_mci.cpp
)
target_include_directories(run_window_steps_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/music)
target_link_libraries(run_window_steps_test PRIVATE screensaver_core)

# The two bolt pictures the program ships: generated, committed, and lightning.
velmoran_unit_test(bolt_pictures_test screensaver/bolt_pictures_test.cpp)
target_link_libraries(bolt_pictures_test PRIVATE artwork_painting)
target_compile_definitions(bolt_pictures_test PRIVATE
    VELMORAN_RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources")

# The program's icon and the web-address label's cursor: generated,
# committed, a stormy night and a pointing hand.
velmoran_unit_test(icon_files_test screensaver/icon_files_test.cpp)
target_link_libraries(icon_files_test PRIVATE artwork_painting)
target_compile_definitions(icon_files_test PRIVATE
    VELMORAN_RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources")

