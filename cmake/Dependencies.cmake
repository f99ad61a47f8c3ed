# Every outside library, found once; folders link the imported targets named here.

find_package(PkgConfig REQUIRED)
find_package(ZLIB REQUIRED)
find_package(Threads REQUIRED)

# The game.
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET epoxy)
pkg_check_modules(LIBMD REQUIRED IMPORTED_TARGET libmd)
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)
pkg_check_modules(DECODERS REQUIRED IMPORTED_TARGET libmpg123 vorbisfile libopenmpt)

# The asset builder: drawing, font rasterising and the encoders of the synthesized sounds
# (LAME ships no pkg-config file).
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc vorbis ogg)
find_library(MP3LAME_LIBRARY mp3lame REQUIRED)

if(BUILD_TESTING)
  find_package(GTest REQUIRED)
  # Loudness (EBU R128) and true peak of the built sounds.
  pkg_check_modules(EBUR128 REQUIRED IMPORTED_TARGET libebur128)
  include(GoogleTest)
endif()
