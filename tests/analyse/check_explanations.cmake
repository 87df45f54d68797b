# The table questions and fresh ones of each technique, explained by the tool, through the checker.
file(MAKE_DIRECTORY ${WORK})
set(questions)
foreach(technique RANGE 1 6)
  set(file ${WORK}/questions-${technique}.txt)
  execute_process(COMMAND ${TOOL} --generate 15 --technique ${technique} --seed 180${technique}
    OUTPUT_FILE ${file} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "generating technique ${technique} failed: ${status}")
  endif()
  list(APPEND questions ${file})
endforeach()

# A question the tool cannot explain fails it here, before the checker.
execute_process(COMMAND ${TOOL} --explain --json --tables ${questions}
  OUTPUT_FILE ${WORK}/explanations.jsonl RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "kumoji-analyse --explain failed: ${status}")
endif()

execute_process(COMMAND ${PYTHON} ${CHECKER} --require-fit
  INPUT_FILE ${WORK}/explanations.jsonl OUTPUT_VARIABLE report ERROR_VARIABLE report
  RESULT_VARIABLE status)
message("${report}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the checker found violations: ${status}")
endif()
