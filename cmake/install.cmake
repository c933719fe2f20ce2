# cmake --install puts the programs side by side in the folder given as the
# install prefix: the program keeps "ignore.trm" and its work files beside
# itself and starts kivalter from there. The starting "ignore.trm" goes there
# only when the folder holds none, since an existing one is the user's list.
# The desktop entry goes where the desktop's application menu looks; it names
# the programs by full path.
#
# With VORELIND_PACKAGE the rules are those of the Debian package that
# scripts/package.sh makes: the programs in <prefix>/lib/vorelind, commands
# on the PATH in <prefix>/bin, the desktop entry and the icon under
# <prefix>/share. That folder is read-only to the users, who keep their
# files in their own data folder.

option(VORELIND_PACKAGE "Install as the Debian package lays the program out" OFF)

if(VORELIND_PACKAGE)
  include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)
  return()
endif()

set(_vorelind_data_home "$ENV{XDG_DATA_HOME}")
if(NOT _vorelind_data_home)
  set(_vorelind_data_home "$ENV{HOME}/.local/share")
endif()
set(VORELIND_DESKTOP_DIR "${_vorelind_data_home}/applications" CACHE PATH
    "Folder for the desktop entry; empty installs none")

install(TARGETS vorelind-cli RUNTIME DESTINATION .)
if(TARGET kivalter)
  install(TARGETS kivalter RUNTIME DESTINATION .)
endif()

if(TARGET vorelind)
  install(TARGETS vorelind RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/ui/vorelind.png DESTINATION .)
  install(CODE "
    set(_list \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/ignore.trm\")
    if(EXISTS \"\${_list}\")
      message(STATUS \"Keeping: \${_list}\")
    else()
      file(INSTALL \"${PROJECT_SOURCE_DIR}/settings/ignore.trm\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}\"
           PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
  ")
  if(VORELIND_DESKTOP_DIR)
    install(CODE "
      set(VORELIND_DESKTOP_DIR \"${VORELIND_DESKTOP_DIR}\")
      set(VORELIND_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/cmake/vorelind.desktop.in\")
    ")
    install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/installdesktopentry.cmake)
  endif()
endif()
