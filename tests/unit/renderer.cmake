# Unit tests of the renderer's cores.
velmoran_unit_test(frame_timer_test frame_timer_test.cpp)
target_link_libraries(frame_timer_test PRIVATE renderer_core)
