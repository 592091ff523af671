# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack between installing into its staging folder and packing it. Debian
# keeps games in /usr/games rather than /usr/bin, so the Debian package moves the
# programs there. The question bases are found relative to the program, and
# ../share is the same from both folders, so nothing else changes.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(from "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_FARTOVIK_BINDIR}")
set(to "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/games")
if(NOT IS_DIRECTORY "${from}")
  message(FATAL_ERROR "no programs staged in ${from}")
endif()
file(MAKE_DIRECTORY "${to}")
foreach(program fartovik fartovik-bases)
  file(RENAME "${from}/${program}" "${to}/${program}")
endforeach()
file(GLOB left "${from}/*")
if(NOT left)
  file(REMOVE_RECURSE "${from}")
endif()
