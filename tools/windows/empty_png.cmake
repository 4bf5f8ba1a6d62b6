# SDL2_image reads PNG files with the stb_image it carries, but its CMake, and the
# package it installs, still ask for libpng: an empty libpng stands in, for its own
# build and for the programs that find it.
if(NOT TARGET PNG::PNG)
  add_library(PNG::PNG INTERFACE IMPORTED GLOBAL)
endif()
set(PNG_FOUND TRUE)
