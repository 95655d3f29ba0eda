# The direction picker used by the room and link dialogs: its portable layout
# and state, and on Windows the control. Included by mapper/dialogs.
if(NOT TARGET vm_wind_rose)
  add_library(vm_wind_rose STATIC ${CMAKE_CURRENT_LIST_DIR}/wind_rose.cpp)
  target_include_directories(vm_wind_rose PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(vm_wind_rose PUBLIC vm_model)
  if(VORMAPPER_WINDOWS)
    add_library(vm_wind_rose_win STATIC ${CMAKE_CURRENT_LIST_DIR}/wind_rose_win.cpp)
    target_link_libraries(vm_wind_rose_win PUBLIC vm_wind_rose vfw_win)
  endif()
endif()
