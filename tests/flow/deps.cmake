# The shop is tested over a level played through the game tests' fixture.
target_sources(flow_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../game/level_fixture.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/../sound/audio_capture.cpp)
target_link_libraries(flow_tests PRIVATE tidewell_levels tidewell_synth)
