# Runs zerkan-replay on one scenario and checks what it prints; run with cmake -P.
#   -DRUNNER=path      the runner
#   -DWORK=dir         scratch folder for this test (recreated)
#   -DWINDOW=ON        drive the real window (--window)
#   -DEMULATOR=cmd     what runs the runner where it cannot run itself (Wine for Windows)
#   -DMODE=golden      -DSCENARIO=file -DEXPECTED=file (.jsonl, or .tar.xz holding
#                      NAME.expected.jsonl): standard output must equal the expected file
#                      byte for byte, with exit code 0
#   -DMODE=malformed   -DSCENARIO=file -DBAD_LINE=n: exit code 1, one error line naming line
#                      n, and standard output exactly what lines 1..n-1 print on their own
#   -DMODE=refused     -DSCENARIO=file -DOPTIONS=...: the runner refuses before any event
cmake_minimum_required(VERSION 3.25)

foreach(required RUNNER WORK MODE SCENARIO)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "compare.cmake needs -D${required}=...")
    endif()
endforeach()

set(options ${OPTIONS})
if(WINDOW)
    list(APPEND options --window)
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# Runs the runner with `input` on standard input; standard output goes to `output`.
function(run_replay input output)
    execute_process(COMMAND ${EMULATOR} ${RUNNER} ${options}
        INPUT_FILE ${input}
        OUTPUT_FILE ${output}
        ERROR_VARIABLE err
        RESULT_VARIABLE rc)
    set(rc "${rc}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

# The line of `text` that holds character `offset`, as [start, length).
function(line_around text offset out_start out_length)
    string(SUBSTRING "${text}" 0 ${offset} before)
    string(FIND "${before}" "\n" start REVERSE)
    math(EXPR start "${start} + 1")
    string(SUBSTRING "${text}" ${start} -1 rest)
    string(FIND "${rest}" "\n" length)
    set(${out_start} ${start} PARENT_SCOPE)
    set(${out_length} ${length} PARENT_SCOPE)
endfunction()

# Fails with the first line that differs, cut around the first differing character.
function(report_difference expected_file actual_file)
    file(READ ${expected_file} expected)
    file(READ ${actual_file} actual)
    string(LENGTH "${expected}" expected_length)
    string(LENGTH "${actual}" actual_length)
    # Longest common prefix by bisection: a few substring comparisons even for large outputs.
    set(low 0)
    if(expected_length LESS actual_length)
        set(high ${expected_length})
    else()
        set(high ${actual_length})
    endif()
    while(low LESS high)
        math(EXPR mid "(${low} + ${high} + 1) / 2")
        string(SUBSTRING "${expected}" 0 ${mid} a)
        string(SUBSTRING "${actual}" 0 ${mid} b)
        if(a STREQUAL b)
            set(low ${mid})
        else()
            math(EXPR high "${mid} - 1")
        endif()
    endwhile()
    string(SUBSTRING "${expected}" 0 ${low} common)
    string(REGEX MATCHALL "\n" newlines "${common}")
    list(LENGTH newlines line)
    math(EXPR line "${line} + 1")
    line_around("${expected}" ${low} e_start e_length)
    line_around("${actual}" ${low} a_start a_length)
    math(EXPR column "${low} - ${e_start}")
    math(EXPR from "${column} - 80")
    if(from LESS 0)
        set(from 0)
    endif()
    string(SUBSTRING "${expected}" ${e_start} ${e_length} e_line)
    string(SUBSTRING "${actual}" ${a_start} ${a_length} a_line)
    string(SUBSTRING "${e_line}" ${from} 240 e_cut)
    string(SUBSTRING "${a_line}" ${from} 240 a_cut)
    message(FATAL_ERROR
        "output differs from ${expected_file}\n"
        "first difference: line ${line}, byte ${column} of the line"
        " (expected ${expected_length} bytes in all, got ${actual_length})\n"
        "expected ...${e_cut}\n"
        "actual   ...${a_cut}\n"
        "full comparison: diff ${expected_file} ${actual_file}")
endfunction()

if(MODE STREQUAL "golden")
    set(actual ${WORK}/actual.jsonl)
    if(EXPECTED MATCHES "\\.tar\\.xz$")
        get_filename_component(archive_name ${EXPECTED} NAME)
        string(REGEX REPLACE "\\.tar\\.xz$" ".jsonl" member ${archive_name})
        file(MAKE_DIRECTORY ${WORK}/expected)
        execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${EXPECTED}
            WORKING_DIRECTORY ${WORK}/expected RESULT_VARIABLE untar)
        if(NOT untar EQUAL 0 OR NOT EXISTS ${WORK}/expected/${member})
            message(FATAL_ERROR "${EXPECTED} does not hold ${member}")
        endif()
        set(EXPECTED ${WORK}/expected/${member})
    endif()
    run_replay(${SCENARIO} ${actual})
    if(NOT rc STREQUAL "0")
        message(FATAL_ERROR "zerkan-replay ended with '${rc}' on ${SCENARIO}:\n${err}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${actual}
        RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
        report_difference(${EXPECTED} ${actual})
    endif()
    # A pass keeps nothing: the longest scenario prints over a hundred megabytes.
    file(REMOVE_RECURSE ${WORK})

elseif(MODE STREQUAL "malformed")
    # The lines before the bad one, byte for byte.
    file(READ ${SCENARIO} rest)
    set(prefix "")
    set(number 1)
    while(number LESS BAD_LINE)
        string(FIND "${rest}" "\n" end)
        if(end LESS 0)
            message(FATAL_ERROR "${SCENARIO} has fewer than ${BAD_LINE} lines")
        endif()
        math(EXPR next "${end} + 1")
        string(SUBSTRING "${rest}" 0 ${next} part)
        string(SUBSTRING "${rest}" ${next} -1 rest)
        string(APPEND prefix "${part}")
        math(EXPR number "${number} + 1")
    endwhile()
    # Something must follow the bad line, or "later lines are not run" is not tested.
    string(FIND "${rest}" "\n" end)
    string(LENGTH "${rest}" rest_length)
    math(EXPR after "${end} + 1")
    if(end LESS 0 OR after GREATER_EQUAL rest_length)
        message(FATAL_ERROR "${SCENARIO} needs an event after line ${BAD_LINE}")
    endif()
    file(WRITE ${WORK}/prefix.jsonl "${prefix}")

    run_replay(${SCENARIO} ${WORK}/actual.jsonl)
    if(NOT rc STREQUAL "1")
        message(FATAL_ERROR "expected exit code 1 on ${SCENARIO}, got '${rc}':\n${err}")
    endif()
    if(NOT err MATCHES "^zerkan-replay: line ${BAD_LINE}: [^\n]+\n$")
        message(FATAL_ERROR
            "expected one error line naming line ${BAD_LINE} on standard error, got:\n${err}")
    endif()
    set(reason "${err}")
    run_replay(${WORK}/prefix.jsonl ${WORK}/prefix.expected.jsonl)
    if(NOT rc STREQUAL "0")
        message(FATAL_ERROR "the lines before line ${BAD_LINE} alone fail with '${rc}':\n${err}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
        ${WORK}/prefix.expected.jsonl ${WORK}/actual.jsonl RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
        report_difference(${WORK}/prefix.expected.jsonl ${WORK}/actual.jsonl)
    endif()
    message(STATUS "refused as expected: ${reason}")

elseif(MODE STREQUAL "refused")
    run_replay(${SCENARIO} ${WORK}/actual.jsonl)
    file(SIZE ${WORK}/actual.jsonl printed)
    if(NOT rc MATCHES "^[0-9]+$" OR rc EQUAL 0 OR err STREQUAL "" OR NOT printed EQUAL 0)
        message(FATAL_ERROR "expected a refusal with a reason and no output; got exit '${rc}',"
            " ${printed} bytes of output, standard error:\n${err}")
    endif()
    message(STATUS "refused as expected: ${err}")

else()
    message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()
