# Windows tests, run under Wine through the toolchain's emulator.

# In-process tests of the window layer: the real MainWindow in the test's own
# process, where its class, icons and brushes can be read.
add_executable(window_tests
  win32/MainWindowTest.cpp
  win32/ControlsTest.cpp
  CoreTestSupport.cpp
  ${CMAKE_SOURCE_DIR}/resources/ColourPicker.rc)
target_link_libraries(window_tests PRIVATE picker_window gtest_main)
target_link_options(window_tests PRIVATE -mconsole)
add_test(NAME window_tests COMMAND window_tests)

# End-to-end tests: the real executables driven from outside with real input.
add_library(e2e_driver STATIC e2e/Driver.cpp e2e/DriverMain.cpp)
target_link_libraries(e2e_driver PUBLIC gtest colour_core user32 gdi32)

foreach(_suite LifecycleTest PickingTest RobustnessTest)
  add_executable(${_suite} e2e/${_suite}.cpp CoreTestSupport.cpp)
  target_link_libraries(${_suite} PRIVATE e2e_driver colour_core)
  add_dependencies(${_suite} ColourPicker ColourPickerFaults)
  add_test(NAME ${_suite}
    COMMAND ${_suite} $<TARGET_FILE:ColourPicker> $<TARGET_FILE:ColourPickerFaults>)
endforeach()
