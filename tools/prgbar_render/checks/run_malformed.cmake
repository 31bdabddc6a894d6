# Feeds the tool one malformed case file after another and checks that each is refused with
# exit status 2 and a message naming the file, the line and the fault.
set(good "ok 10 10 0 0 50 0 0 0x006A240A 0 4 none 0 1")
set(checks
  "${good}\nbig 4097 10 0 0 50 0 0 0 0 4 none 0 1|line 2: width must lie in 0 to 4096"
  "# comment\n\nneg 10 -1 0 0 50 0 0 0 0 4 none 0 1|line 3: height must lie in 0 to 4096"
  "short 10 10 0 0 50 0 0 0 0 4 none 0|line 1: expected 14 fields.*found 13"
  "${good}\n${good}|line 2: id \"ok\" is used twice"
  "../up 10 10 0 0 50 0 0 0 0 4 none 0 1|line 1: id \"../up\" cannot be a file name"
  "a/b 10 10 0 0 50 0 0 0 0 4 none 0 1|line 1: id \"a/b\" cannot be a file name"
  "x 10 10 0 0 2147483648 0 0 0 0 4 none 0 1|line 1: value out of the 32-bit range"
  "x 10 10 0 0 5x 0 0 0 0 4 none 0 1|line 1: value is not a whole number"
  "x 10 10 0 0 5 0 0 0x1FFFFFFFF 0 4 none 0 1|line 1: color has more than 32 bits"
  "x 10 10 0 0 5 0 0 0xZZ 0 4 none 0 1|line 1: color is not a hex number"
  "x 10 10 0 0 5 0 0 0 0x 4 none 0 1|line 1: color2 is not a hex number"
  "x 10 10 0 0 5 0 0 0 0 4 bmp 0 1|line 1: image must be none, pat8 or odd53"
  "x 10 10 0 0 5 0 0 0 0 4 none 0 1001|line 1: repaints must lie in 0 to 1000")
set(index 0)
foreach(check IN LISTS checks)
  string(FIND "${check}" "|" bar REVERSE)
  string(SUBSTRING "${check}" 0 ${bar} text)
  math(EXPR start "${bar} + 1")
  string(SUBSTRING "${check}" ${start} -1 expected)
  set(file ${OUT}/malformed-${index}.cases)
  file(WRITE ${file} "${text}\n")
  execute_process(COMMAND ${TOOL} ${file} ${OUT}/pictures RESULT_VARIABLE result
                  ERROR_VARIABLE errors)
  if(NOT result EQUAL 2 OR NOT errors MATCHES "malformed-${index}.cases, ${expected}")
    message(FATAL_ERROR "case file ${index}: status ${result}, message: ${errors}"
                        "expected: ${expected}")
  endif()
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE ${OUT}/colours.txt "13 0x0000FF\nthirteen 0x00FF00\n")
execute_process(COMMAND ${TOOL} ${OUT}/malformed-0.cases ${OUT}/pictures --syscolors ${OUT}/colours.txt
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 2 OR NOT errors MATCHES "colours.txt, line 2: index is not a whole number")
  message(FATAL_ERROR "system colour table: status ${result}, message: ${errors}")
endif()
message(STATUS "${index} malformed case files refused")
