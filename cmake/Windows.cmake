# The Windows program: the window layer over the portable core, the
# application frame, and the resources.

add_library(picker_window STATIC
  window/Control.cpp
  window/EditBox.cpp
  window/Gdi.cpp
  window/Label.cpp
  window/MainWindow.cpp
  window/PictureBox.cpp
  window/ScreenPixels.cpp
  window/Window.cpp)
target_link_libraries(picker_window PUBLIC colour_core comctl32 gdi32 user32)

add_library(picker_app OBJECT app/Application.cpp)
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
  target_link_options(${_program} PRIVATE -municode -s)
  target_include_directories(${_program} PRIVATE ${CMAKE_SOURCE_DIR}/resources)
endforeach()
