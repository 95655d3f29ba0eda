# The view's interaction (portable) and the view window (Windows only).
add_library(vm_view_interaction STATIC
  view_keys.cpp map_interaction.cpp view_commands.cpp context_menu.cpp)
target_include_directories(vm_view_interaction PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vm_view_interaction PUBLIC vm_view vm_model)
if(VORMAPPER_WINDOWS)
  add_library(vm_view_win STATIC map_view_win.cpp context_menu_win.cpp stand_in_dialogs_win.cpp)
  target_link_libraries(vm_view_win PUBLIC vm_view_gdi vm_view_interaction vm_config_win vm_settings vfw_win comdlg32)
  # A room drag's pointer move and repaint on a large map, run by hand under Wine.
  add_executable(bench_drag_gdi bench/drag_bench_win.cpp)
  target_link_libraries(bench_drag_gdi PRIVATE vm_view_win)
endif()
