# Writes a component's Info.plist from the plug-in's identity, at build time:
#   cmake -DIDENTITY=<identity script> -DAU_BUNDLE_NAME=<name> -DOUTPUT=<Info.plist> -P WriteInfoPlist.cmake
# The texts are escaped for XML; the file is written beside its place and renamed over it.
include(${IDENTITY})
foreach(name IN ITEMS PLUGIN_NAME MANUFACTURER BUNDLE_ID MANUFACTURER_CODE PLUGIN_CODE)
  string(REPLACE "&" "&amp;" IPLUG_${name} "${IPLUG_${name}}")
  string(REPLACE "<" "&lt;" IPLUG_${name} "${IPLUG_${name}}")
  string(REPLACE ">" "&gt;" IPLUG_${name} "${IPLUG_${name}}")
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/Info.plist.in ${OUTPUT}.part @ONLY)
file(RENAME ${OUTPUT}.part ${OUTPUT})
