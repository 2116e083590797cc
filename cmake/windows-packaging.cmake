# The Windows installer and the portable zip: `cpack` in the Windows build folder makes both
# (scripts/package-windows.sh does it from scratch). Both hold "Zerkan Kütlesi.exe" with the
# read-me beside it, since the program opens benioku.rtf from its own folder.
set(ZERKAN_WINDOWS_NAME "Zerkan Kütlesi")
set(ZERKAN_WINDOWS_VENDOR "Zerkan Kütlesi geliştiricileri")

install(TARGETS zerkan_win32 RUNTIME DESTINATION . COMPONENT program)
install(FILES ${PROJECT_SOURCE_DIR}/res/benioku.rtf DESTINATION . COMPONENT program)

set(CPACK_PACKAGE_NAME ${ZERKAN_WINDOWS_NAME})
set(CPACK_PACKAGE_VENDOR ${ZERKAN_WINDOWS_VENDOR})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Periyodik cetvel ve zerkan kütlesi hesaplayıcı")
# Plain ASCII names for the downloads; the names inside keep their Turkish letters.
set(CPACK_PACKAGE_FILE_NAME "zerkan-kutlesi-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${ZERKAN_WINDOWS_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${ZERKAN_WINDOWS_NAME})
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};program;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR NSIS ZIP)

# Start-menu entry: "Zerkan Kütlesi" starting "Zerkan Kütlesi.exe" in its folder.
set(CPACK_PACKAGE_EXECUTABLES "${ZERKAN_WINDOWS_NAME};${ZERKAN_WINDOWS_NAME}")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME ${ZERKAN_WINDOWS_NAME})
set(CPACK_NSIS_PACKAGE_NAME ${ZERKAN_WINDOWS_NAME})
set(CPACK_NSIS_INSTALLED_ICON_NAME "${ZERKAN_WINDOWS_NAME}.exe")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/res/zerkan.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/res/zerkan.ico)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The 64-bit Unicode stub: Debian's NSIS otherwise builds a 32-bit ANSI installer, which neither
# keeps the Turkish names nor runs on a Wine without 32-bit support.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# The uninstaller removes the vendor's key along with the program's when nothing else is in it.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegKey SHCTX 'Software\\\\${ZERKAN_WINDOWS_VENDOR}\\\\${ZERKAN_WINDOWS_NAME}'
  DeleteRegKey /ifempty SHCTX 'Software\\\\${ZERKAN_WINDOWS_VENDOR}'")

include(CPack)

if(ZERKAN_BUILD_TESTS)
    # A DLL outside Windows (the MinGW runtime) would make the program fail to start for users.
    add_test(NAME package.windows_imports
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/windows-imports.sh ${CMAKE_OBJDUMP}
            $<TARGET_FILE:zerkan_win32>)
endif()
if(ZERKAN_BUILD_TESTS AND CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME package.windows_install
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/windows-package-test.sh ${CMAKE_BINARY_DIR}
            ${CMAKE_BINARY_DIR}/package-test ${CMAKE_CROSSCOMPILING_EMULATOR})
    set_tests_properties(package.windows_install PROPERTIES FIXTURES_REQUIRED wine)
endif()
