# Modal dialogs, property sheets and their data exchange (Win32 only).
# Included once by whichever directory needs it first.
if(NOT TARGET vfw_dialogs)
  set(_vfw_dlg ${CMAKE_CURRENT_LIST_DIR})
  add_library(vfw_dialogs STATIC
    ${_vfw_dlg}/data_exchange.cpp ${_vfw_dlg}/ddx_value.cpp ${_vfw_dlg}/dialog.cpp ${_vfw_dlg}/modal.cpp
    ${_vfw_dlg}/property_sheet.cpp)
  target_include_directories(vfw_dialogs PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(vfw_dialogs PUBLIC user32 gdi32 comctl32)

  # Drives modal dialogs in tests: any test of a dialog may link it.
  add_library(vfw_dialog_driver STATIC ${_vfw_dlg}/tests/dialog_driver.cpp)
  target_link_libraries(vfw_dialog_driver PUBLIC vfw_dialogs)

  vormapper_test(vfw_dialog_test DISPLAY TIMEOUT 120
    SOURCES ${_vfw_dlg}/tests/dialog_test.cpp ${_vfw_dlg}/tests/property_sheet_test.cpp
            ${_vfw_dlg}/tests/ddx_value_test.cpp ${_vfw_dlg}/tests/modal_test.cpp
            ${_vfw_dlg}/tests/dialog_test.rc
    LIBS vfw_dialog_driver vfw_dialogs)
  target_include_directories(vfw_dialog_test PRIVATE ${_vfw_dlg}/tests)
endif()
