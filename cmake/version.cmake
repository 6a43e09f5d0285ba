# The product's names and its version, which is the project's version: the
# programs' version resources and the release packages take them from here.
set(VELMORAN_PRODUCT_NAME "Velmoran")
set(VELMORAN_PUBLISHER "The Velmoran Project")
set(VELMORAN_COPYRIGHT "Copyright (C) 2026 The Velmoran Project")

if(WIN32)
    set(VELMORAN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/version_info.rc.in
                   ${VELMORAN_GENERATED_DIR}/version_info.rc @ONLY)
    # What a resource script needs to include version_info.rc.
    add_library(velmoran_version INTERFACE)
    target_include_directories(velmoran_version INTERFACE ${VELMORAN_GENERATED_DIR})
endif()

# Gives a program the version resource: its resource script (rc_file)
# includes version_info.rc, and is compiled again when the version or one of
# the pictures, icons, cursors and manifests beside the script changes.
function(velmoran_version_resource target rc_file)
    target_link_libraries(${target} PRIVATE velmoran_version)
    get_filename_component(rc_path ${rc_file} ABSOLUTE)
    get_filename_component(rc_folder ${rc_path} DIRECTORY)
    file(GLOB resources CONFIGURE_DEPENDS ${rc_folder}/*.bmp ${rc_folder}/*.ico
         ${rc_folder}/*.cur ${rc_folder}/*.manifest)
    set_property(SOURCE ${rc_file} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS
                 ${VELMORAN_GENERATED_DIR}/version_info.rc ${resources})
endfunction()
