# The Debian package of Tidewell, made by CPack from the product's install components:
#   cpack --config build/<config>/CPackConfig.cmake    (or: cmake --build --preset release --target package)
# gives tidewell_<version>_amd64.deb with the LV2 bundle under /usr/lib/lv2, the standalone program's bundle under
# /usr/lib/Tidewell with the command /usr/bin/Tidewell linked to it, its desktop entry and icon where the framework has that format, and this folder's copyright file.
# Name, maker and version come from the product's configuration, through the identity the build writes
# (read when CPack runs, see TidewellPackageIdentity.cmake.in); the dependencies from dpkg-shlibdeps.
# The release history, compressed as Debian wants it (no time stamp inside); CPack checks that its latest entry
# is the version the configuration gives.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
execute_process(COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/changelog OUTPUT_FILE ${CMAKE_BINARY_DIR}/package/changelog.gz
  COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tidewell COMPONENT Tidewell_doc)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tidewell)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Tidewell_lv2 Tidewell_doc)
if(TARGET tidewell_app)
  list(APPEND CPACK_COMPONENTS_ALL Tidewell_app)
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME tidewell)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rhythmic ducking audio effect")
set(CPACK_PACKAGE_DESCRIPTION [=[
Every 10 to 45 seconds Tidewell dips the level of the signal passing
through it along a raised-cosine gain curve lasting 1 to 3 seconds, then
lets it recover. Period, random extension, duration and depth shape it.
This package holds it as an LV2 plug-in, with its editor, for Ardour,
Carla, Qtractor, jalv and the other LV2 hosts, and as a program of its
own that runs it on live input through JACK, ALSA or PulseAudio.]=])
get_target_property(tidewell_identity_file tidewell_identity TIDEWELL_IDENTITY_FILE)
set(tidewell_changelog ${CMAKE_CURRENT_LIST_DIR}/changelog)
configure_file(${CMAKE_CURRENT_LIST_DIR}/TidewellPackageIdentity.cmake.in ${CMAKE_BINARY_DIR}/TidewellPackageIdentity.cmake
  @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/TidewellPackageIdentity.cmake)
include(CPack)
