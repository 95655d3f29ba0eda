# The configuration sheet: its portable decisions, and the pages (Windows only).
add_library(vm_config STATIC config_logic.cpp)
target_include_directories(vm_config PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vm_config PUBLIC vm_mapping)
if(VORMAPPER_WINDOWS)
  include(${CMAKE_SOURCE_DIR}/framework/win/dialog.cmake)
  add_library(vm_config_win STATIC text_prompt_win.cpp config_sheet_win.cpp config_pages_win.cpp general_page_win.cpp)
  target_link_libraries(vm_config_win PUBLIC vm_config vfw_dialogs comctl32)
endif()
