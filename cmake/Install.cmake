# cmake --install puts the game under a prefix: the program in libexec/vantorel, its data under
# share/vantorel, a launcher in bin/, a desktop entry and an icon.
include(GNUInstallDirs)

install(TARGETS vantorel RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/vantorel)
foreach(folder data sprites sounds)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/${folder}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vantorel/${folder})
endforeach()

# The launcher finds the rest relative to itself, so the installed tree can be moved.
file(RELATIVE_PATH VANTOREL_LAUNCHER_TO_SHARE /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_DATADIR}/vantorel)
file(RELATIVE_PATH VANTOREL_LAUNCHER_TO_PROGRAM /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBEXECDIR}/vantorel/vantorel)
configure_file(${CMAKE_SOURCE_DIR}/cmake/vantorel-launcher.sh.in ${CMAKE_BINARY_DIR}/launcher/vantorel @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/vantorel DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_SOURCE_DIR}/cmake/vantorel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/sprites/icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
        RENAME vantorel.png OPTIONAL)
