# The view window (Windows only) and the portable key table it uses.
add_library(vm_view_keys STATIC view_keys.cpp)
target_include_directories(vm_view_keys PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vm_view_keys PUBLIC vm_model)
if(WIN32)
  add_library(vm_view_win STATIC map_view_win.cpp)
  target_link_libraries(vm_view_win PUBLIC vm_view_gdi vm_view_keys vm_settings vfw_win)
endif()
