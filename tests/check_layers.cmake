# Fails on any #include that runs against the layers. Each folder may include only
# from the folders below it:
#
#   programs/ (the executables' main files: the one place that sees every front end)
#   app/ (Qt window)   headless/ (replays, shots)   web/ (the page)   tools/ (pack tool, demo, monkey)
#        \                   |                        /                     |
#         +----- frontend/ (real time, aids' keys, saves by slot, events)  |
#         +------- comforts/ (rollback, skipping, auto, history) ----------+
#         +----------- saves/ (save files, slots) -------------------------+
#         +------------ game/core.h: the front door ----------------------+  (tools may go deeper: saves/, the game)
#   game/
#   screens/    (the title, the choice, the gallery, the status screen, ...)
#   calendar/   (the training state and its rules, the story events, the calendar screens)
#   engine/
#   base/
#
# The front ends see the game only through game/core.h (and game/pointer.h, which it
# includes); no folder below the front ends includes a Qt header. A front end never
# includes another one: what they share lies in frontend/.
#   cmake -DROOT=<source dir> -P check_layers.cmake

cmake_policy(SET CMP0057 NEW)
set(game_layer base/ engine/ screens/ calendar/ game/)
set(front_door game/core.h game/pointer.h)
set(allowed_base base/)
set(allowed_engine base/ engine/)
set(allowed_calendar base/ engine/ calendar/)
set(allowed_screens base/ engine/ calendar/ screens/)
set(allowed_game ${game_layer})
set(allowed_saves base/ saves/ ${front_door})
set(allowed_comforts base/ saves/ comforts/ ${front_door})
set(allowed_frontend base/ saves/ comforts/ frontend/ ${front_door})
set(allowed_headless base/ saves/ comforts/ frontend/ headless/ ${front_door})
set(allowed_app base/ saves/ comforts/ frontend/ app/ ${front_door})
set(allowed_web base/ saves/ comforts/ frontend/ web/ ${front_door})
set(allowed_programs base/ saves/ comforts/ frontend/ headless/ app/ web/ ${front_door})
set(allowed_tools ${game_layer} saves/ tools/)

set(bad "")
foreach(folder base engine screens calendar game saves comforts frontend headless app web programs tools)
  file(GLOB_RECURSE files "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(f ${files})
    file(RELATIVE_PATH rel "${ROOT}" "${f}")
    file(STRINGS "${f}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
        set(target "${CMAKE_MATCH_1}")
        # Only the project's own folders are checked; other quoted includes are local.
        # The tests' helpers (support/) are for the tests alone: no folder here may use them.
        if(NOT target MATCHES "^(base|engine|screens|calendar|game|saves|comforts|frontend|headless|app|web|programs|tools|tests|support)/")
          continue()
        endif()
        set(ok FALSE)
        foreach(prefix ${allowed_${folder}})
          string(LENGTH "${prefix}" n)
          string(SUBSTRING "${target}" 0 ${n} head)
          if(head STREQUAL prefix)
            set(ok TRUE)
          endif()
        endforeach()
        if(NOT ok)
          list(APPEND bad "${rel} includes ${target}")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]|qt)" AND NOT folder STREQUAL "app")
        list(APPEND bad "${rel} includes a Qt header: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "includes against the layers:\n  ${text}")
endif()
message(STATUS "every include follows the layers")
