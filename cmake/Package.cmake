# cpack -G DEB: the Debian package, from a tree configured with -DCMAKE_INSTALL_PREFIX=/usr
# (scripts/package does both), so the install rules follow the games policy.
if(NOT TARGET tumblegrade)
  return()
endif()

set(CPACK_PACKAGE_NAME tumblegrade)
set(CPACK_PACKAGE_VENDOR "The Tumblegrade developers")
set(CPACK_PACKAGE_CONTACT "The Tumblegrade developers <maintainers@users.noreply.c-seed-efdd21cf.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "downhill mountain-bike race seen through the rider's eyes")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Type your rider's name, spend a 7000 $ budget on a frame, a fork, brakes,\n"
  "a drive-train group and protective gear, then ride a downhill course\n"
  "through the rider's eyes, with the handlebar in view. Every trip into the\n"
  "fence costs health and bike condition. A run ends in hospital, with a\n"
  "broken bike, in a crash you can ride on from, or at the finish.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/tumblegrade/tumblegrade)
# Two packages: the game (tumblegrade) and the board server (tumblegrade-server), so
# players who only play don't get the server.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game)
set(CPACK_DEBIAN_GAME_PACKAGE_NAME tumblegrade)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_COMPONENT_GAME_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_PACKAGE_DESCRIPTION}")
if(TARGET tumblegrade-server)
  list(APPEND CPACK_COMPONENTS_ALL server)
  set(CPACK_DEBIAN_SERVER_PACKAGE_NAME tumblegrade-server)
  set(CPACK_DEBIAN_SERVER_PACKAGE_SECTION net)
  # The shipped courses and the pictures its headless game loads come with the game.
  set(CPACK_DEBIAN_SERVER_PACKAGE_DEPENDS "tumblegrade (= ${PROJECT_VERSION})")
  string(CONCAT CPACK_COMPONENT_SERVER_DESCRIPTION
    "world board server for Tumblegrade - DH\n"
    "Keeps the boards of Tumblegrade's courses on SQLite or PostgreSQL. Every\n"
    "submitted run is the signed demo the game wrote; the server replays it\n"
    "itself, without pictures, and puts on the board only the finishes it has\n"
    "seen ridden, with the time of its own replay.")
endif()
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/PackageCheck.cmake)
# Each package's description starts with its own summary line: CPack would put the
# game's in front of both.
file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
  "if(NOT \"${CMAKE_INSTALL_PREFIX}\" STREQUAL \"/usr\")\n"
  "  message(FATAL_ERROR \"The Debian package needs a tree configured with -DCMAKE_INSTALL_PREFIX=/usr (scripts/package)\")\n"
  "endif()\n"
  "unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)\n")
include(CPack)
