# cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -P check_install.cmake
# Installs the build into WORK_DIR/prefix, then checks: exactly the expected files, a valid desktop
# entry and metainfo that name what is installed, and that the installed program keeps its files in
# the user's data folder, not in bin/. Then builds the Debian package: its dependencies cover every
# linked library and every file the program loads at run time, and name nothing else; lintian finds
# no error in it.
cmake_minimum_required(VERSION 3.25)

function(fail)
    string(JOIN "" _msg ${ARGN})
    message(FATAL_ERROR "${_msg}")
endfunction()

function(run_checked)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _err)
    if(NOT _rc EQUAL 0)
        fail("${ARGN} failed (${_rc}):\n${_out}${_err}")
    endif()
endfunction()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
run_checked(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

set(expected
    bin/velorin
    share/applications/velorin.desktop
    share/icons/hicolor/scalable/apps/velorin.svg
    share/metainfo/cz.velorin.Velorin.metainfo.xml
    share/doc/velorin/copyright
    share/doc/velorin/changelog.gz
    share/man/man1/velorin.1.gz
    share/man/cs/man1/velorin.1.gz)
# The manual, page by page and picture by picture.
file(GLOB_RECURSE manual RELATIVE ${SOURCE_DIR}/doc ${SOURCE_DIR}/doc/napoveda/*)
list(TRANSFORM manual PREPEND share/velorin/)
list(APPEND expected ${manual})
file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    fail("installed files differ (no libraries, no tests):\n  got ${installed}\n  expected ${expected}")
endif()
run_checked(test -x ${prefix}/bin/velorin)

# The validators, as a software centre and a menu would run them.
run_checked(desktop-file-validate ${prefix}/share/applications/velorin.desktop)
run_checked(appstreamcli validate --no-net ${prefix}/share/metainfo/cz.velorin.Velorin.metainfo.xml)

# The entry must start the installed binary and name the installed icon; the metainfo names the entry.
file(STRINGS ${prefix}/share/applications/velorin.desktop entry)
foreach(line "Exec=velorin" "Icon=velorin" "Categories=Office;Finance;")
    if(NOT line IN_LIST entry)
        fail("velorin.desktop lacks ${line}")
    endif()
endforeach()
file(READ ${prefix}/share/metainfo/cz.velorin.Velorin.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">velorin.desktop</launchable>")
    fail("the metainfo does not launch velorin.desktop")
endif()
file(READ ${prefix}/share/icons/hicolor/scalable/apps/velorin.svg icon)
if(NOT icon MATCHES "^<svg[^>]* viewBox=")
    fail("velorin.svg is no scalable SVG picture")
endif()

# Started from the installed tree, the program creates its year folder in the user's data folder.
set(home ${WORK_DIR}/home)
file(MAKE_DIRECTORY ${home})
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${home} XDG_DATA_HOME=${home}/.local/share
                        QT_QPA_PLATFORM=offscreen ${prefix}/bin/velorin TIMEOUT 5)
file(GLOB data_years RELATIVE ${home}/.local/share/Velorin ${home}/.local/share/Velorin/2*)
file(GLOB bin_files RELATIVE ${prefix}/bin ${prefix}/bin/*)
if(NOT data_years)
    fail("the installed program made no year folder in ${home}/.local/share/Velorin")
endif()
if(NOT bin_files STREQUAL "velorin")
    fail("the installed program wrote into bin/: ${bin_files}")
endif()
# The Debian package, built as `make package` builds it but into WORK_DIR.
find_program(DPKG dpkg)
find_program(DPKG_DEB dpkg-deb)
find_program(READELF readelf)
find_program(LINTIAN lintian)
if(NOT DPKG OR NOT DPKG_DEB OR NOT READELF)
    message(STATUS "dpkg, dpkg-deb or readelf missing: the Debian package not checked")
    file(REMOVE_RECURSE ${WORK_DIR})
    return()
endif()
if(NOT CMAKE_CPACK_COMMAND)
    find_program(CMAKE_CPACK_COMMAND cpack REQUIRED)
endif()
run_checked(${CMAKE_CPACK_COMMAND} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}/package)
file(GLOB deb ${WORK_DIR}/package/velorin_*.deb)
if(NOT deb)
    fail("cpack made no velorin_*.deb in ${WORK_DIR}/package")
endif()
execute_process(COMMAND ${DPKG_DEB} -f ${deb} Depends OUTPUT_VARIABLE depends_field OUTPUT_STRIP_TRAILING_WHITESPACE)
# "libfoo (>= 1), libbar" -> libfoo;libbar
string(REGEX REPLACE " *\\([^)]*\\)" "" depends "${depends_field}")
string(REPLACE ", " ";" depends "${depends}")
if(NOT depends_field MATCHES "libc6 \\(>= [0-9]")
    fail("the dependencies carry no versions from dpkg-shlibdeps: ${depends_field}")
endif()

# The packages that hold a file; one of them among the dependencies is enough (libm.so.6 is in libc6
# and in libc6-i386). Lines "pkg[:arch][, pkg...]: path".
function(owners_of pattern out)
    execute_process(COMMAND ${DPKG} -S "${pattern}" OUTPUT_VARIABLE owners RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        fail("no Debian package holds ${pattern}")
    endif()
    string(REGEX MATCHALL "[^\n]+" lines "${owners}")
    set(pkgs)
    foreach(l ${lines})
        string(REGEX REPLACE ": .*" "" p "${l}")
        string(REGEX REPLACE ":[a-z0-9]+" "" p "${p}")
        string(REPLACE ", " ";" p "${p}")
        list(APPEND pkgs ${p})
    endforeach()
    set(${out} ${pkgs} PARENT_SCOPE)
endfunction()

# Every library the program links, and every file it loads without linking (the xcb platform
# plugin, the SVG icon engine of its toolbar, the CUPS print plugin, Czech captions of Qt's dialogs,
# the forms' fonts), comes from a dependency; a dependency that holds none of them is needless.
execute_process(COMMAND ${READELF} -d ${prefix}/bin/velorin OUTPUT_VARIABLE dynamic)
string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
if(NOT needed)
    fail("readelf shows no linked library")
endif()
set(wanted)
foreach(n ${needed})
    string(REGEX REPLACE "Shared library: \\[([^]]+)\\]" "*/\\1" lib "${n}")
    list(APPEND wanted ${lib})
endforeach()
list(APPEND wanted */qt6/plugins/platforms/libqxcb.so */qt6/plugins/iconengines/libqsvgicon.so
     */qt6/plugins/printsupport/libcupsprintersupport.so */qtbase_cs.qm */LiberationSans-Regular.ttf)
set(justified)
foreach(w ${wanted})
    owners_of("${w}" pkgs)
    set(found FALSE)
    foreach(pkg ${pkgs})
        if(pkg IN_LIST depends)
            set(found TRUE)
            list(APPEND justified ${pkg})
        endif()
    endforeach()
    if(NOT found)
        fail("${w} comes from ${pkgs}, which the package does not depend on: ${depends_field}")
    endif()
endforeach()
foreach(pkg ${depends})
    if(NOT pkg IN_LIST justified)
        fail("the package depends on ${pkg}, which holds nothing the program links or loads: ${depends_field}")
    endif()
endforeach()

# lintian as Debian runs it: no error, and the manual page found.
if(LINTIAN)
    execute_process(COMMAND ${LINTIAN} --fail-on error ${deb} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR out MATCHES "(^|\n)[EW]: velorin[^\n]* no-manual-page")
        fail("lintian on ${deb} (${rc}):\n${out}${err}")
    endif()
    message(STATUS "lintian:\n${out}")
else()
    message(STATUS "lintian missing: the package not checked by it")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
