# giflib, the GIF writer: the native build links Debian's libgif-dev; the Windows build
# compiles the encoder's files from the source of Debian's package, which tools/setup.sh
# fetches into third_party/giflib (Debian ships no MinGW build of it).
if(WIN32)
  set(VANTOREL_GIFLIB_DIR ${CMAKE_SOURCE_DIR}/third_party/giflib)
  if(NOT EXISTS ${VANTOREL_GIFLIB_DIR}/egif_lib.c)
    message(FATAL_ERROR "giflib's source is missing from ${VANTOREL_GIFLIB_DIR}: run tools/setup.sh, "
                        "which fetches Debian's giflib source package there")
  endif()
  add_library(vantorel_gif STATIC ${VANTOREL_GIFLIB_DIR}/egif_lib.c ${VANTOREL_GIFLIB_DIR}/gif_err.c
              ${VANTOREL_GIFLIB_DIR}/gif_hash.c ${VANTOREL_GIFLIB_DIR}/gifalloc.c
              ${VANTOREL_GIFLIB_DIR}/openbsd-reallocarray.c)
  target_include_directories(vantorel_gif SYSTEM PUBLIC ${VANTOREL_GIFLIB_DIR})
  target_compile_options(vantorel_gif PRIVATE -w)
else()
  find_path(VANTOREL_GIF_INCLUDE gif_lib.h REQUIRED)
  # The static library first: the native tool is linked statically.
  find_library(VANTOREL_GIF_LIBRARY NAMES libgif.a gif REQUIRED)
  add_library(vantorel_gif INTERFACE)
  target_include_directories(vantorel_gif SYSTEM INTERFACE ${VANTOREL_GIF_INCLUDE})
  target_link_libraries(vantorel_gif INTERFACE ${VANTOREL_GIF_LIBRARY})
endif()
