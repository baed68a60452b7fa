# Warnings and sanitizers shared by every target of the project.

add_library(quillmoth_options INTERFACE)
add_library(quillmoth::options ALIAS quillmoth_options)

target_compile_options(quillmoth_options INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wimplicit-fallthrough>)

if(QUILLMOTH_WARNINGS_AS_ERRORS)
  target_compile_options(quillmoth_options INTERFACE -Werror)
endif()

if(QUILLMOTH_SANITIZE)
  target_compile_options(quillmoth_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(quillmoth_options INTERFACE -fsanitize=address,undefined)
endif()

if(QUILLMOTH_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang (libFuzzer); use the asan preset")
  endif()
  # Coverage instrumentation for every library; the fuzz executables add the
  # libFuzzer driver themselves.
  target_compile_options(quillmoth_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
