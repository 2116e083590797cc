# Checks the read-me as a word processor will read it: plain 7-bit RTF with every Turkish letter
# escaped for code page 1254, fonts with the Turkish character set, balanced groups, and the
# program's messages spelled as the program shows them.
#   cmake -DRTF=benioku.rtf -P rtf_check.cmake

file(READ "${RTF}" text)
set(failures 0)
macro(fail what)
    message(SEND_ERROR "FAIL: ${what}")
    math(EXPR failures "${failures} + 1")
endmacro()

string(REGEX MATCH "[^\t\r\n -~]" stray "${text}")
if(NOT stray STREQUAL "")
    fail("only 7-bit text; Turkish letters must be \\'xx escapes")
endif()
if(NOT text MATCHES "^{\\\\rtf1\\\\ansi\\\\ansicpg1254")
    fail("starts with {\\rtf1\\ansi\\ansicpg1254")
endif()
string(REGEX MATCHALL "\\\\fcharset[0-9]+" charsets "${text}")
list(REMOVE_DUPLICATES charsets)
if(NOT charsets STREQUAL "\\fcharset162")
    fail("every font uses \\fcharset162 (found: ${charsets})")
endif()

# Groups: drop escaped braces and backslashes, then peel innermost groups until none is left.
string(REPLACE "\\\\" "" groups "${text}")
string(REPLACE "\\{" "" groups "${groups}")
string(REPLACE "\\}" "" groups "${groups}")
string(REGEX REPLACE "[^{}]" "" groups "${groups}")
set(depth 0)
while(NOT groups STREQUAL "")
    string(REPLACE "{}" "" peeled "${groups}")
    if(peeled STREQUAL groups)
        break()
    endif()
    set(groups "${peeled}")
    math(EXPR depth "${depth} + 1")
endwhile()
if(NOT groups STREQUAL "")
    fail("balanced groups (left over: ${groups})")
endif()
string(REGEX REPLACE "[ \t\r\n]+$" "" trimmed "${text}")
if(NOT trimmed MATCHES "}$")
    fail("the document ends with its closing brace")
endif()

# The program's own texts, as they appear escaped for code page 1254.
foreach(phrase
        "Zerkana en fazla 1000 element eklenebilir."
        "Aranacak hi\\'e7bir veri girmediniz!"
        "Girdi\\'f0iniz veriye uyan bir element bulunamad\\'fd!"
        "Helyum elementi soygaz oldu\\'f0undan bile\\'feik olu\\'feturamaz."
        "Hi\\'e7bir element se\\'e7mediniz. L\\'fctfen bir element se\\'e7iniz"
        "K\\'fck\\'fcrt"
        "\\'ddyod"
        "Geri Al"
        "S\\'fdf\\'fdrla"
        "1. Elementi Se\\'e7iniz.")
    string(FIND "${text}" "${phrase}" at)
    if(at EQUAL -1)
        fail("mentions \"${phrase}\"")
    endif()
endforeach()

if(failures GREATER 0)
    message(FATAL_ERROR "${RTF}: ${failures} failures")
endif()
message(STATUS "${RTF}: 7-bit RTF, code page 1254, groups nest ${depth} deep, all messages present")
