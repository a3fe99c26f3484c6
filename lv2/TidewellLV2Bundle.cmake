# tidewell_lv2_bundle(target NAME name CLASS class HEADER header LIBS lib... [METER accessor]
#                     [UI_FROM component-target [METER_TAG tag]]): the LV2 bundle of one product class,
# ${CMAKE_BINARY_DIR}/<name>.lv2/{manifest.ttl, <name>.ttl, <name>.so}. The Turtle files are written after each
# build of the binary by a program built from the same product sources. Each binary holds everything of ours it
# needs, the platform stand-ins included, and exports only its descriptor function, so a host can load bundles
# made with other versions of the framework beside it. With METER, a control output port carries the value of
# the product's accessor. With UI_FROM, the bundle also holds the product's editor as an X11 UI, <name>_ui.so
# (exporting only lv2ui_descriptor), with the component's Contents/{Info.plist, Resources/} beside it so the
# editor finds its resources by the bundle's identifier; the meter port's values go to the editor's control
# with METER_TAG. The bundle directory is the target's TIDEWELL_BUNDLE_DIR property.
function(tidewell_lv2_bundle target)
  cmake_parse_arguments(ARG "" "NAME;CLASS;HEADER;METER;UI_FROM;METER_TAG" "LIBS" ${ARGN})
  set(LV2_ADAPTER_DIR ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(bundle ${CMAKE_BINARY_DIR}/${ARG_NAME}.lv2)
  set(LV2_PLUG_CLASS ${ARG_CLASS})
  set(LV2_PLUG_HEADER ${ARG_HEADER})
  set(LV2_PLUG_METER ${ARG_METER})
  set(LV2_PLUG_HAS_METER OFF)
  if(ARG_METER)
    set(LV2_PLUG_HAS_METER ON)
  endif()
  set(entry ${CMAKE_CURRENT_BINARY_DIR}/${target}/PluginEntry.cpp)
  configure_file(${LV2_ADAPTER_DIR}/PluginEntry.cpp.in ${entry} @ONLY)

  add_library(${target} MODULE ${LV2_ADAPTER_DIR}/LV2Descriptor.cpp ${entry})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} Tidewell::lv2_adapter)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${ARG_NAME}
    LIBRARY_OUTPUT_DIRECTORY ${bundle}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${LV2_ADAPTER_DIR}/lv2.exports
    TIDEWELL_PRIVATE_STANDINS ON
    SKIP_BUILD_RPATH ON
    TIDEWELL_BUNDLE_DIR ${bundle})
  # Once loaded the plug-in stays loaded (-z nodelete), and with it the platform stand-ins inside it and the
  # graphics libraries it links: process-wide registries and the drivers' state live as long as the process,
  # as the platform's own frameworks do, instead of vanishing under what a host may still hold.
  target_link_options(${target} PRIVATE -Wl,--version-script=${LV2_ADAPTER_DIR}/lv2.exports -Wl,--no-undefined
                      -Wl,-z,nodelete)
  tidewell_strict(${target})

  add_executable(${target}_turtle ${LV2_ADAPTER_DIR}/LV2TurtleMain.cpp ${entry})
  target_link_libraries(${target}_turtle PRIVATE ${ARG_LIBS} Tidewell::lv2_adapter)
  tidewell_strict(${target}_turtle)
  add_dependencies(${target} ${target}_turtle)
  if(NOT ARG_UI_FROM)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${target}_turtle ${bundle} $<TARGET_FILE_NAME:${target}> ${ARG_NAME}.ttl
      COMMENT "Describing ${ARG_NAME}.lv2")
    return()
  endif()

  set(LV2_PLUG_METER_TAG ${ARG_METER_TAG})
  set(ui_entry ${CMAKE_CURRENT_BINARY_DIR}/${target}/PluginUIEntry.cpp)
  configure_file(${LV2_ADAPTER_DIR}/PluginUIEntry.cpp.in ${ui_entry} @ONLY)
  add_library(${target}_ui MODULE ${LV2_ADAPTER_DIR}/LV2UIDescriptor.cpp ${ui_entry} ${entry})
  target_link_libraries(${target}_ui PRIVATE ${ARG_LIBS} Tidewell::lv2_adapter Tidewell::graphics_platform_linux)
  set_target_properties(${target}_ui PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${ARG_NAME}_ui
    LIBRARY_OUTPUT_DIRECTORY ${bundle}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${LV2_ADAPTER_DIR}/lv2ui.exports
    TIDEWELL_PRIVATE_STANDINS ON
    SKIP_BUILD_RPATH ON)
  target_link_options(${target}_ui PRIVATE -Wl,--version-script=${LV2_ADAPTER_DIR}/lv2ui.exports -Wl,--no-undefined
                      -Wl,-z,nodelete)
  tidewell_strict(${target}_ui)
  add_dependencies(${target} ${target}_ui ${ARG_UI_FROM})
  get_target_property(component_dir ${ARG_UI_FROM} TIDEWELL_BUNDLE_DIR)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${target}_turtle ${bundle} $<TARGET_FILE_NAME:${target}> ${ARG_NAME}.ttl $<TARGET_FILE_NAME:${target}_ui>
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bundle}/Contents
    COMMAND ${CMAKE_COMMAND} -E copy ${component_dir}/Contents/Info.plist ${bundle}/Contents/
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${component_dir}/Contents/Resources ${bundle}/Contents/Resources
    COMMENT "Describing ${ARG_NAME}.lv2 and its editor")
endfunction()
