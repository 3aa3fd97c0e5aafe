# Fails when a Windows program imports a DLL that is not part of Windows
# itself (a C++ or GCC runtime DLL, say), so the .exe runs on its own.
# Usage: cmake -DOBJDUMP=<objdump> -DPROGRAM=<file.exe> -P check_system_imports.cmake
cmake_minimum_required(VERSION 3.21)
set(system_dlls
  kernel32.dll user32.dll gdi32.dll comctl32.dll advapi32.dll shell32.dll ole32.dll
  shlwapi.dll uxtheme.dll ntdll.dll msvcrt.dll ucrtbase.dll)

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}"
  OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed: ${errors}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "${PROGRAM}: no imported DLLs found in the objdump output")
endif()
set(foreign "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" name)
  message(STATUS "imports ${dll}")
  if(NOT name IN_LIST system_dlls AND NOT name MATCHES "^api-ms-win-")
    list(APPEND foreign "${dll}")
  endif()
endforeach()
if(foreign)
  message(FATAL_ERROR "${PROGRAM} imports DLLs that are not part of Windows: ${foreign}")
endif()
