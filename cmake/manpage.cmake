# Runs at build time: writes the gzipped manual page of one program, made by
# help2man from what the program's --help prints.
# Takes PROGRAM, SUMMARY (the line under NAME), VERSION, OUTPUT, WORK (a
# scratch folder), HELP2MAN and GZIP; and USAGE_FILE for a program that may
# not answer --help yet: the text that stands in for it then.

# The program runs without a display, with settings and data folders of its own.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{HOME} "${WORK}/home")
set(ENV{XDG_CONFIG_HOME} "${WORK}/config")
set(ENV{XDG_DATA_HOME} "${WORK}/data")
file(MAKE_DIRECTORY "${WORK}")

get_filename_component(_name "${PROGRAM}" NAME)
set(_source "${PROGRAM}")
# A window program that takes "--help" for a file would wait on its message box.
execute_process(COMMAND "${PROGRAM}" --help RESULT_VARIABLE _result OUTPUT_VARIABLE _help
                ERROR_QUIET TIMEOUT 15)
if(NOT _result EQUAL 0 OR _help STREQUAL "")
  if(NOT USAGE_FILE)
    message(FATAL_ERROR "${PROGRAM} --help failed (${_result})")
  endif()
  # help2man names the page after the program it runs: a stand-in of the same name.
  set(_source "${WORK}/usage/${_name}")
  file(WRITE "${_source}" "#!/bin/sh\nexec cat '${USAGE_FILE}'\n")
  file(CHMOD "${_source}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endif()

set(_page "${WORK}/${_name}.1")
execute_process(COMMAND "${HELP2MAN}" --no-info "--version-string=${VERSION}" "--name=${SUMMARY}"
                        "--output=${_page}" "${_source}"
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${GZIP}" -9n -c "${_page}" OUTPUT_FILE "${OUTPUT}" COMMAND_ERROR_IS_FATAL ANY)
