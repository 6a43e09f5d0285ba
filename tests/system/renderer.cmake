# Helpers the tests start: a probe that runs the renderer inside a virtual
# desktop whose mode can change, and a library of hooks (one refuses the
# renderer's window, one moves a window to another scaling).
add_executable(display_mode_probe display_mode_probe.cpp)
velmoran_target_defaults(display_mode_probe)
add_library(test_hooks SHARED test_hooks.cpp)
set_target_properties(test_hooks PROPERTIES PREFIX "")
target_link_options(test_hooks PRIVATE -static)
velmoran_target_defaults(test_hooks)

velmoran_system_test(renderer_window_test
    SOURCES renderer_window_test.cpp
    DRIVES renderer)

velmoran_system_test(renderer_display_mode_test
    SOURCES renderer_display_mode_test.cpp
    DRIVES renderer display_mode_probe test_hooks
    OWN_SESSION)

# The renderer's BMP decoder compared with the platform's own DIB conversion.
velmoran_system_test(bmp_decoder_platform_test
    SOURCES bmp_decoder_platform_test.cpp ../unit/support/bmp_builder.cpp)
target_include_directories(bmp_decoder_platform_test PRIVATE ../unit/support)
target_link_libraries(bmp_decoder_platform_test PRIVATE renderer_core)

# The renderer with broken, missing and good hand-off images in the hand-off folder.
velmoran_system_test(renderer_images_test
    SOURCES renderer_images_test.cpp ../unit/support/bmp_builder.cpp
    DRIVES renderer)
target_include_directories(renderer_images_test PRIVATE ../unit/support)

# The finished renderer: bolts in the sky and their flash on the floor.
velmoran_system_test(renderer_lightning_test
    SOURCES renderer_lightning_test.cpp ../unit/support/bmp_builder.cpp
    DRIVES renderer)
target_include_directories(renderer_lightning_test PRIVATE ../unit/support)

# The renderer on a display of two monitors: the second covered in black.
velmoran_system_test(renderer_monitors_test
    SOURCES renderer_monitors_test.cpp
    DRIVES renderer
    TWO_MONITORS)
target_link_libraries(renderer_monitors_test PRIVATE screensaver_run_support form_runtime_core)

# The renderer where it does not switch the display: on a display without a
# 1024 x 768 mode (Xorg's dummy driver), and again on a wide screen whose
# screenshots the README shows.
velmoran_system_test(renderer_display_test
    SOURCES renderer_display_test.cpp ../unit/support/bmp_builder.cpp
    DRIVES renderer
    MONITORS no1024)
target_include_directories(renderer_display_test PRIVATE ../unit/support)
target_link_libraries(renderer_display_test PRIVATE screensaver_test_support)
velmoran_system_test_run(renderer_display_test_wide renderer_display_test SCREEN 1600x900x24)
