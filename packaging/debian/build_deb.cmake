# Lays out the package's files and builds OUTPUT with dpkg-deb:
#   cmake -DSTAGE= -DPROGRAM= -DSOURCE= -DLICENSE= -DVERSION= -DOUTPUT= -P build_deb.cmake
# STAGE is a work folder: the package's tree is STAGE/debian/velmoran, as
# Debian's tools expect it, so that dpkg-shlibdeps derives the Depends field
# from what the program links.
file(REMOVE_RECURSE ${STAGE})
set(tree ${STAGE}/debian/velmoran)
set(doc ${tree}/usr/share/doc/velmoran)
file(MAKE_DIRECTORY ${tree}/DEBIAN ${tree}/usr/libexec/xscreensaver
     ${tree}/usr/share/xscreensaver/config ${tree}/usr/share/applications/screensavers ${doc})
set(program ${tree}/usr/libexec/xscreensaver/velmoran)
file(COPY_FILE ${PROGRAM} ${program})
execute_process(COMMAND strip --strip-unneeded --remove-section=.comment ${program})
file(CHMOD ${program} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)
file(COPY_FILE ${SOURCE}/velmoran.xml ${tree}/usr/share/xscreensaver/config/velmoran.xml)
file(COPY_FILE ${SOURCE}/velmoran.desktop
     ${tree}/usr/share/applications/screensavers/velmoran.desktop)
# The copyright file: the machine-readable header, then the project's licence.
file(READ ${LICENSE} licence)
string(REGEX REPLACE "\n$" "" licence "${licence}")
string(REGEX REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REGEX REPLACE "\n" "\n " licence "${licence}")
file(WRITE ${doc}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: velmoran\n\nFiles: *\nCopyright: 2026 The Velmoran Project\n"
     "License: Expat\n ${licence}\n")
set(PROJECT_VERSION ${VERSION})
configure_file(${SOURCE}/changelog.in ${doc}/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${doc}/changelog RESULT_VARIABLE zipped)
foreach(file usr/share/xscreensaver/config/velmoran.xml
             usr/share/applications/screensavers/velmoran.desktop
             usr/share/doc/velmoran/copyright usr/share/doc/velmoran/changelog.gz)
    file(CHMOD ${tree}/${file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()

# Depends: the packages of the libraries the program links, at the versions
# whose symbols it uses.
file(WRITE ${STAGE}/debian/control "Source: velmoran\n\nPackage: velmoran\nArchitecture: amd64\n")
execute_process(COMMAND dpkg-shlibdeps -O -edebian/velmoran/usr/libexec/xscreensaver/velmoran
                WORKING_DIRECTORY ${STAGE} OUTPUT_VARIABLE shlibs RESULT_VARIABLE derived
                ERROR_QUIET)
string(REGEX MATCH "shlibs:Depends=([^\n]*)" found "${shlibs}")
if(NOT derived EQUAL 0 OR NOT zipped EQUAL 0 OR NOT found)
    message(FATAL_ERROR "dpkg-shlibdeps or gzip failed: ${shlibs}")
endif()
set(DEPENDS ${CMAKE_MATCH_1})

# Installed-Size: kibibytes of the files.
set(bytes 0)
file(GLOB_RECURSE files ${tree}/usr/*)
foreach(file ${files})
    file(SIZE ${file} size)
    math(EXPR bytes "${bytes} + ${size}")
endforeach()
math(EXPR INSTALLED_SIZE "(${bytes} + 1023) / 1024")
configure_file(${SOURCE}/control.in ${tree}/DEBIAN/control @ONLY)
# md5sums: each file's checksum and path, as dpkg checks them.
set(sums "")
foreach(file ${files})
    file(MD5 ${file} sum)
    file(RELATIVE_PATH path ${tree} ${file})
    string(APPEND sums "${sum}  ${path}\n")
endforeach()
file(WRITE ${tree}/DEBIAN/md5sums "${sums}")
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${OUTPUT}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb failed")
endif()
