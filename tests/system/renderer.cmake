# Helpers the renderer tests start: a probe that runs the renderer inside a
# virtual desktop whose mode can change, and a hook library that refuses the
# renderer's window.
add_executable(display_mode_probe display_mode_probe.cpp)
velmoran_target_defaults(display_mode_probe)
add_library(refuse_window_hook SHARED refuse_window_hook.cpp)
set_target_properties(refuse_window_hook PROPERTIES PREFIX "")
target_link_options(refuse_window_hook PRIVATE -static)
velmoran_target_defaults(refuse_window_hook)

velmoran_system_test(renderer_window_test
    SOURCES renderer_window_test.cpp
    DRIVES renderer display_mode_probe refuse_window_hook)
