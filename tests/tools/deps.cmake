# The baker's own parts are tested directly (the test support library
# already links them); the level preview draws levels of the level fixture.
target_link_libraries(tools_tests PRIVATE tidewell_levels tidewell_level_preview tidewell_synth tidewell_routes)
target_sources(tools_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../game/level_fixture.cpp
                                   ${CMAKE_CURRENT_LIST_DIR}/../sound/audio_capture.cpp)
