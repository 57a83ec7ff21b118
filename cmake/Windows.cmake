# The Windows program: the window layer over the portable core, the
# application frame, and the resources.

# The program is built small: no C++ exceptions or RTTI (nothing in it throws;
# out of memory is a fatal failure), unused sections dropped at link time.
# The core is built once more with these flags; the plain build serves the
# tests, whose stand-in for the fatal failure throws through it.
set(_program_flags -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
  -ffunction-sections -fdata-sections)
add_library(colour_core_program STATIC
  colour/ColourText.cpp
  colour/FieldColour.cpp
  colour/PickColour.cpp
  colour/Text.cpp)
target_include_directories(colour_core_program PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(colour_core_program PRIVATE ${_program_flags})

add_library(picker_window STATIC
  window/Control.cpp
  window/EditBox.cpp
  window/Gdi.cpp
  window/Label.cpp
  window/MainWindow.cpp
  window/PictureBox.cpp
  window/ScreenPixels.cpp
  window/Window.cpp)
target_link_libraries(picker_window PUBLIC colour_core_program gdi32 user32)
target_compile_options(picker_window PRIVATE ${_program_flags})

add_library(picker_app OBJECT app/Application.cpp app/Memory.cpp)
target_compile_options(picker_app PRIVATE ${_program_flags})
target_link_libraries(picker_app PUBLIC picker_window)

set(_resources ${CMAKE_SOURCE_DIR}/resources/ColourPicker.rc)
# windres writes no dependency file: name the icon it embeds.
set_source_files_properties(${_resources} PROPERTIES
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/DEFAULT_ICON.ico)

# The program as users get it, and a test build of the same frame with a seam
# that makes chosen failures happen.
foreach(_program ColourPicker ColourPickerFaults)
  if(_program STREQUAL ColourPicker)
    set(_faults app/NoFaultInjection.cpp)
  else()
    set(_faults app/FaultInjection.cpp)
  endif()
  add_executable(${_program} WIN32 app/Main.cpp ${_faults} $<TARGET_OBJECTS:picker_app> ${_resources})
  target_link_libraries(${_program} PRIVATE picker_window)
  target_compile_options(${_program} PRIVATE ${_program_flags})
  target_link_options(${_program} PRIVATE -municode -s -Wl,--gc-sections)
  target_include_directories(${_program} PRIVATE ${CMAKE_SOURCE_DIR}/resources)
endforeach()
