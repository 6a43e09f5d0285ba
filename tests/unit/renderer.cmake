# Unit tests of the renderer's cores.
velmoran_unit_test(frame_timer_test frame_timer_test.cpp)
target_link_libraries(frame_timer_test PRIVATE renderer_core)

velmoran_unit_test(lightning_test
    bolt_life_test.cpp
    sprite_pool_test.cpp
    spawn_rule_test.cpp)
target_link_libraries(lightning_test PRIVATE renderer_core)
