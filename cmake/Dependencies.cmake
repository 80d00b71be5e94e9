# System libraries, all from Debian's packages (scripts/install-deps.sh).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_IMAGE REQUIRED IMPORTED_TARGET SDL2_image)
pkg_check_modules(SDL2_TTF REQUIRED IMPORTED_TARGET SDL2_ttf)
pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavformat libavcodec libswresample libswscale libavutil)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)

# Debian's libsquish.pc has an empty prefix, so look for the files directly.
find_path(SQUISH_INCLUDE_DIR squish.h REQUIRED)
find_library(SQUISH_LIBRARY squish REQUIRED)
add_library(squish_lib INTERFACE)
target_include_directories(squish_lib INTERFACE ${SQUISH_INCLUDE_DIR})
target_link_libraries(squish_lib INTERFACE ${SQUISH_LIBRARY})

find_package(Qt6 COMPONENTS Widgets Test)

if(PEBBLERUN_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
if(PEBBLERUN_BENCH)
  find_package(benchmark REQUIRED)
endif()
