# A widget test on Qt's offscreen platform, run in a scratch folder made afresh before it: "work",
# its working directory holding copies of the play pictures, "data", its data folder, and "config",
# its config folder, so the player's own best-time record and settings are never touched.
function(add_widget_test name)
  add_executable(${name} ${name}.cpp ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  target_link_libraries(${name} PRIVATE tapdash_game Qt6::Test)
  add_dependencies(${name} play_folder)

  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/scratch/${name})
  add_test(NAME ${name}_scratch
    COMMAND ${CMAKE_COMMAND} -DSCRATCH=${scratch} -DPICTURES=${TAPDASH_PICTURES_DIR}
            -P ${CMAKE_SOURCE_DIR}/tests/support/make_scratch.cmake)
  set_tests_properties(${name}_scratch PROPERTIES FIXTURES_SETUP ${name}_scratch)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${scratch}/work)
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED ${name}_scratch
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_DATA_HOME=${scratch}/data;XDG_CONFIG_HOME=${scratch}/config")
endfunction()
