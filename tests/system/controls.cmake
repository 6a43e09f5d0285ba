# Windows-side tests of the Command button on real forms, with the program's
# resources built in for its frame pictures.
velmoran_system_test(command_button_test
    SOURCES controls/command_button_test.cpp ${PROJECT_SOURCE_DIR}/resources/Velmoran.rc)
target_link_libraries(command_button_test PRIVATE screensaver_test_support command_win32
                      velmoran_version)
# The same button at twice the design resolution.
velmoran_system_test_run(command_button_test_192dpi command_button_test DPI 192)
