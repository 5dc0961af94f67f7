# Installation of the desktop entries and a Debian package through CPack:
#   cmake --build build --target package   ->  build/vorda_<version>_amd64.deb
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vorda.desktop ${CMAKE_CURRENT_LIST_DIR}/wizor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorda)
set(CPACK_PACKAGE_VENDOR "OLUN")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Recorder service program (Vorda), presenter (Wizor) and vorda-cli")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "OLUN")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
