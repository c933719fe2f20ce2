# The About dialog, its hyperlink label and the program's icon. Included with
# one line wherever the windows are built; paths are taken from this file.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(vorelind_about STATIC
  ${CMAKE_CURRENT_LIST_DIR}/abouttexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/htmladjabt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/internetlabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/programicon.cpp
)
set_target_properties(vorelind_about PROPERTIES AUTOMOC ON)
target_link_libraries(vorelind_about PUBLIC vorelind_shell vorelind_displaytext vorelind_modalseam vorelind_windowlook Qt6::Widgets)
qt_add_resources(vorelind_about vorelind_icon
  PREFIX /vorelind
  BASE ${CMAKE_CURRENT_LIST_DIR}
  FILES ${CMAKE_CURRENT_LIST_DIR}/vorelind.png
)
