# Writes OUT, a script with every picture of SVGS on one SVG sheet, stacked top to
# bottom, and the place of each on it by name. The browser reads one SVG document
# in a fraction of the time it takes to read the pictures one by one, and a picture
# drawn from its place on the sheet is as sharp as one drawn on its own.
#   cmake "-DSVGS=a.svg;b.svg" -DOUT=pictures.js -P bundle_pictures.cmake
set(gap 2)  # empty rows between pictures, so that no edge picks up its neighbour's
set(top 0)
set(widest 0)
set(sheet "")
set(places "")
foreach(svg IN LISTS SVGS)
  get_filename_component(name ${svg} NAME_WE)
  file(READ ${svg} source)
  string(REGEX MATCH "<svg [^>]*>" root "${source}")
  string(REGEX MATCH " width=\"([0-9]+)\"" _ "${root}")
  set(width ${CMAKE_MATCH_1})
  string(REGEX MATCH " height=\"([0-9]+)\"" _ "${root}")
  set(height ${CMAKE_MATCH_1})
  if(NOT width OR NOT height)
    message(FATAL_ERROR "${svg}: its <svg> element gives no whole width and height in pixels")
  endif()
  string(REPLACE "<svg " "<svg x=\"0\" y=\"${top}\" " placed "${source}")
  string(APPEND sheet "${placed}")
  string(APPEND places "  \"${name}\": [0, ${top}, ${width}, ${height}],\n")
  math(EXPR top "${top} + ${height} + ${gap}")
  if(width GREATER widest)
    set(widest ${width})
  endif()
endforeach()
set(sheet "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"${widest}\" height=\"${top}\">\n${sheet}</svg>\n")
string(REPLACE "\\" "\\\\" sheet "${sheet}")
string(REPLACE "\"" "\\\"" sheet "${sheet}")
string(REPLACE "\r" "" sheet "${sheet}")
string(REPLACE "\t" "\\t" sheet "${sheet}")
string(REPLACE "\n" "\\n" sheet "${sheet}")
file(WRITE ${OUT} "// The game's pictures on one SVG sheet, and each one's place on it (left, top, width,
// height) by name. Made by the build; do not edit.
var kraxPictureSheet = \"${sheet}\";
var kraxPicturePlaces = {
${places}};
")
