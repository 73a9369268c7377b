# Installation: the game and the pack tool, the demo data drawn during the build,
# the desktop entry and the icon; `cpack` turns the same rules into a Debian package.
#
# The paths are fixed to bin/ and share/: the program finds the installed demo as
# ../share/shirakaba/demo from its own folder, so a moved prefix keeps working.

# ---- The demo data, drawn into the build tree ----
set(SHIRAKABA_DEMO_DIR ${CMAKE_BINARY_DIR}/demo)
add_custom_command(
  OUTPUT ${SHIRAKABA_DEMO_DIR}/data/lumora.red
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${SHIRAKABA_DEMO_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SHIRAKABA_DEMO_DIR}
  COMMAND $<TARGET_FILE:shirakaba-pack> demo ${SHIRAKABA_DEMO_DIR}
  DEPENDS shirakaba-pack
  COMMENT "Drawing the demo data into ${SHIRAKABA_DEMO_DIR}"
  VERBATIM)
add_custom_target(shirakaba_demo_data ALL DEPENDS ${SHIRAKABA_DEMO_DIR}/data/lumora.red)

install(TARGETS shirakaba shirakaba-pack RUNTIME DESTINATION bin)
install(DIRECTORY ${SHIRAKABA_DEMO_DIR}/ DESTINATION share/shirakaba/demo)

# ---- Desktop entry and icon ----
install(FILES ${CMAKE_CURRENT_LIST_DIR}/shirakaba.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/app/resources/shirakaba.svg DESTINATION share/icons/hicolor/scalable/apps)
if(TARGET shirakaba_qt)
  # The PNG is drawn by the same code as the about box's icon.
  add_executable(shirakaba-icon-png ${PROJECT_SOURCE_DIR}/app/icon_tool/write_icon_png.cpp)
  target_link_libraries(shirakaba-icon-png PRIVATE shirakaba_qt)
  set(SHIRAKABA_ICON_PNG ${CMAKE_BINARY_DIR}/icons/256x256/shirakaba.png)
  add_custom_command(
    OUTPUT ${SHIRAKABA_ICON_PNG}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/256x256
    COMMAND $<TARGET_FILE:shirakaba-icon-png> ${SHIRAKABA_ICON_PNG} 256
    DEPENDS shirakaba-icon-png
    COMMENT "Drawing the 256x256 icon"
    VERBATIM)
  add_custom_target(shirakaba_icon_png ALL DEPENDS ${SHIRAKABA_ICON_PNG})
  install(FILES ${SHIRAKABA_ICON_PNG} DESTINATION share/icons/hicolor/256x256/apps)
endif()

# ---- Debian package (cpack in the build folder) ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME shirakaba)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "shirakaba")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "白樺館 見習い日誌 体験版 - a mouse-driven training simulation game")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A single-player training simulation with visual-novel scenes, in Japanese. The player guides a newly\n"
  "arrived trainee through a calendar of days of jobs, lessons and conversations. Includes demo data\n"
  "and the pack tool shirakaba-pack.")
set(CPACK_PACKAGE_CONTACT "shirakaba developers <shirakaba@localhost>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "shirakaba developers <shirakaba@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries' packages come from dpkg-shlibdeps; the font is loaded by name at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
# Qt's own translations: the standard buttons in the player's language; a font with the
# Chinese and Korean characters the game's font lacks, for translations into those.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-wqy-microhei")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
