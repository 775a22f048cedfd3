# Every level's demo, assets/demos/NN.demo (NN the level number), must win
# its level: one test per file, found by this glob, so a new demo needs no
# edit here. Each runs the built game's verifier (verify_demo.cmake).
file(GLOB DEMO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/demos/*.demo)
foreach(demo ${DEMO_FILES})
  get_filename_component(name ${demo} NAME_WE)
  add_test(NAME "Demo.${name}"
           COMMAND ${CMAKE_COMMAND} -DGAME=$<TARGET_FILE:tidewell> -DGAME_DIR=${TIDEWELL_GAME_DIR}
                   -DDEMO=${demo} -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/demo-runs/${name}
                   -P ${CMAKE_CURRENT_LIST_DIR}/verify_demo.cmake)
  set_tests_properties("Demo.${name}" PROPERTIES TIMEOUT 900)
endforeach()
