# cmake -DCLANG_FORMAT=... -DCLANG_FORMAT_MAJOR=14 -DSOURCE_DIR=... -DWORK_DIR=... -P test_check_format.cmake
# check_format.cmake on a tree of its own: it must pass while every file is clean, then fail naming
# exactly the unformatted files, in any of the checked folders.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/src/a ${WORK_DIR}/fuzz ${WORK_DIR}/other)
file(COPY ${SOURCE_DIR}/.clang-format DESTINATION ${WORK_DIR})
file(WRITE ${WORK_DIR}/src/a/Clean.cpp "int x = 1;\n")
file(WRITE ${WORK_DIR}/src/a/Clean.h "#pragma once\n")
# Outside the checked folders: ignored.
file(WRITE ${WORK_DIR}/other/Ugly.cpp "int  x=1;\n")

function(run_check out_rc out_text)
    execute_process(COMMAND ${CMAKE_COMMAND} -DCLANG_FORMAT=${CLANG_FORMAT}
            -DCLANG_FORMAT_MAJOR=${CLANG_FORMAT_MAJOR} -DSOURCE_DIR=${WORK_DIR}
            -P ${CMAKE_CURRENT_LIST_DIR}/check_format.cmake
        RESULT_VARIABLE _rc OUTPUT_VARIABLE _text ERROR_VARIABLE _text)
    set(${out_rc} ${_rc} PARENT_SCOPE)
    set(${out_text} "${_text}" PARENT_SCOPE)
endfunction()

run_check(rc text)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "a clean tree failed the check:\n${text}")
endif()

file(WRITE ${WORK_DIR}/src/a/Ugly.h "#pragma once\nint  f( int a ,int b);\n")
file(WRITE ${WORK_DIR}/fuzz/ugly.cpp "void g(){}\n")
run_check(rc text)
if(rc EQUAL 0)
    message(FATAL_ERROR "unformatted files passed the check:\n${text}")
endif()
foreach(_bad src/a/Ugly.h fuzz/ugly.cpp)
    if(NOT text MATCHES "[ \n]${_bad}\n")
        message(FATAL_ERROR "the failure does not name ${_bad}:\n${text}")
    endif()
endforeach()
foreach(_good src/a/Clean.cpp src/a/Clean.h other/Ugly.cpp)
    if(text MATCHES "${_good}")
        message(FATAL_ERROR "the failure names ${_good}:\n${text}")
    endif()
endforeach()
