# Writes OUT: a C++ source holding the PNG files NAME.png and NAME@2x.png of PNG_DIR
# for every NAME in NAMES, as byte arrays.
set(arrays "")
set(rows "")
foreach(name IN LISTS NAMES)
  foreach(variant 1 2)
    if(variant EQUAL 1)
      set(file ${PNG_DIR}/${name}.png)
    else()
      set(file ${PNG_DIR}/${name}@2x.png)
    endif()
    file(READ ${file} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND arrays "const unsigned char ${name}_${variant}[] = {${bytes}};\n")
  endforeach()
  string(APPEND rows "    {\"${name}\", ${name}_1, ${name}_2},\n")
endforeach()
list(LENGTH NAMES count)
file(WRITE ${OUT} "// Generated from pictures/*.svg; do not edit.
#include \"pictures/pictures.hpp\"

#include <array>

namespace pictures {
namespace {
${arrays}
const std::array<Picture, ${count}> kAll = {{
${rows}}};
}  // namespace

std::span<const Picture> all() { return kAll; }

}  // namespace pictures
")
