# Tests of the imaging layer: pictures, text drawing, colours, the wave player.
add_executable(imaging_tests
  colors_test.cpp
  imaging_test.cpp
  text_drawing_test.cpp
  wave_player_test.cpp
  widget_test_main.cpp
)
target_link_libraries(imaging_tests PRIVATE
  quillmoth::platform GTest::gtest Qt6::Test Qt6::Widgets quillmoth::options)
gtest_discover_tests(imaging_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
