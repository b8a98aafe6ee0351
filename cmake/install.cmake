# What `cmake --install` lays down, and the Debian package CPack builds from it.
#
#   <prefix>/bin/poruka
#   <prefix>/share/poruka/poruka.wri                 the user's guide
#   <prefix>/share/applications/poruka.desktop       the menu entry
#   <prefix>/share/icons/hicolor/*/apps/poruka.*     the icon, SVG and PNG sizes
#   <prefix>/share/metainfo/jp.poruka.Poruka.metainfo.xml
#
# The program recognises this layout (bin/ beside share/poruka/) and then keeps
# the user's own files in $XDG_DATA_HOME/poruka instead of beside itself.
include(GNUInstallDirs)

install(TARGETS poruka RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/poruka.wri DESTINATION ${CMAKE_INSTALL_DATADIR}/poruka)
install(FILES ${PROJECT_SOURCE_DIR}/resources/poruka.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/resources/jp.poruka.Poruka.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME poruka)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Poruka developers")
set(PORUKA_PACKAGE_MAINTAINER "Poruka developers <poruka@localhost>" CACHE STRING "Maintainer named in the Debian package")
set(CPACK_PACKAGE_CONTACT "${PORUKA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ToDo and schedule manager with a Japanese interface")
set(CPACK_PACKAGE_DESCRIPTION
    "ぽるか keeps two lists, things to do and appointments, with memos, alarms and\n\
archives of completed items. In a small office, colleagues' lists can be viewed\n\
read-only over a shared drive. All data are plain Shift_JIS text files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The shared libraries (Qt 6 Core, Gui, Widgets, Network, the C++ runtime) come
# from dpkg-shlibdeps; what the program loads at run time does not show there:
# the platform plugins, and a font that has the Japanese characters.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic")
# The user's guide is a word-processor document.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-writer")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gedit | pluma | xed | kate")
include(CPack)
