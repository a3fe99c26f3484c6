# The characters of X11's legacy KeySyms (Latin-2 to 4, Cyrillic, Greek, Hebrew, Thai, the currency signs,
# ...), read at configure time from the "U+XXXX" notes of the installed keysymdef.h, so the key table takes
# X11's own mapping instead of carrying a copy. Latin-1 and Unicode KeySyms are computed in the table and left
# out. Writes LinuxLegacyKeysyms.inc ({KeySym, code point} rows) for LinuxKeyTable.cpp; included after the
# graphics_platform_linux target is made.
set(TIDEWELL_KEYSYMDEF ${X11_INCLUDE_DIR}/X11/keysymdef.h)
if(NOT EXISTS ${TIDEWELL_KEYSYMDEF})
  message(FATAL_ERROR "X11/keysymdef.h not found under ${X11_INCLUDE_DIR}: run scripts/setup (package libx11-dev)")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TIDEWELL_KEYSYMDEF})

file(STRINGS ${TIDEWELL_KEYSYMDEF} keysym_lines
  REGEX "^#define XK_[A-Za-z0-9_]+ +0x[0-9a-fA-F]+ +/\\* U\\+[0-9A-Fa-f]+ ")
set(keysym_rows "")
foreach(line IN LISTS keysym_lines)
  string(REGEX MATCH "0x([0-9a-fA-F]+) +/\\* U\\+([0-9A-Fa-f]+)" matched "${line}")
  set(keysym_hex ${CMAKE_MATCH_1})
  set(code_point_hex ${CMAKE_MATCH_2})
  math(EXPR keysym_value "0x${keysym_hex}")
  if(keysym_value GREATER 255 AND keysym_value LESS 16777216)
    string(APPEND keysym_rows "{0x${keysym_hex}, 0x${code_point_hex}},\n")
  endif()
endforeach()

set(keysym_table ${CMAKE_CURRENT_BINARY_DIR}/LinuxLegacyKeysyms.inc)
file(WRITE ${keysym_table}.new "${keysym_rows}")
configure_file(${keysym_table}.new ${keysym_table} COPYONLY)
target_include_directories(graphics_platform_linux PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
