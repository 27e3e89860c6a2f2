# What `cmake --install` and the package put on a system: the programs with
# their manual pages, the windows' desktop entries and icons and, on Linux, the
# cable's udev rule. Included once every program's target exists.
include(GNUInstallDirs)

set(DATADOCK_LINUX_DESKTOP FALSE)
if(UNIX AND NOT APPLE)
  set(DATADOCK_LINUX_DESKTOP TRUE)
endif()

# Manual pages are installed compressed, without a time stamp in the gzip
# header, so that the same page always gives the same bytes.
function(datadock_install_manual page)
  get_filename_component(name ${page} NAME)
  set(compressed ${PROJECT_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/${page} > ${compressed}
    DEPENDS ${PROJECT_SOURCE_DIR}/${page}
    VERBATIM)
  add_custom_target(datadock_manual_${name} ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# One program: its binary, its manual page and, for a window, its desktop entry.
# A program this platform does not build is not installed.
function(datadock_install_program target)
  cmake_parse_arguments(ARG "" "MANUAL;DESKTOP" "" ${ARGN})
  if(NOT TARGET ${target})
    return()
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(DATADOCK_LINUX_DESKTOP)
    datadock_install_manual(${ARG_MANUAL})
    if(ARG_DESKTOP)
      install(FILES ${PROJECT_SOURCE_DIR}/${ARG_DESKTOP}
              DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    endif()
  endif()
endfunction()

datadock_install_program(datadock MANUAL man/datadock.1)
datadock_install_program(ktr90-sim MANUAL man/ktr90-sim.1)
datadock_install_program(datadock-manager
  MANUAL man/datadock-manager.1 DESKTOP res/datadock-manager.desktop)
datadock_install_program(datadock-viewer
  MANUAL man/datadock-viewer.1 DESKTOP res/datadock-viewer.desktop)
# A further program joins here, and tests/package/check_package.sh then
# expects its files too.

if(DATADOCK_LINUX_DESKTOP)
  install(FILES ${PROJECT_SOURCE_DIR}/res/datadock-48.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME datadock.png)
  install(FILES ${PROJECT_SOURCE_DIR}/res/datadock.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  if(TARGET datadock-viewer)
    install(FILES ${PROJECT_SOURCE_DIR}/res/datadock-viewer-48.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
            RENAME datadock-viewer.png)
    install(FILES ${PROJECT_SOURCE_DIR}/res/datadock-viewer.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  endif()
  # udev reads /usr/lib/udev/rules.d (and /usr/local/lib/udev/rules.d), not
  # lib/ under any other prefix.
  install(FILES ${PROJECT_SOURCE_DIR}/res/udev/70-datadock.rules
          DESTINATION lib/udev/rules.d)
endif()
