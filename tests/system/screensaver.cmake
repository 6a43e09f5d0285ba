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

# The preview window's picture, with the preview in the test's own process
# (it needs the program's pictures, so it carries the program's resources).
velmoran_system_test(preview_window_test
    SOURCES screensaver/preview_window_test.cpp ${PROJECT_SOURCE_DIR}/resources/Velmoran.rc)
target_link_libraries(preview_window_test PRIVATE screensaver_test_support screensaver_win32)
