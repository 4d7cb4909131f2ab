# Writes the access file "qfsys.fil" of a fresh installation: 306 bytes in which no
# level has a password. Per level the record holds a length byte and a string of 100
# characters that carries the level's no-password marker at the password's position
# (2 x level + 18), the other characters being random letters and digits.
#
#   cmake -DACCESS_FILE=<folder>/qfsys.fil -P WriteFreshAccessFile.cmake
#
# An existing file is left as it is: it may hold passwords installed since.
cmake_minimum_required(VERSION 3.25)

if(NOT ACCESS_FILE)
  message(FATAL_ERROR "ACCESS_FILE is not set")
endif()
if(EXISTS "${ACCESS_FILE}")
  return()
endif()

# The level's string: filler, the marker at its position, filler up to 100 characters.
function(fresh_password_text level marker result)
  math(EXPR before "2 * ${level} + 17")
  string(LENGTH "${marker}" marker_length)
  math(EXPR after "100 - ${before} - ${marker_length}")
  string(RANDOM LENGTH ${before} head)
  string(RANDOM LENGTH ${after} tail)
  set(${result} "${head}${marker}${tail}" PARENT_SCOPE)
endfunction()

fresh_password_text(1 "7kd2w" text1)
fresh_password_text(2 "mZ4t9ab" text2)
fresh_password_text(3 "p31xne" text3)

# The three length bytes (the markers' lengths) and the strings' length byte, 100.
string(ASCII 5 7 6 lengths)
string(ASCII 100 text_length)

file(WRITE "${ACCESS_FILE}"
  "${lengths}${text_length}${text1}${text_length}${text2}${text_length}${text3}")

file(SIZE "${ACCESS_FILE}" size)
if(NOT size EQUAL 306)
  file(REMOVE "${ACCESS_FILE}")
  message(FATAL_ERROR "${ACCESS_FILE}: written ${size} bytes instead of 306")
endif()
