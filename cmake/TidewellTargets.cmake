# The framework as other projects use it: every library a plug-in links gets the name it has in an installed
# framework (Tidewell::<library>, here as an alias), so iplug_add_plugin and the bundle functions name the same
# targets inside this tree and in a project that calls find_package(Tidewell). cmake --install (component
# Tidewell_framework) installs those libraries, their headers under include/tidewell/<source folder>, the
# exported targets, the functions with the files they generate plug-ins from, and the package configuration.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TIDEWELL_EXPORTED_LIBRARIES
  wdl platform_standins platform_standins_private plugin_core graphics nanovg graphics_nanovg pugl
  graphics_platform_linux audio_unit lv2_adapter editor_window app_adapter)
set(TIDEWELL_INCLUDE_DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tidewell)
# The libraries have a folder of their own: their names are too plain to sit in a shared library folder.
set(TIDEWELL_LIBRARY_DESTINATION ${CMAKE_INSTALL_LIBDIR}/tidewell)
set(TIDEWELL_CMAKE_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tidewell)

# The framework's language level is part of its interface: its headers need C++20.
target_compile_features(plugin_core PUBLIC cxx_std_20)

# A library's include folders in this tree become include/tidewell/<folder relative to the tree> once installed;
# folders outside the tree (Debian's NanoVG and Pugl sources) stay as they are. Adds the tree's folders to the
# list named roots_var.
function(tidewell_relocate_includes target roots_var)
  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  if(NOT dirs)
    return()
  endif()
  set(relocated)
  set(roots ${${roots_var}})
  foreach(dir IN LISTS dirs)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${dir}" NORMALIZE in_tree)
    if(in_tree)
      file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
      list(APPEND relocated "$<BUILD_INTERFACE:${dir}>" "$<INSTALL_INTERFACE:${TIDEWELL_INCLUDE_DESTINATION}/${rel}>")
      list(APPEND roots ${rel})
    else()
      list(APPEND relocated "${dir}")
    endif()
  endforeach()
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${relocated}")
  list(REMOVE_DUPLICATES roots)
  set(${roots_var} ${roots} PARENT_SCOPE)
endfunction()

set(tidewell_header_roots)
foreach(library IN LISTS TIDEWELL_EXPORTED_LIBRARIES)
  add_library(Tidewell::${library} ALIAS ${library})
  tidewell_relocate_includes(${library} tidewell_header_roots)
endforeach()

install(TARGETS ${TIDEWELL_EXPORTED_LIBRARIES} EXPORT TidewellTargets
  ARCHIVE DESTINATION ${TIDEWELL_LIBRARY_DESTINATION} COMPONENT Tidewell_framework
  LIBRARY DESTINATION ${TIDEWELL_LIBRARY_DESTINATION} COMPONENT Tidewell_framework)
# The headers of each include folder; a folder inside another one comes with it.
foreach(root IN LISTS tidewell_header_roots)
  set(nested FALSE)
  foreach(other IN LISTS tidewell_header_roots)
    if(NOT other STREQUAL root AND root MATCHES "^${other}/")
      set(nested TRUE)
    endif()
  endforeach()
  if(NOT nested)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${root}/ DESTINATION ${TIDEWELL_INCLUDE_DESTINATION}/${root}
      COMPONENT Tidewell_framework FILES_MATCHING PATTERN "*.h")
  endif()
endforeach()
install(EXPORT TidewellTargets NAMESPACE Tidewell:: DESTINATION ${TIDEWELL_CMAKE_DESTINATION}
  COMPONENT Tidewell_framework)

# The functions, beside the files they generate plug-ins from (each function finds its files in its own folder).
install(FILES
  ${PROJECT_SOURCE_DIR}/cmake/IPlugAddPlugin.cmake
  ${PROJECT_SOURCE_DIR}/cmake/TidewellStrict.cmake
  ${PROJECT_SOURCE_DIR}/cmake/PluginAdapter.h.in
  ${PROJECT_SOURCE_DIR}/cmake/PluginIdentityMain.cpp.in
  ${PROJECT_SOURCE_DIR}/cmake/PluginDesktopEntry.desktop.in
  ${PROJECT_SOURCE_DIR}/cmake/WriteDesktopEntry.cmake
  DESTINATION ${TIDEWELL_CMAKE_DESTINATION} COMPONENT Tidewell_framework)
install(FILES
  ${PROJECT_SOURCE_DIR}/audio_unit/TidewellAUBundle.cmake
  ${PROJECT_SOURCE_DIR}/audio_unit/PluginEntry.cpp.in
  ${PROJECT_SOURCE_DIR}/audio_unit/PluginEntry.exports.in
  ${PROJECT_SOURCE_DIR}/audio_unit/RenderAllocationGuardWraps.cpp
  ${PROJECT_SOURCE_DIR}/audio_unit/Info.plist.in
  ${PROJECT_SOURCE_DIR}/audio_unit/WriteInfoPlist.cmake
  DESTINATION ${TIDEWELL_CMAKE_DESTINATION}/audio_unit COMPONENT Tidewell_framework)
install(FILES
  ${PROJECT_SOURCE_DIR}/lv2/TidewellLV2Bundle.cmake
  ${PROJECT_SOURCE_DIR}/lv2/PluginEntry.cpp.in
  ${PROJECT_SOURCE_DIR}/lv2/PluginUIEntry.cpp.in
  ${PROJECT_SOURCE_DIR}/lv2/LV2Descriptor.cpp
  ${PROJECT_SOURCE_DIR}/lv2/LV2UIDescriptor.cpp
  ${PROJECT_SOURCE_DIR}/lv2/LV2TurtleMain.cpp
  ${PROJECT_SOURCE_DIR}/lv2/lv2.exports
  ${PROJECT_SOURCE_DIR}/lv2/lv2ui.exports
  DESTINATION ${TIDEWELL_CMAKE_DESTINATION}/lv2 COMPONENT Tidewell_framework)
install(FILES
  ${PROJECT_SOURCE_DIR}/app/TidewellAppProgram.cmake
  ${PROJECT_SOURCE_DIR}/app/AppEntry.cpp.in
  DESTINATION ${TIDEWELL_CMAKE_DESTINATION}/app COMPONENT Tidewell_framework)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TidewellConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TidewellConfig.cmake
  INSTALL_DESTINATION ${TIDEWELL_CMAKE_DESTINATION}
  PATH_VARS TIDEWELL_LIBRARY_DESTINATION)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TidewellConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TidewellConfig.cmake ${PROJECT_BINARY_DIR}/TidewellConfigVersion.cmake
  DESTINATION ${TIDEWELL_CMAKE_DESTINATION} COMPONENT Tidewell_framework)

include(${PROJECT_SOURCE_DIR}/cmake/IPlugAddPlugin.cmake)
