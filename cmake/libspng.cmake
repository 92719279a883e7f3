# libspng, the PNG decoder: compiled from the source of Debian's package, which
# tools/setup.sh fetches into third_party/libspng (Debian ships no MinGW build of it). Both
# builds link it statically, against Debian's zlib (zlib1g-dev natively, libz-mingw-w64-dev
# for Windows).
set(VANTOREL_SPNG_DIR ${CMAKE_SOURCE_DIR}/third_party/libspng)
if(NOT EXISTS ${VANTOREL_SPNG_DIR}/spng/spng.c)
  message(FATAL_ERROR "libspng's source is missing from ${VANTOREL_SPNG_DIR}: run tools/setup.sh, "
                      "which fetches Debian's libspng source package there")
endif()
add_library(vantorel_spng STATIC ${VANTOREL_SPNG_DIR}/spng/spng.c)
# SPNG_STATIC: no dllimport/dllexport on Windows.
target_compile_definitions(vantorel_spng PUBLIC SPNG_STATIC)
target_include_directories(vantorel_spng SYSTEM PUBLIC ${VANTOREL_SPNG_DIR}/spng)
# Third-party code: no warnings from it; its arithmetic wraps as on every machine we build
# for, so the sanitizers check only that every access stays inside its buffer.
set(spng_options -w -fwrapv)
if(VANTOREL_SANITIZE OR VANTOREL_FUZZ)
  list(APPEND spng_options -fno-sanitize=shift,signed-integer-overflow)
endif()
target_compile_options(vantorel_spng PRIVATE ${spng_options})
# Static everywhere: the native tool is linked statically too.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
target_link_libraries(vantorel_spng PUBLIC ZLIB::ZLIB)
if(NOT WIN32)
  target_link_libraries(vantorel_spng PUBLIC m)
endif()
