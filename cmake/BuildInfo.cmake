# What the game knows about its own build: the version (written only in the project()
# line of the top CMakeLists.txt) and the folder its data is installed into.
include(GNUInstallDirs)

set(TG_APP_ID io.github.tumblegrade.Tumblegrade)

# Installed into /usr (the Debian package), the game follows the games policy: the program
# in /usr/games, its data in /usr/share/games. Anywhere else: bin/ and share/tumblegrade.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(TG_DEBIAN_LAYOUT ON)
  set(TG_INSTALL_BIN_DIR games)
  set(TG_INSTALL_DATA_SUBDIR ${CMAKE_INSTALL_DATADIR}/games/tumblegrade)
else()
  set(TG_DEBIAN_LAYOUT OFF)
  set(TG_INSTALL_BIN_DIR ${CMAKE_INSTALL_BINDIR})
  set(TG_INSTALL_DATA_SUBDIR ${CMAKE_INSTALL_DATADIR}/tumblegrade)
endif()
set(TG_INSTALL_DATA_PATH ${CMAKE_INSTALL_PREFIX}/${TG_INSTALL_DATA_SUBDIR})
# The catalogues of the texts in other languages: <folder>/de/LC_MESSAGES/tumblegrade.mo.
set(TG_INSTALL_LOCALE_PATH ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LOCALEDIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/build_info.h.in ${CMAKE_BINARY_DIR}/generated/app/build_info.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)
