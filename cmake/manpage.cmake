# Runs at build time: writes the gzipped manual page of one program, made by
# help2man from what the program's --help prints.
# Takes PROGRAM, SUMMARY (the line under NAME), VERSION, OUTPUT, WORK (a
# scratch folder), HELP2MAN and GZIP.

# The program runs without a display, with settings and data folders of its own.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{HOME} "${WORK}/home")
set(ENV{XDG_CONFIG_HOME} "${WORK}/config")
set(ENV{XDG_DATA_HOME} "${WORK}/data")
file(MAKE_DIRECTORY "${WORK}")

get_filename_component(_name "${PROGRAM}" NAME)

set(_page "${WORK}/${_name}.1")
execute_process(COMMAND "${HELP2MAN}" --no-info "--version-string=${VERSION}" "--name=${SUMMARY}"
                        "--output=${_page}" "${PROGRAM}"
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${GZIP}" -9n -c "${_page}" OUTPUT_FILE "${OUTPUT}" COMMAND_ERROR_IS_FATAL ANY)
