# The shop and the demos are tested over levels played through the game
# tests' fixture; the demo tests also run the built game's verifier.
target_sources(flow_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../game/level_fixture.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/../sound/audio_capture.cpp)
target_link_libraries(flow_tests PRIVATE tidewell_levels tidewell_synth)
add_dependencies(flow_tests tidewell)
