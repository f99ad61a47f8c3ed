# tvx_library(NAME [INTERFACE] [FUZZ] [ROOT folder] [SOURCES files...] [PUBLIC libs...] [PRIVATE libs...])
#
# The one way a folder declares its library: the sources listed by name, the folder its
# headers are included from (src/, so includes read "area/File.h"), and what it links.
# FUZZ instruments the library's own code when fuzz targets are built, so the fuzzer sees
# the parser and not only its driver.
function(tvx_library name)
  cmake_parse_arguments(lib "INTERFACE;FUZZ" "ROOT" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  if(NOT lib_ROOT)
    set(lib_ROOT ${PROJECT_SOURCE_DIR}/src)
  endif()
  if(lib_INTERFACE)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${lib_ROOT})
    target_link_libraries(${name} INTERFACE ${lib_PUBLIC})
    return()
  endif()
  add_library(${name} ${lib_SOURCES})
  target_include_directories(${name} PUBLIC ${lib_ROOT})
  target_link_libraries(${name} PUBLIC ${lib_PUBLIC} PRIVATE ${lib_PRIVATE})
  if(lib_FUZZ AND TVX_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${name} PRIVATE -fsanitize=address,fuzzer-no-link)
    target_link_options(${name} INTERFACE -fsanitize=address)
  endif()
endfunction()

