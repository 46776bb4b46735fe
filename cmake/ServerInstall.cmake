# cmake --install for the board server, in a component of its own ("server"), so the
# Debian package ships it apart from the game: the program, its man page, the systemd
# unit, the API and set-up notes and the copyright notice.
if(NOT TARGET tumblegrade-server)
  return()
endif()

set(TG_SERVER_PATH ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tumblegrade-server)
set(TG_SERVER_DIST_DIR ${CMAKE_BINARY_DIR}/dist-server)
if(NOT TG_RELEASE_DATE)
  set(TG_RELEASE_DATE 2026-12-09)
endif()
configure_file(${CMAKE_SOURCE_DIR}/dist/tumblegrade-server.8.in ${TG_SERVER_DIST_DIR}/tumblegrade-server.8 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/changelog.in ${TG_SERVER_DIST_DIR}/changelog @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/tumblegrade-server.service.in ${TG_SERVER_DIST_DIR}/tumblegrade-server.service @ONLY)

install(TARGETS tumblegrade-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT server)
set(TG_SERVER_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tumblegrade-server)
install(FILES ${CMAKE_SOURCE_DIR}/server/API.md ${CMAKE_SOURCE_DIR}/server/README.md ${CMAKE_SOURCE_DIR}/dist/copyright
        DESTINATION ${TG_SERVER_DOC_DIR} COMPONENT server)
if(TG_DEBIAN_LAYOUT)
  # Debian: the man page compressed without a time stamp, the unit where systemd looks.
  find_program(TG_GZIP gzip REQUIRED)
  add_custom_command(OUTPUT ${TG_SERVER_DIST_DIR}/tumblegrade-server.8.gz ${TG_SERVER_DIST_DIR}/changelog.gz
    COMMAND ${TG_GZIP} -9nkf ${TG_SERVER_DIST_DIR}/tumblegrade-server.8
    COMMAND ${TG_GZIP} -9nkf ${TG_SERVER_DIST_DIR}/changelog
    DEPENDS ${TG_SERVER_DIST_DIR}/tumblegrade-server.8 ${TG_SERVER_DIST_DIR}/changelog)
  add_custom_target(tg_server_docs ALL DEPENDS ${TG_SERVER_DIST_DIR}/tumblegrade-server.8.gz ${TG_SERVER_DIST_DIR}/changelog.gz)
  install(FILES ${TG_SERVER_DIST_DIR}/tumblegrade-server.8.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man8 COMPONENT server)
  install(FILES ${TG_SERVER_DIST_DIR}/changelog.gz DESTINATION ${TG_SERVER_DOC_DIR} COMPONENT server)
  install(FILES ${TG_SERVER_DIST_DIR}/tumblegrade-server.service DESTINATION /lib/systemd/system COMPONENT server)
else()
  install(FILES ${TG_SERVER_DIST_DIR}/tumblegrade-server.8 DESTINATION ${CMAKE_INSTALL_MANDIR}/man8 COMPONENT server)
  install(FILES ${TG_SERVER_DIST_DIR}/tumblegrade-server.service DESTINATION lib/systemd/system COMPONENT server)
endif()
