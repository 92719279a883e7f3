# BLAKE3, the picture cache's key: compiled from the C implementation in Debian's
# librust-blake3-dev, which tools/setup.sh unpacks into third_party/blake3. Its x86-64
# assembly picks SSE2, SSE4.1, AVX2 or AVX-512 at run time (GCC's intrinsics are not used on
# Windows: MinGW does not align the stack for AVX).
set(VANTOREL_BLAKE3_DIR ${CMAKE_SOURCE_DIR}/third_party/blake3/c)
if(NOT EXISTS ${VANTOREL_BLAKE3_DIR}/blake3.c)
  message(FATAL_ERROR "BLAKE3's source is missing from ${VANTOREL_BLAKE3_DIR}: run tools/setup.sh, "
                      "which fetches it from Debian's librust-blake3-dev package")
endif()
enable_language(ASM)
if(WIN32)
  set(blake3_assembly_flavour windows_gnu)
else()
  set(blake3_assembly_flavour unix)
endif()
set(blake3_sources blake3.c blake3_dispatch.c blake3_portable.c)
foreach(level sse2 sse41 avx2 avx512)
  list(APPEND blake3_sources blake3_${level}_x86-64_${blake3_assembly_flavour}.S)
endforeach()
list(TRANSFORM blake3_sources PREPEND ${VANTOREL_BLAKE3_DIR}/)
add_library(vantorel_blake3 STATIC ${blake3_sources})
target_include_directories(vantorel_blake3 SYSTEM PUBLIC ${VANTOREL_BLAKE3_DIR})
# Third-party code: no warnings from it.
target_compile_options(vantorel_blake3 PRIVATE $<$<COMPILE_LANGUAGE:C>:-w>)
