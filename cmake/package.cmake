# The Debian package: vorelind_<version>-1_amd64.deb, made by cpack -G DEB.
# Included by install.cmake with VORELIND_PACKAGE on; the install prefix is /usr.

set(_program_folder lib/vorelind)
set(_programs vorelind kivalter vorelind-cli)
install(TARGETS ${_programs} RUNTIME DESTINATION ${_program_folder})
# Stripped as Debian strips its own programs: without the compilers' notes.
foreach(_program IN LISTS _programs)
  install(CODE "
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${_program_folder}/${_program}\" COMMAND_ERROR_IS_FATAL ANY)
  ")
endforeach()

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

# The manual pages, made from each program's --help once it is built.
find_program(VORELIND_HELP2MAN help2man REQUIRED)
find_program(VORELIND_GZIP gzip REQUIRED)
set(_summary_vorelind "shows the tag structure of an HTML or XML file")
set(_summary_kivalter "shows how the tags of an indented listing nest and balance")
set(_summary_vorelind-cli "runs an HTML or XML file through the document path without a window")
set(_pages)
foreach(_program IN LISTS _programs)
  set(_page ${PROJECT_BINARY_DIR}/man/${_program}.1.gz)
  add_custom_command(OUTPUT ${_page}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${_program}> "-DSUMMARY=${_summary_${_program}}"
      -DVERSION=${PROJECT_VERSION} -DOUTPUT=${_page} -DWORK=${PROJECT_BINARY_DIR}/man/${_program}
      -DHELP2MAN=${VORELIND_HELP2MAN} -DGZIP=${VORELIND_GZIP}
      -P ${CMAKE_CURRENT_LIST_DIR}/manpage.cmake
    DEPENDS ${_program} ${CMAKE_CURRENT_LIST_DIR}/manpage.cmake
    VERBATIM)
  list(APPEND _pages ${_page})
endforeach()
add_custom_target(vorelind_man_pages ALL DEPENDS ${_pages})
install(FILES ${_pages} DESTINATION share/man/man1)

set(CPACK_PACKAGE_NAME vorelind)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The Debian revision: the changelog.Debian of a package that is not native.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR ZEMBRAKO)
set(CPACK_PACKAGE_CONTACT "ZEMBRAKO <vorelind@zembrako.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shows the tag structure of an HTML or XML file")
set(CPACK_PACKAGE_DESCRIPTION "Vorelind checks and loads an HTML or XML file (optionally converting
Japanese encodings to Shift-JIS), lays it out as an indented listing and a
collapsible tag tree, and saves the tidied listing. With the line-analysis
tool kivalter and the command-line front end vorelind-cli.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
# The libraries come from the binaries; Qt's display plugins, ICU's
# converters and the Japanese fonts are loaded at run time, which no binary
# shows.
find_package(ICU REQUIRED COMPONENTS uc)
string(REGEX MATCH "^[0-9]+" _icu_major "${ICU_VERSION}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libicu${_icu_major}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, xdg-utils")
set(CPACK_STRIP_FILES ON)

# The Debian changelog, dated by SOURCE_DATE_EPOCH when it is set (the
# package script sets it to the last commit's time), and the copyright file.
set(VORELIND_DEBIAN_VERSION ${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
string(TIMESTAMP VORELIND_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in ${PROJECT_BINARY_DIR}/changelog.Debian @ONLY)
execute_process(COMMAND ${VORELIND_GZIP} -9n -c ${PROJECT_BINARY_DIR}/changelog.Debian
                OUTPUT_FILE ${PROJECT_BINARY_DIR}/changelog.Debian.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_BINARY_DIR}/changelog.Debian.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION share/doc/vorelind)
# The lintian tags that do not apply to this package, each with its reason.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION share/lintian/overrides RENAME vorelind)

include(CPack)
