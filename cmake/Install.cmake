# cmake --install: the game, its generated data, the desktop entry, the demo files' MIME
# type, the icons, the AppStream metadata, the man page and the copyright notice.
if(NOT TARGET tumblegrade)
  return()
endif()

set(TG_RELEASE_DATE 2026-12-09)
set(TG_SCREENSHOT_URL https://raw.githubusercontent.com/tumblegrade/tumblegrade/main/docs/screenshots)
set(TG_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
configure_file(${CMAKE_SOURCE_DIR}/dist/tumblegrade.desktop.in ${TG_DIST_DIR}/${TG_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/tumblegrade.metainfo.xml.in ${TG_DIST_DIR}/${TG_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/tumblegrade.6.in ${TG_DIST_DIR}/tumblegrade.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/changelog.in ${TG_DIST_DIR}/changelog @ONLY)

install(TARGETS tumblegrade RUNTIME DESTINATION ${TG_INSTALL_BIN_DIR})
install(DIRECTORY ${TG_DATA_DIR}/ DESTINATION ${TG_INSTALL_DATA_SUBDIR})
install(FILES ${TG_DIST_DIR}/${TG_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TG_DIST_DIR}/${TG_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The demo files' type, so a file manager opens a .tgdemo with the game.
install(FILES ${CMAKE_SOURCE_DIR}/dist/tumblegrade-demo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${TG_APP_ID}.xml)
install(DIRECTORY ${TG_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
set(TG_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tumblegrade)

if(TG_DEBIAN_LAYOUT)
  # Debian wants the man page and the changelog compressed, without time stamps.
  find_program(TG_GZIP gzip REQUIRED)
  add_custom_command(
    OUTPUT ${TG_DIST_DIR}/tumblegrade.6.gz ${TG_DIST_DIR}/changelog.gz
    COMMAND ${TG_GZIP} -9nkf ${TG_DIST_DIR}/tumblegrade.6
    COMMAND ${TG_GZIP} -9nkf ${TG_DIST_DIR}/changelog
    DEPENDS ${TG_DIST_DIR}/tumblegrade.6 ${TG_DIST_DIR}/changelog)
  add_custom_target(tg_debian_docs ALL DEPENDS ${TG_DIST_DIR}/tumblegrade.6.gz ${TG_DIST_DIR}/changelog.gz)
  install(FILES ${TG_DIST_DIR}/tumblegrade.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${TG_DIST_DIR}/changelog.gz ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION ${TG_DOC_DIR})
else()
  install(FILES ${TG_DIST_DIR}/tumblegrade.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION ${TG_DOC_DIR})
endif()
