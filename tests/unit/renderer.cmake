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
