# Plays every route in ROUTES with the bot BOT and writes NN.demo to DEMOS;
# a route that no longer wins is named and stops the build.
file(GLOB routes ${ROUTES}/*.route)
foreach(route ${routes})
  get_filename_component(name ${route} NAME_WE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 ${BOT} ${route} ${DEMOS}/${name}.demo
                  RESULT_VARIABLE status OUTPUT_VARIABLE verdict ERROR_VARIABLE verdict)
  message(STATUS "${name}: ${verdict}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "route ${route} does not win its level")
  endif()
endforeach()
