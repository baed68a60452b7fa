# Tests of the application folder, the built-in resources and artwork, the
# single-instance lock and the application-folder assembly.
if(NOT QUILLMOTH_WITH_QT)
  return()
endif()

# A second process for the tests that need one: it holds the instance lock,
# or writes a resource under a file-size limit so that the write fails or the
# process is killed half-way.
add_executable(app_test_helper app_test_helper.cpp)
target_link_libraries(app_test_helper PRIVATE quillmoth::platform Qt6::Core quillmoth::options)

add_executable(app_tests
  widget_test_main.cpp
  app_folder_test.cpp
  app_folder_assembly_test.cpp
  artwork_test.cpp
  create_file_test.cpp
  resource_extraction_test.cpp
  single_instance_test.cpp
)
target_link_libraries(app_tests PRIVATE
  quillmoth::platform quillmoth_app_assembly Qt6::Widgets GTest::gtest quillmoth::options)
target_compile_definitions(app_tests PRIVATE
  QUILLMOTH_APP_TEST_HELPER="$<TARGET_FILE:app_test_helper>"
  QUILLMOTH_RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources")
add_dependencies(app_tests app_test_helper)
gtest_discover_tests(app_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
