# The baker's own parts are tested directly (the test support library
# already links them).
target_link_libraries(tools_tests PRIVATE tidewell_levels)
