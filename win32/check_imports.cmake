# Fails when Pravex.exe imports a library that the loader might take from the
# folder the program lies in. Imports are resolved before the program's first
# line runs, so only libraries that Windows always takes from its own folder
# (the KnownDLLs) may be imported, and comctl32, which the manifest binds.
# Every other library is loaded at run time from the system folder.
#
#   cmake -DEXE=Pravex.exe -DOBJDUMP=objdump -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)

set(allowed
  advapi32.dll clbcatq.dll combase.dll comdlg32.dll coml2.dll gdi32.dll gdiplus.dll imagehlp.dll
  imm32.dll kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll oleaut32.dll
  psapi.dll rpcrt4.dll sechost.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll
  wldap32.dll ws2_32.dll
  comctl32.dll)

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not read the import table of ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "found no imports in ${EXE}")
endif()
foreach(line IN LISTS lines)
  string(REPLACE "DLL Name: " "" name "${line}")
  string(STRIP "${name}" name)
  string(TOLOWER "${name}" name)
  message(STATUS "imports ${name}")
  if(NOT name IN_LIST allowed)
    message(FATAL_ERROR "Pravex.exe imports ${name}, which the loader may take from the program's folder; load it at run time with LoadSystemLibrary instead")
  endif()
endforeach()
