# The demo's --explain: it must succeed, print the puzzle and at least a step and a single, and
# save a picture taller than the board alone, since the text lies under the board.
# Run with -DDEMO=<program> -DPUZZLE=<81 digits> -DSHOT=<png file>.
file(REMOVE ${SHOT})
execute_process(COMMAND ${DEMO} --explain --screenshot ${SHOT} ${PUZZLE}
                RESULT_VARIABLE Result OUTPUT_VARIABLE Output ERROR_VARIABLE Errors)
if(NOT Result EQUAL 0)
  message(FATAL_ERROR "exit ${Result}: ${Errors}")
endif()
string(REGEX MATCHALL "[^\n]+" Lines "${Output}")
list(LENGTH Lines Count)
list(GET Lines 0 First)
if(NOT First STREQUAL "${PUZZLE}" OR Count LESS 3)
  message(FATAL_ERROR "expected the puzzle, then a line for the step and the single:\n${Output}")
endif()
if(NOT EXISTS ${SHOT})
  message(FATAL_ERROR "no picture written")
endif()
# The PNG header gives the height at bytes 20 to 23.
file(READ ${SHOT} Height OFFSET 20 LIMIT 4 HEX)
math(EXPR Height "0x${Height}")
if(Height LESS_EQUAL 485)
  message(FATAL_ERROR "the picture is ${Height} pixels high: no text under the board")
endif()
