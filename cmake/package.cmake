# The Debian package: vorelind_<version>_amd64.deb, made by cpack -G DEB.
# Included by install.cmake with VORELIND_PACKAGE on; the install prefix is /usr.

set(_program_folder lib/vorelind)
set(_programs vorelind kivalter vorelind-cli)
install(TARGETS ${_programs} RUNTIME DESTINATION ${_program_folder})

# The commands on the PATH are links: the programs look for one another,
# and for their files, in the folder that really holds them.
foreach(_program IN LISTS _programs)
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(CREATE_LINK ../${_program_folder}/${_program} \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${_program}\" SYMBOLIC)
  ")
endforeach()

# Copied to each user's data folder as the starting list at the first start.
install(FILES ${PROJECT_SOURCE_DIR}/settings/ignore.trm DESTINATION ${_program_folder})

install(FILES ${PROJECT_SOURCE_DIR}/ui/vorelind.png DESTINATION share/icons/hicolor/32x32/apps)
set(VORELIND_EXEC vorelind)
set(VORELIND_ICON ${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/32x32/apps/vorelind.png)
configure_file(${CMAKE_CURRENT_LIST_DIR}/vorelind.desktop.in ${PROJECT_BINARY_DIR}/vorelind.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vorelind.desktop DESTINATION share/applications)

set(CPACK_PACKAGE_NAME vorelind)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ZEMBRAKO)
set(CPACK_PACKAGE_CONTACT "ZEMBRAKO <vorelind@zembrako.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shows the tag structure of an HTML or XML file")
set(CPACK_PACKAGE_DESCRIPTION "Vorelind checks and loads an HTML or XML file (optionally converting
Japanese encodings to Shift-JIS), lays it out as an indented listing and a
collapsible tag tree, and saves the tidied listing. With the line-analysis
tool kivalter and the command-line front end vorelind-cli.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
# The libraries come from the binaries; Qt's display plugins and the
# Japanese fonts are loaded at run time, which no binary shows.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
