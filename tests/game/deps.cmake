# Level tests compile their own small level sources with the level compiler
# and play the game's sounds through ALSA's recording device.
target_sources(game_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/level_fixture.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/../sound/audio_capture.cpp)
target_include_directories(game_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(game_tests PRIVATE tidewell_levels tidewell_synth)
