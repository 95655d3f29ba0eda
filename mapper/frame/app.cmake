# Start-up (included from CMakeLists.txt). The windowed frame and the program
# itself are put together in mapper/CMakeLists.txt, once every part is known.
add_library(vm_frame_app STATIC command_line.cpp)
target_include_directories(vm_frame_app PUBLIC ${CMAKE_SOURCE_DIR})
