# Windows-side tests of the x64 release package: installed, run, upgraded and
# removed with msiexec, in a Wine session of their own, since they change the
# prefix's system folder.

# The same programs as a later version, to upgrade to.
math(EXPR later_patch "${PROJECT_VERSION_PATCH} + 1")
set(later_version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${later_patch})
set(later_msi ${CMAKE_CURRENT_BINARY_DIR}/later-package/Velmoran-${later_version}-${VELMORAN_ARCH}.msi)
velmoran_msi_package(${later_msi} ${later_version})
add_custom_target(later_package DEPENDS ${later_msi})

velmoran_system_test(package_install_test
    SOURCES package/package_install_test.cpp
    DRIVES packages later_package
    OWN_SESSION)
target_link_libraries(package_install_test PRIVATE screensaver_run_support version shell32)
string(REPLACE "/" "\\\\" msi_windows "Z:${VELMORAN_MSI_PACKAGE}")
string(REPLACE "/" "\\\\" later_msi_windows "Z:${later_msi}")
target_compile_definitions(package_install_test PRIVATE
    VELMORAN_MSI="${msi_windows}" VELMORAN_LATER_MSI="${later_msi_windows}"
    VELMORAN_VERSION="${PROJECT_VERSION}" VELMORAN_LATER_VERSION="${later_version}"
    VELMORAN_PUBLISHER="${VELMORAN_PUBLISHER}")
