include(GNUInstallDirs)

# A program's desktop entry and its icon (48-pixel PNG and SVG, installed
# under icon_name) on freedesktop systems.
function(datadock_install_desktop_entry desktop_file icon_name png svg)
  if(UNIX AND NOT APPLE)
    install(FILES ${desktop_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
            RENAME ${icon_name}.png)
    install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${icon_name}.svg)
  endif()
endfunction()
