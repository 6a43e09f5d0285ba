# Lays out the package's files in STAGE and builds OUTPUT with dpkg-deb:
#   cmake -DSTAGE= -DPROGRAM= -DSOURCE= -DVERSION= -DOUTPUT= -P build_deb.cmake
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/DEBIAN ${STAGE}/usr/libexec/xscreensaver
     ${STAGE}/usr/share/xscreensaver/config ${STAGE}/usr/share/applications/screensavers)
file(COPY_FILE ${PROGRAM} ${STAGE}/usr/libexec/xscreensaver/velmoran)
execute_process(COMMAND strip --strip-unneeded ${STAGE}/usr/libexec/xscreensaver/velmoran)
file(CHMOD ${STAGE}/usr/libexec/xscreensaver/velmoran PERMISSIONS OWNER_READ OWNER_WRITE
     OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(COPY_FILE ${SOURCE}/velmoran.xml ${STAGE}/usr/share/xscreensaver/config/velmoran.xml)
file(COPY_FILE ${SOURCE}/velmoran.desktop
     ${STAGE}/usr/share/applications/screensavers/velmoran.desktop)
foreach(file usr/share/xscreensaver/config/velmoran.xml
             usr/share/applications/screensavers/velmoran.desktop)
    file(CHMOD ${STAGE}/${file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
# Installed-Size: kibibytes of the files.
file(SIZE ${STAGE}/usr/libexec/xscreensaver/velmoran program_bytes)
math(EXPR INSTALLED_SIZE "(${program_bytes} + 8191) / 1024")
set(PROJECT_VERSION ${VERSION})
configure_file(${SOURCE}/control.in ${STAGE}/DEBIAN/control @ONLY)
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND dpkg-deb --root-owner-group --build ${STAGE} ${OUTPUT}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb failed")
endif()
