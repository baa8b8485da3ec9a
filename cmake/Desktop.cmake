# Installation as a desktop program: the executable, its freedesktop entry, the icon in the
# hicolor theme and the AppStream metainfo, all under one application id.
include(GNUInstallDirs)

set(ORVINE_APP_ID org.orvine.Orvine)
set(ORVINE_LINUX_DIR ${CMAKE_CURRENT_SOURCE_DIR}/resources/linux)
configure_file(${ORVINE_LINUX_DIR}/${ORVINE_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${ORVINE_APP_ID}.metainfo.xml @ONLY)

install(TARGETS orvine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ORVINE_LINUX_DIR}/${ORVINE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/orvine.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ORVINE_APP_ID}.svg)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ORVINE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The start-up tests run the built program as a second instance and install the tree into a
# scratch prefix; the validators are used when the machine has them.
if(TARGET test_app)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(APPSTREAMCLI appstreamcli)
  add_dependencies(test_app orvine)
  target_compile_definitions(test_app PRIVATE
    ORVINE_PROGRAM="$<TARGET_FILE:orvine>"
    ORVINE_BUILD_DIR="${CMAKE_BINARY_DIR}"
    ORVINE_APP_ID="${ORVINE_APP_ID}"
    ORVINE_CMAKE="${CMAKE_COMMAND}"
    ORVINE_DESKTOP_FILE_VALIDATE="$<$<BOOL:${DESKTOP_FILE_VALIDATE}>:${DESKTOP_FILE_VALIDATE}>"
    ORVINE_APPSTREAMCLI="$<$<BOOL:${APPSTREAMCLI}>:${APPSTREAMCLI}>")
endif()
