# Installs the build into a scratch prefix and runs a headless replay with the
# installed program, from a folder without data and with no --data: it must find
# the installed demo by itself. Then the prefix is moved and the run repeated.
#
#   cmake -DBUILD=<build dir> -DWORK=<scratch dir> -DREPLAY=<file.replay> -P install_test.cmake

foreach(var BUILD WORK REPLAY)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "install_test.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
set(prefix "${WORK}/prefix")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}${err}")
endif()

foreach(f bin/shirakaba bin/shirakaba-pack share/shirakaba/demo/data/lumora.red
          share/applications/shirakaba.desktop share/icons/hicolor/scalable/apps/shirakaba.svg)
  if(NOT EXISTS "${prefix}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

function(run_installed prefix label)
  set(empty "${WORK}/${label}/cwd")
  file(MAKE_DIRECTORY "${empty}" "${WORK}/${label}/shots")
  execute_process(
    COMMAND "${prefix}/bin/shirakaba" --headless --replay "${REPLAY}"
      --shots "${WORK}/${label}/shots" --text-log "${WORK}/${label}/text.log"
    WORKING_DIRECTORY "${empty}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 300)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${label}: the installed program failed (exit ${rc}):\n${out}\n${err}")
  endif()
  if(err MATCHES "no game data found")
    message(FATAL_ERROR "${label}: the installed demo was not found:\n${err}")
  endif()
endfunction()

run_installed("${prefix}" installed)
file(RENAME "${prefix}" "${WORK}/moved")
run_installed("${WORK}/moved" moved)
message(STATUS "installed program found its demo in both places")
