# cmake -DSOURCE_DIR=... -DWORK_DIR=... -P test_no_widgets.cmake
# Configures the project in no_widgets/: it must fail and name each UI-free target that reaches widgets
# with its chain of links, and none of the others.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/no_widgets -B ${WORK_DIR}
        -DVELORIN_SOURCE_DIR=${SOURCE_DIR}
    RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE text)
if(rc EQUAL 0)
    message(FATAL_ERROR "the configure passed:\n${text}")
endif()
# CMake wraps long messages; compare the text as one line.
string(REGEX REPLACE "[ \n]+" " " flat "${text}")
foreach(_path
        "direct -> Qt6::Widgets"
        "viaprint -> middle -> Qt6::PrintSupport -> Qt6::Widgets"
        "viagenex -> Qt::Widgets"
        "viasubdir -> ui -> Qt6::Widgets"
        "viaalias -> lib::ui -> ui -> Qt6::Widgets"
        "viafile -> /usr/lib/libQt6Widgets.so.6")
    if(NOT flat MATCHES "links Qt widgets: ${_path} ")
        message(FATAL_ERROR "not reported: ${_path}\n${text}")
    endif()
endforeach()
foreach(_clean clean cycle1 cycle2 ui)
    if(flat MATCHES " ${_clean} is a UI-free target")
        message(FATAL_ERROR "${_clean} reported:\n${text}")
    endif()
endforeach()
