# Verifies one demo: the game's verifier runs in a scratch folder that links
# the baked data, and must report the demo's level won. The file's name
# must be the level it plays, so no level passes on another one's demo.
#   cmake -DGAME=... -DGAME_DIR=... -DDEMO=... -DSCRATCH=... -P verify_demo.cmake
get_filename_component(name ${DEMO} NAME_WE)
if(NOT name MATCHES "^[0-9]+$")
  message(FATAL_ERROR "${DEMO}: a demo is named after its level number, e.g. 07.demo")
endif()
math(EXPR level "${name}")
file(STRINGS ${DEMO} header REGEX "^level " LIMIT_COUNT 1)
if(NOT header STREQUAL "level ${level}")
  message(FATAL_ERROR "${DEMO}: plays '${header}', not level ${level}")
endif()

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
foreach(item dat sfx mus credits.txt)
  file(CREATE_LINK ${GAME_DIR}/${item} ${SCRATCH}/${item} SYMBOLIC)
endforeach()
execute_process(COMMAND ${GAME} --verify-demo ${DEMO} WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE status)
file(REMOVE_RECURSE ${SCRATCH})
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${DEMO} does not win level ${level} (status ${status})")
endif()
