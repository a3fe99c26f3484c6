# Writes a standalone program's desktop entry from the plug-in's identity, at build time:
#   cmake -DIDENTITY=<identity script> -DAPP_PROGRAM=<program> -DAPP_ICON=<icon name> -DOUTPUT=<file>
#         -P WriteDesktopEntry.cmake
# The file is written beside its place and renamed over it.
include(${IDENTITY})
configure_file(${CMAKE_CURRENT_LIST_DIR}/PluginDesktopEntry.desktop.in ${OUTPUT}.part @ONLY)
file(RENAME ${OUTPUT}.part ${OUTPUT})
