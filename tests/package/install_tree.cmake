# Installs the build into a fresh scratch prefix, as a package build would.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE _result OUTPUT_QUIET)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "install into ${PREFIX} failed: ${_result}")
endif()
