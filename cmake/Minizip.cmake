# minizip is built from Debian's zlib sources, which scripts/setup fetches into .deps/.
set(TIDREX_MINIZIP_DIR ${PROJECT_SOURCE_DIR}/.deps/minizip)
if(NOT EXISTS ${TIDREX_MINIZIP_DIR}/zip.c)
  message(FATAL_ERROR "minizip sources missing in ${TIDREX_MINIZIP_DIR}: run scripts/setup")
endif()
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
# iowin32.c is the Windows file access; the native build (tests, fuzzers) reads from memory only.
add_library(minizip STATIC
  ${TIDREX_MINIZIP_DIR}/ioapi.c ${TIDREX_MINIZIP_DIR}/zip.c ${TIDREX_MINIZIP_DIR}/unzip.c
  $<$<BOOL:${WIN32}>:${TIDREX_MINIZIP_DIR}/iowin32.c>)
target_include_directories(minizip SYSTEM PUBLIC ${TIDREX_MINIZIP_DIR})
target_compile_definitions(minizip PRIVATE NOCRYPT NOUNCRYPT)
target_compile_options(minizip PRIVATE -w)
target_link_libraries(minizip PUBLIC ZLIB::ZLIB)
