# tidewell_strict(target): our own targets build with every warning as an error; third-party sources do not.
# -Wrestrict is off because GCC 12 reports impossible overlaps inside libstdc++'s own std::string code at -O3
# (GCC bug 105329), which no change of ours can avoid. Plug-ins made with iplug_add_plugin are built the same way.
function(tidewell_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()
