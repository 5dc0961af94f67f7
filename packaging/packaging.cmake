# Installation of the desktop entries, icons and manual pages, and a Debian package
# through CPack:
#   cmake --build build --target package   ->  build/vorda_<version>_amd64.deb
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vorda.desktop ${CMAKE_CURRENT_LIST_DIR}/wizor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/vorda.svg ${CMAKE_CURRENT_LIST_DIR}/icons/wizor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The user parameter set applied at a start from defaults: the channels k1...k16 with the
# 0-1000 mV sensor constants, so that a first start makes files with every channel. A
# copy in the build tree where the program looks for its installed data
# (<bin>/../share/vorda/Config), and the same place when installed.
set(vorda_parameter_set ${CMAKE_CURRENT_LIST_DIR}/Config/userparameter1.txt)
set(vorda_parameter_copy ${CMAKE_BINARY_DIR}/share/vorda/Config/userparameter1.txt)
add_custom_command(OUTPUT ${vorda_parameter_copy}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${vorda_parameter_set} ${vorda_parameter_copy}
  DEPENDS ${vorda_parameter_set}
  COMMENT "Copying the first-start parameter set")
add_custom_target(vorda_parameter_set ALL DEPENDS ${vorda_parameter_copy})
install(FILES ${vorda_parameter_set} DESTINATION ${CMAKE_INSTALL_DATADIR}/vorda/Config)

# Manual pages, compressed at build time as Debian installs them.
set(vorda_man_pages)
foreach(page vorda-cli.1 recorder-sim.1 wizor.1)
  set(source ${CMAKE_CURRENT_LIST_DIR}/man/${page})
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${source} > ${compressed}
    DEPENDS ${source}
    COMMENT "Compressing the manual page ${page}")
  list(APPEND vorda_man_pages ${compressed})
endforeach()
add_custom_target(vorda_man ALL DEPENDS ${vorda_man_pages})
install(FILES ${vorda_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorda)
set(CPACK_PACKAGE_VENDOR "OLUN")
set(CPACK_PACKAGE_CONTACT "OLUN")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Recorder service program (Vorda), presenter (Wizor) and vorda-cli")
set(CPACK_PACKAGE_DESCRIPTION
    "Vorda reads the memory of multi-channel data recorders over RS-232 into\nmeasurement files, sends settings, calibrates channels and monitors the\ncurrent readings; Wizor draws the measurement files; vorda-cli does the\nrecorder work from the command line and recorder-sim simulates a recorder.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "OLUN")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs link decide the dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Web pages open in the desktop's browser; Qt's own dialogs speak Polish with its translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)

# The package's file list, checked with dpkg-deb -c. The package is built from the build
# tree by the test itself (stripped programs, so it stays quick).
if(VORDA_BUILD_TESTS)
  add_test(NAME package_file_list COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/check_package.sh ${CMAKE_BINARY_DIR} ${CMAKE_CPACK_COMMAND})
  set_tests_properties(package_file_list PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
