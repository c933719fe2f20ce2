# Runs at install time, when the install folder is known: writes the desktop
# entry with the full paths of the program and its icon.
# Takes VORELIND_DESKTOP_DIR and VORELIND_DESKTOP_TEMPLATE.

get_filename_component(_folder "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)

# Inside the quotes of Exec a backslash, quote, backquote or dollar is
# escaped and "%" doubled; as in every value, each backslash is then doubled.
string(REPLACE "\\" "\\\\" _exec "${_folder}")
string(REPLACE "\"" "\\\"" _exec "${_exec}")
string(REPLACE "`" "\\`" _exec "${_exec}")
string(REPLACE "$" "\\$" _exec "${_exec}")
string(REPLACE "%" "%%" _exec "${_exec}")
string(REPLACE "\\" "\\\\" _exec "${_exec}")
set(VORELIND_EXEC "\"${_exec}/vorelind\"")
string(REPLACE "\\" "\\\\" VORELIND_ICON "${_folder}/vorelind.png")

set(_entry "$ENV{DESTDIR}${VORELIND_DESKTOP_DIR}/vorelind.desktop")
message(STATUS "Installing: ${_entry}")
configure_file("${VORELIND_DESKTOP_TEMPLATE}" "${_entry}" @ONLY)
