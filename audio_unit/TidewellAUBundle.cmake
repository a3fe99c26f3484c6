# tidewell_au_bundle(target NAME name CLASS class HEADER header [MIDI_IN] LIBS lib...
#                    (IDENTITY identity-target | PLIST template) [SOURCES file...]):
# a plug-in binary laid out as a real bundle, ${CMAKE_BINARY_DIR}/<name>.component/Contents/
# {Info.plist, MacOS/<name>, Resources/}. Its entry points are generated from PluginEntry.cpp.in for the
# product class declared in header: <name>_Factory (the factoryFunction of the Info.plist), <name>_Entry and
# the view factory's registration function <name>_View, with the MIDI selectors served when MIDI_IN is given;
# only those three names are exported (PluginEntry.exports.in). A binary that writes its own entry points names
# no CLASS and gives them in SOURCES with EXPORTS version-script instead.
# With IDENTITY, the Info.plist is written after each build from the identity script that target's
# TIDEWELL_IDENTITY_FILE property names (see iplug_add_plugin), so codes, names and version come from the
# plug-in's configuration; with PLIST it is configured from that template.
# The platform's shared library is linked, never copied in. The bundle directory is the target's
# TIDEWELL_BUNDLE_DIR property.
function(tidewell_au_bundle target)
  cmake_parse_arguments(ARG "MIDI_IN" "NAME;CLASS;HEADER;PLIST;IDENTITY;EXPORTS" "SOURCES;LIBS" ${ARGN})
  set(bundle ${CMAKE_BINARY_DIR}/${ARG_NAME}.component)
  if(ARG_CLASS)
    set(AU_PLUG_NAME ${ARG_NAME})
    set(AU_PLUG_CLASS ${ARG_CLASS})
    set(AU_PLUG_HEADER ${ARG_HEADER})
    if(ARG_MIDI_IN)
      set(AU_PLUG_MIDI_IN true)
    else()
      set(AU_PLUG_MIDI_IN false)
    endif()
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target})
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/PluginEntry.cpp.in ${generated}/PluginEntry.cpp @ONLY)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/PluginEntry.exports.in ${generated}/PluginEntry.exports @ONLY)
    list(APPEND ARG_SOURCES ${generated}/PluginEntry.cpp)
    set(ARG_EXPORTS ${generated}/PluginEntry.exports)
  elseif(NOT ARG_SOURCES OR NOT ARG_EXPORTS)
    message(FATAL_ERROR "tidewell_au_bundle(${target}): give CLASS and HEADER, or SOURCES and EXPORTS")
  endif()
  if(NOT ARG_PLIST AND NOT ARG_IDENTITY)
    message(FATAL_ERROR "tidewell_au_bundle(${target}): give IDENTITY or PLIST for the Info.plist")
  endif()
  add_library(${target} SHARED ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    SUFFIX ""
    OUTPUT_NAME ${ARG_NAME}
    LIBRARY_OUTPUT_DIRECTORY ${bundle}/Contents/MacOS
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${ARG_EXPORTS}
    TIDEWELL_BUNDLE_DIR ${bundle})
  # The static libraries inside are built with default visibility; the version script hides them.
  target_link_options(${target} PRIVATE -Wl,--version-script=${ARG_EXPORTS})
  tidewell_strict(${target})
  if(TIDEWELL_RENDER_GUARD)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/RenderAllocationGuardWraps.cpp)
    foreach(symbol IN ITEMS malloc calloc realloc posix_memalign _Znwm _Znam _ZnwmRKSt9nothrow_t _ZnamRKSt9nothrow_t
                            _ZnwmSt11align_val_t pthread_mutex_lock pthread_rwlock_rdlock pthread_rwlock_wrlock)
      target_link_options(${target} PRIVATE -Wl,--wrap=${symbol})
    endforeach()
  endif()
  file(MAKE_DIRECTORY ${bundle}/Contents/Resources)
  if(ARG_PLIST)
    configure_file(${ARG_PLIST} ${bundle}/Contents/Info.plist @ONLY)
    return()
  endif()
  get_target_property(identity_file ${ARG_IDENTITY} TIDEWELL_IDENTITY_FILE)
  add_dependencies(${target} ${ARG_IDENTITY})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DIDENTITY=${identity_file} -DAU_BUNDLE_NAME=${ARG_NAME}
            -DOUTPUT=${bundle}/Contents/Info.plist -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WriteInfoPlist.cmake
    VERBATIM)
endfunction()
