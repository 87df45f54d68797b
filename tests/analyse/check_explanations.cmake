# Fresh questions of each technique (and the table questions when TABLES is
# set), explained by the tool, through the checker. TECHNIQUES (numbers
# separated by commas) and COUNT say which and how many; NEEDS makes the
# checker judge what each question needs.
if(NOT DEFINED TECHNIQUES)
  set(TECHNIQUES 1,2,3,4,5,6)
endif()
string(REPLACE "," ";" TECHNIQUES "${TECHNIQUES}")
if(NOT DEFINED COUNT)
  set(COUNT 15)
endif()
file(MAKE_DIRECTORY ${WORK})
set(questions)
foreach(technique IN LISTS TECHNIQUES)
  set(file ${WORK}/questions-${technique}.txt)
  execute_process(COMMAND ${TOOL} --generate ${COUNT} --technique ${technique}
    --seed 180${technique} OUTPUT_FILE ${file} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "generating technique ${technique} failed: ${status}")
  endif()
  list(APPEND questions ${file})
endforeach()

set(tables)
if(TABLES)
  set(tables --tables)
endif()
# A question the tool cannot explain fails it here, before the checker.
execute_process(COMMAND ${TOOL} --explain --json ${tables} ${questions}
  OUTPUT_FILE ${WORK}/explanations.jsonl RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "kumoji-analyse --explain failed: ${status}")
endif()

set(needs)
if(NEEDS)
  set(needs --needs)
endif()
execute_process(COMMAND ${PYTHON} ${CHECKER} --require-fit ${needs}
  INPUT_FILE ${WORK}/explanations.jsonl OUTPUT_VARIABLE report ERROR_VARIABLE report
  RESULT_VARIABLE status)
message("${report}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the checker found violations: ${status}")
endif()
