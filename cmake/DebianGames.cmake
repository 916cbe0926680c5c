# Run by cpack on the staged files before they are packed. Debian keeps the commands of games
# in /usr/games, so the package's launcher and level tools move there; they find the program
# and the data through paths relative to their folder, which are the same from /usr/games as
# from /usr/bin.
file(GLOB_RECURSE staged_launchers "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/vantorel")
foreach(launcher IN LISTS staged_launchers)
  get_filename_component(bin_dir "${launcher}" DIRECTORY)
  get_filename_component(prefix "${bin_dir}" DIRECTORY)
  file(MAKE_DIRECTORY "${prefix}/games")
  file(GLOB commands "${bin_dir}/vantorel*")
  foreach(command IN LISTS commands)
    get_filename_component(name "${command}" NAME)
    file(RENAME "${command}" "${prefix}/games/${name}")
  endforeach()
  file(GLOB left_in_bin "${bin_dir}/*")
  if(NOT left_in_bin)
    file(REMOVE_RECURSE "${bin_dir}")
  endif()
endforeach()
