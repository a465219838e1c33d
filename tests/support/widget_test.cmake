# A widget test on Qt's offscreen platform. The test program makes its own scratch folder
# (tests/support/test_main.h), holding copies of the play pictures drawn into TAPDASH_PICTURES_DIR.
function(add_widget_test name)
  add_executable(${name} ${name}.cpp ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/support)
  target_link_libraries(${name} PRIVATE tapdash_game Qt6::Test)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_precompile_headers(${name} REUSE_FROM tapdash_ui)
  target_compile_definitions(${name} PRIVATE TAPDASH_PICTURES_DIR="${TAPDASH_PICTURES_DIR}")
  add_dependencies(${name} play_folder)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
