# Expands picture references in a stored window description (text form):
#   Picture.Data = @@PICTURE TJPEGImage path/to/file.jpg@@
# becomes the hex block of the picture's stream form: the graphic class name as a short string,
# the data's 32-bit size (little endian), then the file's bytes. A bitmap property's
#   Glyph.Data = @@BITMAP path/to/file.bmp@@
# becomes the 32-bit size and the file's bytes.
#
#   cmake -DIN=<description> -DOUT=<generated> -DBASE=<folder of the pictures> -P ExpandDescription.cmake

function(hex_le32 value out)
  set(bytes "")
  foreach(shift 0 8 16 24)
    math(EXPR b "(${value} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${b}" 2 -1 b)
    string(LENGTH "${b}" n)
    if(n EQUAL 1)
      set(b "0${b}")
    endif()
    string(APPEND bytes "${b}")
  endforeach()
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

file(READ ${IN} text)
while(text MATCHES "@@(PICTURE ([A-Za-z0-9_]+)|BITMAP) ([^@]+)@@")
  set(token "${CMAKE_MATCH_0}")
  set(cls "${CMAKE_MATCH_2}")
  set(path "${BASE}/${CMAKE_MATCH_3}")
  file(READ ${path} data HEX)
  string(LENGTH "${data}" hexlen)
  math(EXPR size "${hexlen} / 2")
  set(head "")
  if(NOT cls STREQUAL "")
    string(LENGTH "${cls}" clslen)
    hex_le32(${clslen} lenhex)
    string(SUBSTRING "${lenhex}" 0 2 lenhex)
    string(HEX "${cls}" clshex)
    set(head "${lenhex}${clshex}")
  endif()
  hex_le32(${size} sizehex)
  string(TOUPPER "${head}${sizehex}${data}" all)
  # 64 hex digits a line, indented under the property.
  string(REGEX REPLACE "([0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F])" "\\1\n      " lines "${all}")
  string(REPLACE "${token}" "{\n      ${lines}}" text "${text}")
endwhile()
file(WRITE ${OUT}.tmp "${text}")
file(RENAME ${OUT}.tmp ${OUT})
