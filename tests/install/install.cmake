# Installs the build into a scratch DESTDIR and plays the installed game
# from there with a scratch home (install_test.sh). It opens a window, so it
# runs alone, as the window suites do.
add_test(NAME Install.PlayerFilesGoToTheXdgFolders
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}
                 ${CMAKE_CURRENT_BINARY_DIR}/install-run)
set_tests_properties(Install.PlayerFilesGoToTheXdgFolders PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)
