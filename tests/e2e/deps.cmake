# The end-to-end test starts the built game and reads the X display itself.
find_package(X11 REQUIRED)
target_link_libraries(e2e_tests PRIVATE X11::X11)
add_dependencies(e2e_tests tidewell)
