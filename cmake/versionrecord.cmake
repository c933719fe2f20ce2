# The version record that every executable carries, generated at build time
# from its one definition, cmake/versionrecord.txt.in (the version numbers
# come from the project's VERSION):
#   vorelind_add_version_record(target)
configure_file(${CMAKE_CURRENT_LIST_DIR}/versionrecord.txt.in ${PROJECT_BINARY_DIR}/versionrecord.txt @ONLY)

function(vorelind_add_version_record target)
  set(definition ${PROJECT_BINARY_DIR}/versionrecord.txt)
  if(WIN32)
    # The record becomes the RT_VERSION (16) resource of the executable.
    set(record ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.bin)
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    file(WRITE ${script} "1 16 \"${record}\"\n")
    add_custom_command(OUTPUT ${record}
      COMMAND vorelind-versionrecord binary ${definition} ${record}
      DEPENDS vorelind-versionrecord ${definition}
      VERBATIM)
    set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS ${record})
    target_sources(${target} PRIVATE ${script})
  else()
    # The record goes into the executable's own version section.
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.cpp)
    add_custom_command(OUTPUT ${source}
      COMMAND vorelind-versionrecord source ${definition} ${source}
      DEPENDS vorelind-versionrecord ${definition}
      VERBATIM)
    target_sources(${target} PRIVATE ${source})
  endif()
endfunction()
