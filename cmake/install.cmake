# Where `cmake --install` puts the programs, their data and the desktop files,
# and the Debian package `cpack -G DEB` builds from the same install.
include(GNUInstallDirs)

set(ZUV_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/zuvpoker)

install(TARGETS zuvpoker RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zuvsim)
  install(TARGETS zuvsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The program finds these in ../share/zuvpoker beside its executable.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/cardimages DESTINATION ${ZUV_DATA_DESTINATION}
        FILES_MATCHING PATTERN "*.png")
install(FILES ${PROJECT_SOURCE_DIR}/help.htm ${PROJECT_SOURCE_DIR}/ZuvPokerLogo.jpg
              ${PROJECT_SOURCE_DIR}/BannerText.jpg
        DESTINATION ${ZUV_DATA_DESTINATION})
if(EXISTS ${PROJECT_SOURCE_DIR}/helpimages)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/helpimages DESTINATION ${ZUV_DATA_DESTINATION})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/desktop/org.example.zuvpoker.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/org.example.zuvpoker.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/desktop/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Debian's package documents: who holds the rights, and the changes (compressed, as Debian keeps them).
set(ZUV_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zuvpoker)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${ZUV_DOC_DESTINATION})
find_program(GZIP gzip REQUIRED)
set(ZUV_CHANGELOG ${PROJECT_BINARY_DIR}/changelog)
add_custom_command(OUTPUT ${ZUV_CHANGELOG}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog ${ZUV_CHANGELOG}
  COMMAND ${GZIP} -9 -n -f ${ZUV_CHANGELOG}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(zuv_changelog ALL DEPENDS ${ZUV_CHANGELOG}.gz)
install(FILES ${ZUV_CHANGELOG}.gz DESTINATION ${ZUV_DOC_DESTINATION})

set(CPACK_PACKAGE_NAME zuvpoker)
set(CPACK_PACKAGE_VENDOR "Zuv Poker Simulator team")
set(CPACK_PACKAGE_CONTACT "Zuv Poker Simulator team <team@zuvpoker.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Texas Hold'em odds by simulation")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://zuvpoker.example.org/")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# "games" would ask for the programs in /usr/games; they stay in /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link, found by dpkg-shlibdeps, are the dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION
    "Lay out a ten-seat table, fix any hole cards and board cards, and the\nprogram plays the hand out many times at random, showing each seat's\nchance to win and which hand classes win. Includes zuvsim, the same\nsimulation on the command line.")
include(CPack)
