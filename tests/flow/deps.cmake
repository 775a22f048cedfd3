# The demo tests play small levels through the game tests' level fixture
# and run the built game's verifier.
target_sources(flow_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../game/level_fixture.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/../sound/audio_capture.cpp)
target_link_libraries(flow_tests PRIVATE tidewell_levels tidewell_synth)
add_dependencies(flow_tests tidewell)
