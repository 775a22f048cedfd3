# The baker's own parts are tested directly.
target_link_libraries(tools_tests PRIVATE tidewell_bake)
