# The sound tests capture real output through ALSA and make their own test
# tones with the synthesiser.
target_sources(sound_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/audio_capture.cpp)
target_link_libraries(sound_tests PRIVATE tidewell_synth)
