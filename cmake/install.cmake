# cmake --install puts the programs side by side in the folder given as the
# install prefix: the program keeps "ignore.trm" and its work files beside
# itself and starts kivalter from there. The desktop entry goes where the
# desktop's application menu looks; it names the programs by full path.

set(_vorelind_data_home "$ENV{XDG_DATA_HOME}")
if(NOT _vorelind_data_home)
  set(_vorelind_data_home "$ENV{HOME}/.local/share")
endif()
set(VORELIND_DESKTOP_DIR "${_vorelind_data_home}/applications" CACHE PATH
    "Folder for the desktop entry; empty installs none")

install(TARGETS kivalter vorelind-cli RUNTIME DESTINATION .)

if(TARGET vorelind)
  install(TARGETS vorelind RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/ui/vorelind.png DESTINATION .)
  if(VORELIND_DESKTOP_DIR)
    install(CODE "
      set(VORELIND_DESKTOP_DIR \"${VORELIND_DESKTOP_DIR}\")
      set(VORELIND_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/cmake/vorelind.desktop.in\")
    ")
    install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/installdesktopentry.cmake)
  endif()
endif()
