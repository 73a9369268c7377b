# The WebAssembly build (scripts/web.sh configures it with emcmake): the headless game
# as shirakaba-headless.js and the pack tool as shirakaba-pack.js, run by node on the
# real file system (NODERAWFS), with the game font bundled in fonts/ beside them.
# Included before the first target, so that every target is compiled with its options.

# Exceptions as WebAssembly has them (a replay's parse throws and catches); vectors
# for the blend and whatever the compiler finds to vectorise; memory.copy and
# memory.fill for the copies of rows and pictures (the C library's byte loops took a
# fifth of the time). The one thread_local (the BMP decoder's buffer) cannot be
# compiled with bulk memory and without atomics: that file keeps the plain copies.
add_compile_options(-fwasm-exceptions -msimd128 -mbulk-memory)
add_link_options(-fwasm-exceptions -mbulk-memory)
# The browser compiles a function with its optimising compiler once it has run for a
# while, at a cost that grows with the function's size. The linker's optimiser would
# fold every function called from one place into its caller however large (the picture
# decoder into the pack's reader: 13 KB of code compiled for a loop of a few lines);
# only small ones are folded.
add_link_options(-sBINARYEN_EXTRA_PASSES=--one-caller-inline-max-function-size=100)
set_source_files_properties(${PROJECT_SOURCE_DIR}/base/bmp.cpp PROPERTIES COMPILE_OPTIONS -mno-bulk-memory)

set(SHIRAKABA_WEB_FONT /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
  CACHE FILEPATH "The game font bundled with the WebAssembly build (fonts-ipafont-gothic)")
set(SHIRAKABA_WEB_FONT_LICENCE /usr/share/doc/fonts-ipafont-gothic/copyright
  CACHE FILEPATH "Its licence, bundled beside it")
foreach(f ${SHIRAKABA_WEB_FONT} ${SHIRAKABA_WEB_FONT_LICENCE})
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "${f} is missing: install the package fonts-ipafont-gothic")
  endif()
endforeach()
file(COPY ${SHIRAKABA_WEB_FONT} DESTINATION ${CMAKE_BINARY_DIR}/fonts)
configure_file(${SHIRAKABA_WEB_FONT_LICENCE} ${CMAKE_BINARY_DIR}/fonts/ipafont-copyright.txt COPYONLY)

# For node: the whole file system as it is, synchronous start-up (node 20's fetch
# breaks the asynchronous loader), a heap that grows, and the exit code of main.
function(shirakaba_node_program target output_name)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name} SUFFIX .js)
  target_link_options(${target} PRIVATE
    -sNODERAWFS=1 -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0 -sALLOW_MEMORY_GROWTH=1
    -sEXIT_RUNTIME=1 "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/cmake/web_node_env.js")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/web_node_env.js)
endfunction()

# For the page: an ES module that makes the game (createGame()), asynchronous start-up,
# the file system in memory (the page fills it and keeps what must last in IndexedDB),
# and no main(): the page calls the web_* functions.
function(shirakaba_page_program target)
  set_target_properties(${target} PROPERTIES SUFFIX .js)
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=web -sMODULARIZE=1 -sEXPORT_ES6=1 -sEXPORT_NAME=createGame --no-entry
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -sFORCE_FILESYSTEM=1 -sFILESYSTEM=1
    "-sEXPORTED_RUNTIME_METHODS=[FS,cwrap,UTF8ToString]")
endfunction()
