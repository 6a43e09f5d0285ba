# Compiler settings shared by every target of the project.

# Warnings as errors on our own code (not on GoogleTest or other sources we build).
function(velmoran_target_defaults target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
        # NOTE: GCC 12 reports a false -Wrestrict inside std::string's
        # operator+ at -O3 (GCC bug 105329); it is not a finding of ours.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
            target_compile_options(${target} PRIVATE -Wno-restrict)
        endif()
    endif()
    if(WIN32)
        # ANSI entry points are named explicitly (the A functions); wide text uses the W ones.
        target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX
                                   _WIN32_WINNT=0x0601)
    endif()
endfunction()

# GoogleTest: Debian's package natively, its sources cross-compiled for Windows.
function(velmoran_use_googletest)
    if(TARGET GTest::gtest_main)
        return()
    endif()
    if(WIN32)
        set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
        set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    else()
        find_package(GTest REQUIRED)
    endif()
endfunction()
