# Installs a Windows build into a fresh folder, as the installer and the zip
# carry it, and lists the files for the uninstaller:
#   cmake -DBUILD=<build folder> -DSTAGE=<folder> -DFILES=<list.nsh>
#         [-DSTRIP=<strip program>] -P stage.cmake
# The uninstaller removes these files by name and then only the folders
# they leave empty: a folder chosen with other things in it keeps them.
foreach(variable BUILD STAGE FILES)
  if(NOT ${variable})
    message(FATAL_ERROR "stage.cmake: ${variable} is not given")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${STAGE}"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT files)
# The symbol tables the linker leaves in every DLL and executable are for a
# debugger, which a user's copy is not run under: some megabytes less to
# download and to map.
if(STRIP)
  foreach(file IN LISTS files)
    if(file MATCHES "\\.(exe|dll)$")
      execute_process(COMMAND "${STRIP}" --strip-unneeded "${STAGE}/${file}" COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()
endif()

set(folders "")
set(text "; The files the installer puts in the program folder (dist/windows/stage.cmake).\n")
foreach(file IN LISTS files)
  string(REPLACE "/" "\\" name "${file}")
  string(APPEND text "Delete \"$INSTDIR\\${name}\"\n")
  get_filename_component(folder "${file}" DIRECTORY)
  while(folder)
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
# Deepest first: a folder goes once its own folders have.
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" name "${folder}")
  string(APPEND text "RMDir \"$INSTDIR\\${name}\"\n")
endforeach()
file(WRITE "${FILES}" "${text}")
