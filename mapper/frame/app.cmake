# Start-up and the windowed main frame (included from CMakeLists.txt).
add_library(vm_frame_app STATIC command_line.cpp)
target_include_directories(vm_frame_app PUBLIC ${CMAKE_SOURCE_DIR})

if(WIN32)
  add_library(vm_frame_win STATIC main_frame_win.cpp file_commands_win.cpp)
  target_link_libraries(vm_frame_win PUBLIC vm_frame_app vm_client_link vm_view_win vm_dialogs_win vfw_win
    comdlg32 shell32 ws2_32)
endif()
