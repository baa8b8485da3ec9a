# Installation as a desktop program: the executable, its freedesktop entry, the icon in the
# hicolor theme and the AppStream metainfo, all under one application id, and the user's guide.
include(GNUInstallDirs)

set(ORVINE_APP_ID org.orvine.Orvine)
set(ORVINE_LINUX_DIR ${CMAKE_CURRENT_SOURCE_DIR}/resources/linux)
configure_file(${ORVINE_LINUX_DIR}/${ORVINE_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${ORVINE_APP_ID}.metainfo.xml @ONLY)

install(TARGETS orvine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The preview module goes into the program's own library folder; the program finds it there by
# a path relative to its own folder.
set(ORVINE_MODULE_DIR ${CMAKE_INSTALL_LIBDIR}/orvine)
install(TARGETS orvine_preview_module LIBRARY DESTINATION ${ORVINE_MODULE_DIR})
file(RELATIVE_PATH ORVINE_MODULE_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBDIR}/orvine)
target_compile_definitions(orvine_app PRIVATE
  ORVINE_PREVIEW_MODULE_FOLDER="${ORVINE_MODULE_FROM_PROGRAM}")
install(FILES ${ORVINE_LINUX_DIR}/${ORVINE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/orvine.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ORVINE_APP_ID}.svg)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ORVINE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The user's guide: the help collection and the documentation file it registers (by a path
# relative to itself) go together into the data folder; the program finds them there from its
# own folder.
set(ORVINE_GUIDE_DIR ${CMAKE_INSTALL_DATADIR}/orvine)
file(RELATIVE_PATH ORVINE_GUIDE_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/orvine)
target_compile_definitions(orvine_frame PRIVATE ORVINE_GUIDE_FOLDER="${ORVINE_GUIDE_FROM_PROGRAM}")
if(TARGET orvine_help)
  install(FILES ${CMAKE_BINARY_DIR}/orvine.qhc ${CMAKE_BINARY_DIR}/orvine.qch
          DESTINATION ${ORVINE_GUIDE_DIR})
endif()

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
  # Installing the tree and starting the program as a second instance take minutes on a
  # loaded machine.
  set_tests_properties(app PROPERTIES TIMEOUT 900)
endif()
