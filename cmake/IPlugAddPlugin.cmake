# iplug_add_plugin: one call that builds a plug-in in every format it names and installs it. Included by the
# framework's own build and by the package configuration (find_package(Tidewell)), so a product inside this
# tree and a plug-in maker's own project make their plug-ins the same way.
include_guard(GLOBAL)
include(GNUInstallDirs)

# Where products install, relative to the installation prefix. LV2 bundles go where Debian's hosts look
# (/usr/lib/lv2, ~/.local/lib/lv2 is not searched: install for one user with the prefix ~ and the folder .lv2);
# components go where tidewell_host looks (~/.local/lib/Audio/Plug-Ins/Components with the prefix ~/.local).
set(TIDEWELL_LV2_INSTALL_DIR lib/lv2 CACHE STRING "Folder LV2 bundles install into, under the prefix")
set(TIDEWELL_AU_INSTALL_DIR lib/Audio/Plug-Ins/Components CACHE STRING
    "Folder Audio Unit components install into, under the prefix")

# iplug_add_plugin(<prefix>       the stem of the targets it makes (below), e.g. tidewell
#   NAME name                 bundle and binary name: <name>.component, <name>.lv2, the program <name>
#   CLASS class               the product class: derives from iplug::PluginAdapter, takes an iplug::InstanceInfo,
#                             and has a static MakeConfig() giving its configuration
#   HEADER header             the header declaring the class, found in the calling folder
#   SOURCES file...           the product's sources, compiled once per format on that format's adapter
#   [LIBS lib...]             further libraries the sources use (linked into every format)
#   [RESOURCES file...]       files copied into the bundle's Contents/Resources/, where the editor looks up
#                             bitmaps, SVGs and fonts by name; generated files may be given (outputs of custom
#                             commands of the calling folder)
#   [FORMATS AU LV2 APP]      the formats to build (default AU LV2): AU the Audio Unit component, LV2 the LV2
#                             bundle (with the editor when AU is built too: the LV2 UI takes the component's
#                             Info.plist and resources), APP the standalone program where the framework has one
#                             (skipped with a status message where it has none)
#   [MIDI_IN] [MIDI_OUT]      the plug-in takes / sends MIDI; must match receivesMidi / sendsMidi of the
#                             configuration, which the build checks
#   [METER accessor]          LV2: a control output port carries the value of the class's const accessor
#   [METER_TAG tag]           LV2: the tag of the editor control the meter port's values go to
#   [ICON file]               APP: the program's icon, a PNG of 256 x 256 pixels
#
# The identity (names, manufacturer and plug-in codes, component type, version, bundle identifier, URI base) is
# read from MakeConfig() alone: a program built from the product writes it as a CMake script at build time
# (the target <prefix>_identity, its TIDEWELL_IDENTITY_FILE property naming the script), from which the
# component's Info.plist is written; the LV2 description is written from the product itself.
#
# Targets: <prefix>_product (the sources on the Audio Unit adapter, which engine tests link), <prefix>_product_lv2,
# <prefix>_component, <prefix>_lv2, <prefix>_resources, <prefix>_identity, and <prefix>_app with APP.
# Install components: <name>_au (the component into TIDEWELL_AU_INSTALL_DIR), <name>_lv2 (the bundle into
# TIDEWELL_LV2_INSTALL_DIR) and <name>_app (the program into bin, its desktop entry, written from the identity,
# into share/applications and its icon into share/icons/hicolor/256x256/apps, both named <name>).
function(iplug_add_plugin prefix)
  cmake_parse_arguments(ARG "MIDI_IN;MIDI_OUT" "NAME;CLASS;HEADER;METER;METER_TAG;ICON" "SOURCES;LIBS;RESOURCES;FORMATS"
                        ${ARGN})
  foreach(required IN ITEMS NAME CLASS HEADER SOURCES)
    if(NOT ARG_${required})
      message(FATAL_ERROR "iplug_add_plugin(${prefix}): ${required} is required")
    endif()
  endforeach()
  if(NOT ARG_FORMATS)
    set(ARG_FORMATS AU LV2)
  endif()
  foreach(format IN LISTS ARG_FORMATS)
    if(NOT format MATCHES "^(AU|LV2|APP)$")
      message(FATAL_ERROR "iplug_add_plugin(${prefix}): unknown format ${format}; the formats are AU, LV2 and APP")
    endif()
  endforeach()
  if("APP" IN_LIST ARG_FORMATS AND NOT COMMAND tidewell_app_program)
    message(STATUS "iplug_add_plugin(${prefix}): this framework has no standalone format; ${ARG_NAME} is built without APP")
    list(REMOVE_ITEM ARG_FORMATS APP)
  endif()
  if(NOT ARG_FORMATS)
    message(FATAL_ERROR "iplug_add_plugin(${prefix}): no format left to build")
  endif()
  set(midi_in "")
  if(ARG_MIDI_IN)
    set(midi_in MIDI_IN)
  endif()
  set(lv2_meter "")
  if(ARG_METER)
    set(lv2_meter METER ${ARG_METER})
  endif()

  set(products)
  if("AU" IN_LIST ARG_FORMATS)
    _iplug_product(${prefix}_product IPlugAU.h IPlugAU Tidewell::audio_unit)
    list(APPEND products ${prefix}_product)
  endif()
  if("LV2" IN_LIST ARG_FORMATS)
    _iplug_product(${prefix}_product_lv2 IPlugLV2.h IPlugLV2 Tidewell::lv2_adapter)
    list(APPEND products ${prefix}_product_lv2)
  endif()
  if("APP" IN_LIST ARG_FORMATS)
    _iplug_product(${prefix}_product_app IPlugAPP.h IPlugAPP Tidewell::app_adapter)
    list(APPEND products ${prefix}_product_app)
  endif()
  list(GET products 0 identity_product)
  _iplug_identity(${prefix}_identity ${identity_product})
  _iplug_resources(${prefix}_resources)

  if("AU" IN_LIST ARG_FORMATS)
    tidewell_au_bundle(${prefix}_component
      NAME ${ARG_NAME} CLASS ${ARG_CLASS} HEADER ${ARG_HEADER} ${midi_in}
      LIBS ${prefix}_product
      IDENTITY ${prefix}_identity)
    add_dependencies(${prefix}_component ${prefix}_resources)
    _iplug_install_component(${prefix}_component)
  endif()
  if("LV2" IN_LIST ARG_FORMATS)
    set(lv2_ui "")
    if("AU" IN_LIST ARG_FORMATS)
      set(lv2_ui UI_FROM ${prefix}_component)
      if(ARG_METER_TAG)
        list(APPEND lv2_ui METER_TAG ${ARG_METER_TAG})
      endif()
    endif()
    tidewell_lv2_bundle(${prefix}_lv2
      NAME ${ARG_NAME} CLASS ${ARG_CLASS} HEADER ${ARG_HEADER} ${lv2_meter} ${lv2_ui}
      LIBS ${prefix}_product_lv2)
    _iplug_install_lv2(${prefix}_lv2 "${lv2_ui}")
  endif()
  if("APP" IN_LIST ARG_FORMATS)
    set(app_resources "")
    if("AU" IN_LIST ARG_FORMATS)
      set(app_resources RESOURCES_FROM ${prefix}_component)
    endif()
    tidewell_app_program(${prefix}_app NAME ${ARG_NAME} CLASS ${ARG_CLASS} HEADER ${ARG_HEADER} ${app_resources}
      LIBS ${prefix}_product_app)
    _iplug_install_app(${prefix}_app ${prefix}_identity)
  endif()
endfunction()

# The product's sources (ARG_SOURCES, ARG_LIBS of the caller) on one format's adapter, through a PluginAdapter.h
# generated for that format; position-independent, as the plug-in binaries are shared objects.
function(_iplug_product target adapter_header adapter_class adapter)
  set(PRODUCT_ADAPTER_HEADER ${adapter_header})
  set(PRODUCT_ADAPTER_CLASS ${adapter_class})
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/PluginAdapter.h.in ${CMAKE_CURRENT_BINARY_DIR}/${target}/PluginAdapter.h @ONLY)
  add_library(${target} STATIC ${ARG_SOURCES})
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/${target})
  # The Linux window layer provides MakeGraphics.
  target_link_libraries(${target} PUBLIC ${adapter} Tidewell::plugin_core Tidewell::graphics_platform_linux ${ARG_LIBS})
  tidewell_strict(${target})
endfunction()

# The program that writes the identity script (ARG_CLASS, ARG_HEADER, ARG_MIDI_IN, ARG_MIDI_OUT of the caller) from the product's configuration after each build of it.
function(_iplug_identity target product)
  set(IPLUG_CLASS ${ARG_CLASS})
  set(IPLUG_HEADER ${ARG_HEADER})
  set(IPLUG_MIDI_IN false)
  set(IPLUG_MIDI_OUT false)
  if(ARG_MIDI_IN)
    set(IPLUG_MIDI_IN true)
  endif()
  if(ARG_MIDI_OUT)
    set(IPLUG_MIDI_OUT true)
  endif()
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_files)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/PluginIdentityMain.cpp.in ${generated}/PluginIdentityMain.cpp @ONLY)
  add_executable(${target} ${generated}/PluginIdentityMain.cpp)
  target_link_libraries(${target} PRIVATE ${product})
  tidewell_strict(${target})
  set_target_properties(${target} PROPERTIES TIDEWELL_IDENTITY_FILE ${generated}/identity.cmake)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${target} ${generated}/identity.cmake
    COMMENT "Reading the identity of ${ARG_NAME}"
    VERBATIM)
endfunction()

# The resources (ARG_RESOURCES of the caller) copied into the component's Resources/ whenever they change.
function(_iplug_resources target)
  set(resources_dir ${CMAKE_BINARY_DIR}/${ARG_NAME}.component/Contents/Resources)
  set(copies)
  foreach(resource IN LISTS ARG_RESOURCES)
    get_filename_component(resource_name ${resource} NAME)
    add_custom_command(OUTPUT ${resources_dir}/${resource_name}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${resource} ${resources_dir}/${resource_name}
      DEPENDS ${resource}
      VERBATIM)
    list(APPEND copies ${resources_dir}/${resource_name})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${copies})
endfunction()

# Installs the component: its binary finds the platform's library in the framework's library folder.
function(_iplug_install_component target)
  get_target_property(bundle ${target} TIDEWELL_BUNDLE_DIR)
  set(contents ${TIDEWELL_AU_INSTALL_DIR}/${ARG_NAME}.component/Contents)
  if(TIDEWELL_INSTALLED_LIBRARY_DIR)
    set(rpath ${TIDEWELL_INSTALLED_LIBRARY_DIR})
  else()
    file(RELATIVE_PATH to_libdir /prefix/${contents}/MacOS /prefix/${TIDEWELL_LIBRARY_DESTINATION})
    set(rpath "$ORIGIN/${to_libdir}")
  endif()
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "${rpath}")
  install(TARGETS ${target} LIBRARY DESTINATION ${contents}/MacOS COMPONENT ${ARG_NAME}_au)
  install(FILES ${bundle}/Contents/Info.plist DESTINATION ${contents} COMPONENT ${ARG_NAME}_au)
  install(DIRECTORY ${bundle}/Contents/Resources DESTINATION ${contents} COMPONENT ${ARG_NAME}_au)
endfunction()

# Installs the standalone program with its desktop entry and icon.
function(_iplug_install_app target identity)
  get_target_property(identity_file ${identity} TIDEWELL_IDENTITY_FILE)
  set(entry ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}.desktop)
  add_dependencies(${target} ${identity})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DIDENTITY=${identity_file} -DAPP_PROGRAM=$<TARGET_FILE_NAME:${target}>
            -DAPP_ICON=${ARG_NAME} -DOUTPUT=${entry} -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WriteDesktopEntry.cmake
    VERBATIM)
  # The program keeps its bundle, where it finds its resources by its own path, in the library folder; the
  # command in bin is a relative link to it, which the program follows back to the bundle.
  get_target_property(bundle ${target} TIDEWELL_BUNDLE_DIR)
  set(contents ${CMAKE_INSTALL_LIBDIR}/${ARG_NAME}/${ARG_NAME}.app/Contents)
  install(TARGETS ${target} RUNTIME DESTINATION ${contents}/MacOS COMPONENT ${ARG_NAME}_app)
  if("AU" IN_LIST ARG_FORMATS)
    install(FILES ${bundle}/Contents/Info.plist DESTINATION ${contents} COMPONENT ${ARG_NAME}_app)
    install(DIRECTORY ${bundle}/Contents/Resources DESTINATION ${contents} COMPONENT ${ARG_NAME}_app)
  endif()
  file(RELATIVE_PATH link_target /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${contents}/MacOS/${ARG_NAME})
  install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ${link_target} \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${ARG_NAME}\" SYMBOLIC)"
    COMPONENT ${ARG_NAME}_app)
  install(FILES ${entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT ${ARG_NAME}_app)
  if(ARG_ICON)
    install(FILES ${ARG_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME ${ARG_NAME}.png
      COMPONENT ${ARG_NAME}_app)
  endif()
endfunction()

# Installs the LV2 bundle: the binaries (stripped when asked), the description and, with an editor, the
# component's Info.plist and resources it reads.
function(_iplug_install_lv2 target ui)
  get_target_property(bundle ${target} TIDEWELL_BUNDLE_DIR)
  set(destination ${TIDEWELL_LV2_INSTALL_DIR}/${ARG_NAME}.lv2)
  set(binaries ${target})
  if(ui)
    list(APPEND binaries ${target}_ui)
  endif()
  install(TARGETS ${binaries} LIBRARY DESTINATION ${destination} COMPONENT ${ARG_NAME}_lv2)
  install(FILES ${bundle}/manifest.ttl ${bundle}/${ARG_NAME}.ttl DESTINATION ${destination} COMPONENT ${ARG_NAME}_lv2)
  if(ui)
    install(DIRECTORY ${bundle}/Contents DESTINATION ${destination} COMPONENT ${ARG_NAME}_lv2)
  endif()
endfunction()
