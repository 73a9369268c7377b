# The WebAssembly build does what the native one does:
#   - its pack tool draws the demo, in Japanese and in English, byte for byte as the
#     native one does: no picture, sound or text depends on the platform;
#   - its game, on that demo, prints the same standard output and error and writes the
#     same text log and screenshots as the native game on its own, for the same replays.
#   cmake -DNATIVE_PACK=<shirakaba-pack> -DNATIVE_GAME=<shirakaba> -DWEB_PACK=<.js> -DWEB_GAME=<.js>
#         -DRUNNER=<node> -DSOURCE=<source dir> -DWORK=<dir> -P web_same_output.cmake
foreach(program "${WEB_PACK}" "${WEB_GAME}")
  if(NOT EXISTS "${program}")
    message(FATAL_ERROR "${program} is not built")
  endif()
endforeach()
set(native_pack "${NATIVE_PACK}")
set(web_pack ${RUNNER} "${WEB_PACK}")
set(native_game "${NATIVE_GAME}")
set(web_game ${RUNNER} "${WEB_GAME}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    string(JOIN " " shown ${ARGN})
    message(FATAL_ERROR "${shown} failed (${rc}):\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# Every file under WORK/native/<sub> and WORK/web/<sub> the same; else appended to `bad`.
function(compare_trees sub)
  file(GLOB_RECURSE files RELATIVE "${WORK}/native/${sub}" "${WORK}/native/${sub}/*")
  file(GLOB_RECURSE web_files RELATIVE "${WORK}/web/${sub}" "${WORK}/web/${sub}/*")
  if(NOT files STREQUAL web_files)
    string(APPEND bad "  ${sub}: other files: ${files} / ${web_files}\n")
  endif()
  foreach(f IN LISTS files)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/native/${sub}/${f}" "${WORK}/web/${sub}/${f}"
      RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
      string(APPEND bad "  ${sub}/${f} differs\n")
    endif()
  endforeach()
  set(bad "${bad}" PARENT_SCOPE)
endfunction()

set(bad "")
file(REMOVE_RECURSE "${WORK}")
foreach(build native web)
  foreach(lang ja en)
    run(${${build}_pack} demo --lang ${lang} "${WORK}/${build}/demo-${lang}")
  endforeach()
  foreach(replay whole_game calendar_office_talk)
    set(file "${SOURCE}/tests/replays/${replay}.replay")
    file(STRINGS "${file}" seed REGEX "^#! seed ")
    string(REGEX REPLACE "^#! seed " "" seed "${seed}")
    file(MAKE_DIRECTORY "${WORK}/${build}/${replay}/shots")
    run(${${build}_game} --headless --data "${WORK}/${build}/demo-ja" --seed ${seed} --replay "${file}"
      --shots "${WORK}/${build}/${replay}/shots" --text-log "${WORK}/${build}/${replay}/text.log")
    file(WRITE "${WORK}/${build}/${replay}/stdout" "${out}")
    file(WRITE "${WORK}/${build}/${replay}/stderr" "${err}")
  endforeach()
endforeach()
foreach(sub demo-ja demo-en whole_game calendar_office_talk)
  compare_trees(${sub})
endforeach()
if(NOT bad STREQUAL "")
  message(FATAL_ERROR "the WebAssembly build does otherwise than the native one (in ${WORK}):\n${bad}")
endif()
