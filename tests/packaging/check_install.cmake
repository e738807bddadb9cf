# cmake -DBUILD_DIR=... -DWORK_DIR=... -P check_install.cmake
# Installs the build into WORK_DIR/prefix, then checks: exactly the expected files, a valid desktop
# entry and metainfo that name what is installed, Debian dependencies that cover every linked library,
# and that the installed program keeps its files in the user's data folder, not in bin/.
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
    share/metainfo/cz.velorin.Velorin.metainfo.xml)
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

# Every library the program links must come from a package that the Debian package depends on.
include(${BUILD_DIR}/CPackConfig.cmake)
find_program(DPKG dpkg)
find_program(READELF readelf)
if(DPKG AND READELF)
    # "libfoo (>= 1), libbar" -> libfoo;libbar
    string(REGEX REPLACE " *\\([^)]*\\)" "" depends "${CPACK_DEBIAN_PACKAGE_DEPENDS}")
    string(REPLACE ", " ";" depends "${depends}")
    execute_process(COMMAND ${READELF} -d ${prefix}/bin/velorin OUTPUT_VARIABLE dynamic)
    string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
    if(NOT needed)
        fail("readelf shows no linked library")
    endif()
    foreach(n ${needed})
        string(REGEX REPLACE "Shared library: \\[([^]]+)\\]" "\\1" lib "${n}")
        execute_process(COMMAND ${DPKG} -S "*/${lib}" OUTPUT_VARIABLE owners RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            fail("no Debian package holds ${lib}")
        endif()
        # Lines "pkg[:arch][, pkg...]: path"; one owner among them in Depends is enough (libm.so.6 is
        # in libc6 and in libc6-i386).
        string(REGEX MATCHALL "[^\n]+" lines "${owners}")
        set(found FALSE)
        foreach(l ${lines})
            string(REGEX REPLACE ": .*" "" pkgs "${l}")
            string(REGEX REPLACE ":[a-z0-9]+" "" pkgs "${pkgs}")
            string(REPLACE ", " ";" pkgs "${pkgs}")
            foreach(pkg ${pkgs})
                if(pkg IN_LIST depends)
                    set(found TRUE)
                endif()
            endforeach()
        endforeach()
        if(NOT found)
            fail("${lib} comes from ${owners}, which the package does not depend on: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
        endif()
    endforeach()
else()
    message(STATUS "dpkg or readelf missing: dependencies not checked")
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
file(REMOVE_RECURSE ${WORK_DIR})
