# Unit tests of the renderer's cores.
velmoran_unit_test(frame_timer_test frame_timer_test.cpp)
target_link_libraries(frame_timer_test PRIVATE renderer_core)

# BMP files built byte by byte, for the decoder's tests.
add_library(bmp_test_support STATIC support/bmp_builder.cpp)
target_include_directories(bmp_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support)
velmoran_target_defaults(bmp_test_support)

velmoran_unit_test(bmp_decoder_test bmp_decoder_test.cpp)
target_link_libraries(bmp_decoder_test PRIVATE renderer_core bmp_test_support)

velmoran_unit_test(bmp2ppm_test bmp2ppm_test.cpp)
target_link_libraries(bmp2ppm_test PRIVATE bmp_test_support)
target_compile_definitions(bmp2ppm_test PRIVATE BMP2PPM_PATH="$<TARGET_FILE:bmp2ppm>")
add_dependencies(bmp2ppm_test bmp2ppm)

# An offscreen Mesa context for drawing tests. OSMesa comes first so that
# GLU's OpenGL calls reach it too.
find_package(PkgConfig REQUIRED)
pkg_check_modules(OSMESA REQUIRED IMPORTED_TARGET osmesa)
pkg_check_modules(GLU REQUIRED IMPORTED_TARGET glu)
add_library(osmesa_test_support STATIC support/osmesa_context.cpp)
target_include_directories(osmesa_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support)
target_link_libraries(osmesa_test_support PUBLIC renderer_core PkgConfig::OSMESA PkgConfig::GLU)
velmoran_target_defaults(osmesa_test_support)

velmoran_unit_test(floor_test floor_test.cpp)
target_link_libraries(floor_test PRIVATE osmesa_test_support)

velmoran_unit_test(textures_test textures_test.cpp)
target_link_libraries(textures_test PRIVATE osmesa_test_support)

velmoran_unit_test(glu_scale_test glu_scale_test.cpp)
target_link_libraries(glu_scale_test PRIVATE osmesa_test_support)

velmoran_unit_test(lightning_test
    bolt_life_test.cpp
    sprite_pool_test.cpp
    spawn_rule_test.cpp
    thunder_test.cpp)
target_link_libraries(lightning_test PRIVATE renderer_core)

velmoran_unit_test(frame_drawing_test frame_drawing_test.cpp)
target_link_libraries(frame_drawing_test PRIVATE osmesa_test_support)

velmoran_unit_test(monitor_covers_test monitor_covers_test.cpp)
target_link_libraries(monitor_covers_test PRIVATE renderer_core)

velmoran_unit_test(display_choice_test display_choice_test.cpp)
target_link_libraries(display_choice_test PRIVATE renderer_core)
