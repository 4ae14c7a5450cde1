# SPDX-License-Identifier: Apache-2.0
# Writes OUTPUT, a header with the bytes of each PNG in INPUTS as an array named after NAMES.
set(text "// Generated from app/icons by embed_icons.cmake.\n#pragma once\n")
list(LENGTH INPUTS count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET INPUTS ${i} input)
  list(GET NAMES ${i} name)
  file(READ ${input} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND text "static const unsigned char ${name}[] = {${bytes}};\n")
endforeach()
file(WRITE ${OUTPUT} "${text}")
