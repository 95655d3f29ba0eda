# Checks the export table of the built vorh.dll as objdump lists it:
#   cmake -DOBJDUMP=... -DDLL=... -P check_exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${DLL}")
endif()
if(NOT out MATCHES "Ordinal Base 1\n")
  message(FATAL_ERROR "ordinal base is not 1")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${out}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${table}")
set(expected vorhCheckDockable vorhCheckDocked vorhFindWindow vorhGetLastWnd vorhGetWindowID
  vorhMoveToLastRect vorhSetDockable vorhSetDocked vorhSetDockingRects vorhSetLocked vorhSetMainWnd
  vorhSetOwner vorhSetUndockable vorhStartHook vorhStartMove vorhStopHook vorhStopLastMouse)
list(LENGTH rows count)
if(NOT count EQUAL 17)
  message(FATAL_ERROR "expected 17 named exports, found ${count}:\n${table}")
endif()
set(i 0)
foreach(name IN LISTS expected)
  list(GET rows ${i} row)
  # objdump numbers the rows from 0: row i is ordinal i + 1.
  if(NOT row MATCHES "^\\[ *${i}\\] ${name}$")
    message(FATAL_ERROR "export ${i}: expected ${name}, found '${row}'")
  endif()
  math(EXPR i "${i} + 1")
endforeach()
message(STATUS "17 exports, ordinal base 1, plain names")
