# tidewell_app_program(target NAME name CLASS class HEADER header LIBS lib... [RESOURCES_FROM component-target]):
# the standalone program of one product class, laid out as an application bundle,
# ${CMAKE_BINARY_DIR}/<name>.app/Contents/{MacOS/<name>, Info.plist, Resources/}. Its main function is generated
# from AppEntry.cpp.in for the class declared in header, whose library (built on app_adapter through
# tidewell_product_for) is among LIBS. With RESOURCES_FROM, the component's Info.plist and Resources are copied
# into the bundle after each build, so the editor finds its resources by the bundle's identifier as it does in
# the component. The program holds the platform stand-ins itself. Debug and sanitizer builds abort on an
# allocation or a lock in its audio callback. The bundle directory is the target's TIDEWELL_BUNDLE_DIR property.
function(tidewell_app_program target)
  cmake_parse_arguments(ARG "" "NAME;CLASS;HEADER;RESOURCES_FROM" "LIBS" ${ARGN})
  set(APP_DIR ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(bundle ${CMAKE_BINARY_DIR}/${ARG_NAME}.app)
  set(APP_PLUG_CLASS ${ARG_CLASS})
  set(APP_PLUG_HEADER ${ARG_HEADER})
  set(entry ${CMAKE_CURRENT_BINARY_DIR}/${target}/AppEntry.cpp)
  configure_file(${APP_DIR}/AppEntry.cpp.in ${entry} @ONLY)

  add_executable(${target} ${entry})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} Tidewell::app_adapter)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${ARG_NAME}
    RUNTIME_OUTPUT_DIRECTORY ${bundle}/Contents/MacOS
    TIDEWELL_PRIVATE_STANDINS ON
    TIDEWELL_BUNDLE_DIR ${bundle})
  tidewell_strict(${target})
  if(TIDEWELL_RENDER_GUARD)
    target_sources(${target} PRIVATE ${APP_DIR}/../audio_unit/RenderAllocationGuardWraps.cpp)
    foreach(symbol IN ITEMS malloc calloc realloc posix_memalign _Znwm _Znam _ZnwmRKSt9nothrow_t _ZnamRKSt9nothrow_t
                            _ZnwmSt11align_val_t pthread_mutex_lock pthread_rwlock_rdlock pthread_rwlock_wrlock)
      target_link_options(${target} PRIVATE -Wl,--wrap=${symbol})
    endforeach()
  endif()
  if(ARG_RESOURCES_FROM)
    add_dependencies(${target} ${ARG_RESOURCES_FROM})
    get_target_property(component_dir ${ARG_RESOURCES_FROM} TIDEWELL_BUNDLE_DIR)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy ${component_dir}/Contents/Info.plist ${bundle}/Contents/
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${component_dir}/Contents/Resources ${bundle}/Contents/Resources
      COMMENT "Laying out ${ARG_NAME}.app")
  endif()
endfunction()
