# The main stage's tests: player control, the per-frame steps, the timetable, the renderer, the
# game over, and whole games through vormelda-sim. Included from tests/CMakeLists.txt.
include(GoogleTest)

add_executable(stage_tests
  support/stage_fixture.cpp
  support/test_files.cpp
  stage/player_control_test.cpp
  stage/movement_test.cpp
  stage/enemy_fire_test.cpp
  stage/shot_hits_test.cpp
  stage/player_hit_test.cpp
  stage/item_pickup_test.cpp
  script/stage_script_test.cpp
  render/draw_stage_test.cpp
  scenes/game_over_test.cpp
  app/stage_system_test.cpp
  app/autoplay_judge_test.cpp
  app/autoplay_test.cpp
  boss/boss_test.cpp
  scenes/ending_test.cpp
)
target_include_directories(stage_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(stage_tests PRIVATE vormelda_core vormelda_trace nlohmann_json::nlohmann_json
                                          GTest::gtest_main)
# The system tests run the built runner.
add_dependencies(stage_tests vormelda-sim)
target_compile_definitions(stage_tests PRIVATE VORMELDA_SIM_PATH="$<TARGET_FILE:vormelda-sim>"
                                                VORMELDA_GAME_DIR="${VORMELDA_GAME_DIR}")
add_dependencies(stage_tests vormelda-data)
# A hung wait fails its test instead of the whole run.
gtest_discover_tests(stage_tests DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 120)
