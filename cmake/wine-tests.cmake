# Tests of the Windows build run under Wine (the emulator, cmake/wine-run.sh). One Wine session
# serves them all: test `wine.start` warms it up first, `wine.stop` ends it last.
#
# A test added with add_test joins it with FIXTURES_REQUIRED wine (without, it still runs, in a
# session of its own).
#
# GoogleTest lists a suite's cases by running it right after the build, with a 5-second limit
# that a cold Wine start can exceed; linking a suite therefore warms the session up first.

function(zerkan_wine_session)
    list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " launcher)
    string(APPEND launcher " --start-then")
    foreach(suite IN LISTS ARGN)
        if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${suite}/CMakeLists.txt)
            continue()
        endif()
        get_property(targets DIRECTORY ${suite} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "EXECUTABLE")
                set_property(TARGET ${target} PROPERTY RULE_LAUNCH_LINK
                    "${launcher}")
            endif()
        endforeach()
        # Discovered cases exist only when CTest reads the folder; a file read after
        # GoogleTest's own gives them the session too.
        set_property(DIRECTORY ${suite} APPEND PROPERTY TEST_INCLUDE_FILES
            ${CMAKE_CURRENT_BINARY_DIR}/wine-fixture.cmake)
    endforeach()
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/wine-fixture.cmake [=[
get_cmake_property(variables VARIABLES)
foreach(variable IN LISTS variables)
    if(variable MATCHES "_TESTS$" AND ${variable})
        set_tests_properties(${${variable}} PROPERTIES FIXTURES_REQUIRED wine)
    endif()
endforeach()
]=])

    add_test(NAME wine.start COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --start)
    add_test(NAME wine.stop COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --stop)
    set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
    set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
endfunction()
