# Runs one headless replay as a CTest test.
#
#   cmake -DGAME=<game> -DPACKTOOL=<shirakaba-pack> -DREPLAY=<file.replay> -DSOURCE=<source dir>
#         -DWORK=<scratch dir> -P run_replay.cmake
#
# The replay's leading comment lines may hold directives:
#   #! data demo          the demo game (shirakaba-pack demo), made once into WORK/game and kept
#   #! data demo-en       the same in English (shirakaba-pack demo --lang en)
#   #! data none          an empty game folder: no pack, no sounds, no readme
#   #! data fixture NAME  WORK/game/data/lumora.red packed from SOURCE/tests/fixtures/NAME
#                         (000.bmp..127.bmp and script.txt), rebuilt on every run
#   #! data script FILE   the demo game with its script replaced by SOURCE/FILE: the demo pack
#                         is taken apart, script.txt swapped and packed again; the simplest way
#                         to run a scene of one's own on real pictures
#   #! seed N             --seed N for the random draws (without it: seeded from the clock)
#   #! golden DIR         every shot must equal, pixel for pixel, the PNG of the same name in
#                         SOURCE/DIR, and every PNG there must have been shot. To take new
#                         golden images after an intended change of the pictures or screens:
#                         SHIRAKABA_REBASELINE=1 ctest -R replay_<name>   (then look at them)
# Without a data directive the game folder is empty, as with "none".
#
# With -DSPLIT_AT=N the replay runs in two processes: the first plays lines 1..N-1 and
# saves the game, the second loads that save and plays from line N on. Shots and
# expectations of both together must pass as in one run.
# The game then runs in WORK with the shots in WORK/shots and the screen text in
# WORK/text.log; a non-zero exit, or a run that never created the text log, fails the
# test and shows everything the game printed.
#
# Another build of the game (the WebAssembly one, scripts/web.sh):
#   -DRUNNER=<node>        GAME and PACKTOOL are scripts that RUNNER runs
#   -DSECOND_GAME=<game> -DSECOND_RUNNER=<node or empty>
#                          with SPLIT_AT, the second process is this game: a save made
#                          by one build loads in the other
# A GAME, PACKTOOL or SECOND_GAME that does not exist fails with "... is not built".

foreach(var GAME PACKTOOL REPLAY SOURCE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_replay.cmake needs -D${var}=...")
  endif()
endforeach()
foreach(program "${GAME}" "${PACKTOOL}" "${SECOND_GAME}")
  if(NOT program STREQUAL "" AND NOT EXISTS "${program}")
    message(FATAL_ERROR "${program} is not built")
  endif()
endforeach()
set(game_command ${RUNNER} "${GAME}")
set(packtool_command ${RUNNER} "${PACKTOOL}")
if(DEFINED SECOND_GAME)
  set(second_game_command ${SECOND_RUNNER} "${SECOND_GAME}")
else()
  set(second_game_command ${game_command})
endif()

# ---- Directives from the leading comment lines ----
file(STRINGS "${REPLAY}" lines ENCODING UTF-8)
set(data_kind none)
set(data_arg "")
set(seed "")
set(golden "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^#")
    break()
  endif()
  if(line MATCHES "^#![ \t]*data[ \t]+(demo|demo-en|none)[ \t]*$")
    set(data_kind ${CMAKE_MATCH_1})
  elseif(line MATCHES "^#![ \t]*data[ \t]+(fixture|script)[ \t]+([^ \t]+)[ \t]*$")
    set(data_kind ${CMAKE_MATCH_1})
    set(data_arg ${CMAKE_MATCH_2})
  elseif(line MATCHES "^#![ \t]*seed[ \t]+([0-9]+)[ \t]*$")
    set(seed ${CMAKE_MATCH_1})
  elseif(line MATCHES "^#![ \t]*golden[ \t]+([^ \t]+)[ \t]*$")
    set(golden "${SOURCE}/${CMAKE_MATCH_1}")
  elseif(line MATCHES "^#!")
    message(FATAL_ERROR "${REPLAY}: unknown directive: ${line}")
  endif()
endforeach()

function(run_packtool)
  string(JOIN " " shown ${ARGN})
  execute_process(COMMAND ${packtool_command} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "shirakaba-pack ${shown} failed (${rc}):\n${out}${err}")
  endif()
endfunction()

# ---- The game folder ----
set(game "${WORK}/game")
set(stamp "${WORK}/game.data")
# The pack tool's time stamp is part of the key: a rebuilt tool draws the demo anew.
file(TIMESTAMP "${PACKTOOL}" tool_stamp)
set(wanted "${data_kind} ${data_arg} ${tool_stamp}")
set(have "")
if(EXISTS "${stamp}")
  file(READ "${stamp}" have)
endif()

if(data_kind STREQUAL "demo" OR data_kind STREQUAL "demo-en")
  # The demo takes a while to draw; it is kept between runs.
  if(NOT (EXISTS "${game}/data/lumora.red" AND have STREQUAL wanted))
    file(REMOVE_RECURSE "${game}")
    file(MAKE_DIRECTORY "${game}")
    if(data_kind STREQUAL "demo-en")
      run_packtool(demo --lang en "${game}")
    else()
      run_packtool(demo "${game}")
    endif()
  endif()
elseif(data_kind STREQUAL "none")
  file(REMOVE_RECURSE "${game}")
  file(MAKE_DIRECTORY "${game}")
elseif(data_kind STREQUAL "fixture")
  set(fixture "${SOURCE}/tests/fixtures/${data_arg}")
  if(NOT IS_DIRECTORY "${fixture}")
    message(FATAL_ERROR "${REPLAY}: no fixture ${fixture}")
  endif()
  file(REMOVE_RECURSE "${game}")
  file(MAKE_DIRECTORY "${game}/data")
  run_packtool(build "${fixture}" "${game}/data/lumora.red")
elseif(data_kind STREQUAL "script")
  set(script "${SOURCE}/${data_arg}")
  if(NOT EXISTS "${script}")
    message(FATAL_ERROR "${REPLAY}: no script ${script}")
  endif()
  set(base "${WORK}/demo")
  if(NOT EXISTS "${base}/data/lumora.red")
    file(REMOVE_RECURSE "${base}")
    file(MAKE_DIRECTORY "${base}")
    run_packtool(demo "${base}")
  endif()
  file(REMOVE_RECURSE "${game}" "${WORK}/pictures")
  file(COPY "${base}/" DESTINATION "${game}")
  run_packtool(extract "${base}/data/lumora.red" "${WORK}/pictures")
  file(COPY_FILE "${script}" "${WORK}/pictures/script.txt")
  run_packtool(build "${WORK}/pictures" "${game}/data/lumora.red")
endif()
file(WRITE "${stamp}" "${wanted}")

# ---- The run ----
file(REMOVE_RECURSE "${WORK}/shots")
file(MAKE_DIRECTORY "${WORK}/shots")
file(REMOVE "${WORK}/text.log")
# A user folder of its own, empty at the start: slots and pages read never touch the
# user's own.
file(REMOVE_RECURSE "${WORK}/user")
set(args --headless --data "${game}" --replay "${REPLAY}" --shots "${WORK}/shots" --text-log "${WORK}/text.log"
    --user-dir "${WORK}/user")
if(NOT seed STREQUAL "")
  list(APPEND args --seed ${seed})
endif()
# In a split run a refused save or load (a line beginning "save:" or "load:") fails too.
function(run_game command replay_file strict)
  execute_process(COMMAND ${${command}} ${args} --replay "${replay_file}"
    WORKING_DIRECTORY "${WORK}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
    TIMEOUT 600)
  if(NOT rc EQUAL 0 OR (strict AND err MATCHES "(^|\n)(save|load):"))
    message(FATAL_ERROR "replay ${replay_file} failed (exit ${rc}):\n--- stdout ---\n${out}\n--- stderr ---\n${err}")
  endif()
endfunction()

list(REMOVE_ITEM args --replay "${REPLAY}")
if(DEFINED SPLIT_AT)
  file(READ "${REPLAY}" text)
  if(text MATCHES ";")
    message(FATAL_ERROR "${REPLAY}: a replay with ';' cannot be split here")
  endif()
  string(REPLACE "\n" ";" all_lines "${text}")
  list(LENGTH all_lines count)
  math(EXPR first_count "${SPLIT_AT} - 1")
  list(SUBLIST all_lines 0 ${first_count} first_part)
  list(SUBLIST all_lines ${first_count} -1 second_part)
  list(JOIN first_part "\n" first_text)
  list(JOIN second_part "\n" second_text)
  file(WRITE "${WORK}/first.replay" "${first_text}\nsave ${WORK}/resume.sav\n")
  file(WRITE "${WORK}/second.replay" "load ${WORK}/resume.sav\n${second_text}\n")
  file(REMOVE "${WORK}/resume.sav")
  run_game(game_command "${WORK}/first.replay" TRUE)
  if(NOT EXISTS "${WORK}/resume.sav")
    message(FATAL_ERROR "replay ${REPLAY}: the first part wrote no save")
  endif()
  list(REMOVE_ITEM args --text-log "${WORK}/text.log")
  list(APPEND args --text-log "${WORK}/text2.log")
  run_game(second_game_command "${WORK}/second.replay" TRUE)
else()
  run_game(game_command "${REPLAY}" FALSE)
endif()
# ---- Golden images ----
if(NOT golden STREQUAL "")
  file(GLOB shots RELATIVE "${WORK}/shots" "${WORK}/shots/*.png")
  if("$ENV{SHIRAKABA_REBASELINE}" STREQUAL "1")
    file(GLOB old "${golden}/*.png")
    if(old)
      file(REMOVE ${old})
    endif()
    file(MAKE_DIRECTORY "${golden}")
    foreach(f IN LISTS shots)
      file(COPY_FILE "${WORK}/shots/${f}" "${golden}/${f}")
    endforeach()
    list(LENGTH shots n)
    message(STATUS "replay ${REPLAY}: ${n} golden images written to ${golden}")
  else()
    file(GLOB wanted_shots RELATIVE "${golden}" "${golden}/*.png")
    set(bad "")
    foreach(f IN LISTS wanted_shots)
      if(NOT EXISTS "${WORK}/shots/${f}")
        string(APPEND bad "  ${f}: not shot\n")
        continue()
      endif()
      execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/shots/${f}" "${golden}/${f}"
        RESULT_VARIABLE same)
      if(NOT same EQUAL 0)
        string(APPEND bad "  ${f}: differs (see ${WORK}/shots/${f})\n")
      endif()
    endforeach()
    foreach(f IN LISTS shots)
      if(NOT EXISTS "${golden}/${f}")
        string(APPEND bad "  ${f}: no golden image\n")
      endif()
    endforeach()
    if(NOT bad STREQUAL "")
      message(FATAL_ERROR "replay ${REPLAY}: screenshots differ from ${golden}:\n${bad}"
        "If the change is intended: SHIRAKABA_REBASELINE=1 ctest -R replay_<name>, then look at the new images.")
    endif()
  endif()
endif()
message(STATUS "replay ${REPLAY} passed")
