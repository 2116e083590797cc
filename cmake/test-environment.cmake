# What a test that starts the program or a display takes from whoever runs CTest: nothing. The
# display and the toolkit's platform, scale, style, theme and logging, the locale, the desktop's
# folders and buses are cleared, and a plain UTF-8 C locale and private folders set. What a
# test sets itself (ENVIRONMENT, ENVIRONMENT_MODIFICATION) is kept and comes last.

set(ZERKAN_TEST_CLEARED
    DISPLAY WAYLAND_DISPLAY XAUTHORITY
    QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_FONT_DPI
    QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
    QT_SCALE_FACTOR_ROUNDING_POLICY QT_USE_PHYSICAL_DPI QT_IM_MODULE
    QT_LOGGING_RULES QT_MESSAGE_PATTERN QT_FATAL_WARNINGS QT_ACCESSIBILITY
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON
    LANG LANGUAGE LC_ALL LC_CTYPE LC_NUMERIC LC_TIME LC_COLLATE LC_MONETARY LC_MESSAGES
    LC_PAPER LC_NAME LC_ADDRESS LC_TELEPHONE LC_MEASUREMENT LC_IDENTIFICATION
    XDG_RUNTIME_DIR XDG_CONFIG_HOME XDG_CONFIG_DIRS XDG_DATA_HOME XDG_DATA_DIRS XDG_CACHE_HOME
    XDG_STATE_HOME XDG_SESSION_TYPE XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP
    DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS)

# Folders of one's own, empty: no user's settings (the toolkit's logging rules, fonts) apply.
set(zerkan_test_home ${CMAKE_BINARY_DIR}/test-home)
set(ZERKAN_TEST_SET_LANG C.UTF-8)
set(ZERKAN_TEST_SET_XDG_RUNTIME_DIR ${zerkan_test_home}/runtime)
set(ZERKAN_TEST_SET_XDG_CONFIG_HOME ${zerkan_test_home}/config)
set(ZERKAN_TEST_SET_XDG_DATA_HOME ${zerkan_test_home}/data)
set(ZERKAN_TEST_SET_XDG_CACHE_HOME ${zerkan_test_home}/cache)
set(ZERKAN_TEST_SET_XDG_STATE_HOME ${zerkan_test_home}/state)
foreach(folder runtime config data cache state)
    file(MAKE_DIRECTORY ${zerkan_test_home}/${folder})
endforeach()
# The toolkit accepts a runtime folder only if it is its user's alone.
file(CHMOD ${zerkan_test_home}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# Gives every test added so far in the calling folder that environment. (The Windows build's
# tests run under Wine, which keeps a desktop of its own.)
function(zerkan_isolate_tests)
    if(CMAKE_CROSSCOMPILING)
        return()
    endif()
    get_property(tests DIRECTORY PROPERTY TESTS)
    foreach(test IN LISTS tests)
        get_test_property(${test} ENVIRONMENT own)
        get_test_property(${test} ENVIRONMENT_MODIFICATION ownModification)
        set(modification "")
        foreach(variable IN LISTS ZERKAN_TEST_CLEARED)
            if(own AND own MATCHES "(^|;)${variable}=")
                continue()
            endif()
            if(DEFINED ZERKAN_TEST_SET_${variable})
                list(APPEND modification "${variable}=set:${ZERKAN_TEST_SET_${variable}}")
            else()
                list(APPEND modification "${variable}=unset:")
            endif()
        endforeach()
        if(ownModification)
            list(APPEND modification ${ownModification})
        endif()
        set_tests_properties(${test} PROPERTIES ENVIRONMENT_MODIFICATION "${modification}")
    endforeach()
endfunction()
