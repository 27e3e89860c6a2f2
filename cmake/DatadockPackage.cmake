# The Debian package, made by CPack from the install rules:
#   cmake --build --preset package        (the release build, then the package)
# Its dependencies are read from the programs by dpkg-shlibdeps.
include(GNUInstallDirs)

set(DATADOCK_PACKAGE_MAINTAINER "DataDock developers <datadock@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME datadock)
set(CPACK_PACKAGE_VENDOR "The DataDock developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "save logs from the KTR-90 telemetry logger")
# Lines of the long description; CPack indents them, "." is an empty line.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "DataDock (DATADOCK MANAGER) links a computer with the KTR-90, a telemetry"
  "logger carried in radio-controlled models, over its FTDI USB-serial cable."
  "It saves the logged laps and samples (steering, throttle, speed, voltage,"
  "temperatures) as CSV files, saves the model values and updates the"
  "logger's software."
  "."
  "The package holds the window (datadock-manager), the command line"
  "(datadock), a simulated logger for trying them without the hardware"
  "(ktr90-sim), and a udev rule that gives the user at the computer's seat"
  "access to the cable without joining the dialout group.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DATADOCK_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The rule's uaccess tag is acted on by systemd-logind's seat rules.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "systemd")
# Japanese: a font with its glyphs, and Qt's own dialogs' texts (the file
# dialog, Yes and No) in the language of DataDock's.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic, qt6-translations-l10n")

# The copyright and changelog files Debian asks of every package.
set(DATADOCK_PACKAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
string(TIMESTAMP DATADOCK_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/res/debian/changelog.in
               ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
  COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/debian/changelog > ${PROJECT_BINARY_DIR}/debian/changelog.gz
  DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog
  VERBATIM)
add_custom_target(datadock_package_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/res/debian/copyright
              ${PROJECT_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${DATADOCK_PACKAGE_DOC_DIR})

include(CPack)
