# Run by cpack after it has installed into its staging folder: the Debian
# package keeps the programs in /usr/games, as Debian's rules for games ask.
# They find the library and the content one folder up, as from /usr/bin.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
if(programs)
  file(MAKE_DIRECTORY "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/games")
  foreach(program IN LISTS programs)
    get_filename_component(name "${program}" NAME)
    file(RENAME "${program}" "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/games/${name}")
  endforeach()
  file(REMOVE_RECURSE "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin")
endif()
