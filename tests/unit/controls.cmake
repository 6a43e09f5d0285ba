# Unit tests of the Command button's core: its reactions, properties and face.
velmoran_unit_test(command_core_test
    controls/button_behaviour_test.cpp
    controls/command_core_test.cpp
)
target_link_libraries(command_core_test PRIVATE command_core)
