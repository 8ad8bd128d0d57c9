# System libraries that are not always found in the system folder first (winspool.drv, uxtheme.dll, and
# comctl32.dll, which loads uxtheme.dll as it starts) and the ones only the file dialogs need (shell32, ole32) are
# imported on first use, not at load: by then the program has restricted the library search to the system folder
# (app/dll_search_win.cpp). Each comes from a .def file in
# win/delayload/ that lists the functions used with their stdcall argument bytes, so one file serves both
# architectures (x86 keeps the decoration for the symbols and imports the plain names).
#
# Every thunk a program reaches stays in: dlltool's jump stub, named after the function, is made a weak symbol. The
# i686 linker drops the code section of an import-library member whose stub is defined and called by nobody (the
# compiler calls most Win32 functions through their __imp_ pointer), and in a delay-load member that section also
# holds the thunk the pointer starts out at, so the pointer would hold 0 and the first call jump there. The
# linker looks only at strong definitions for this; a weak stub still serves the functions that headers declare
# without dllimport (winspool's), which are called through the stub.
function(lx_delay_import name)
  set(def "${CMAKE_SOURCE_DIR}/win/delayload/${name}.def")
  set(lib "${CMAKE_BINARY_DIR}/delayload/lib${name}_delay.a")
  file(READ "${def}" text)
  string(REGEX MATCH "LIBRARY ([^\r\n]+)" _ "${text}")
  set(dll "${CMAKE_MATCH_1}")
  if(LX_ARCH STREQUAL "x86")
    set(kill_at --kill-at)
    set(source "${def}")
  else()
    # x86-64 has no stdcall decoration: the names without their "@n".
    set(source "${CMAKE_BINARY_DIR}/delayload/${name}.def")
    string(REGEX REPLACE "@[0-9]+" "" plain "${text}")
    file(WRITE "${source}" "${plain}")
    set(kill_at "")
  endif()
  string(REGEX MATCHALL "\n[A-Za-z_][A-Za-z0-9_]*@[0-9]+" entries "${text}")
  set(stubs "")
  foreach(entry ${entries})
    string(STRIP "${entry}" entry)
    if(LX_ARCH STREQUAL "x86")
      string(APPEND stubs "_${entry}\n")
    else()
      string(REGEX REPLACE "@[0-9]+$" "" entry "${entry}")
      string(APPEND stubs "${entry}\n")
    endif()
  endforeach()
  set(stub_list "${CMAKE_BINARY_DIR}/delayload/${name}.stubs")
  file(WRITE "${stub_list}" "${stubs}")
  add_custom_command(OUTPUT "${lib}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/delayload"
    COMMAND ${LX_DLLTOOL} ${kill_at} --input-def "${source}" --dllname "${dll}" --output-delaylib "${lib}"
    COMMAND ${LX_OBJCOPY} --weaken-symbols "${stub_list}" "${lib}"
    DEPENDS "${def}" VERBATIM)
  add_custom_target(lxdelay_${name}_lib DEPENDS "${lib}")
  add_library(lxdelay_${name} INTERFACE)
  target_link_libraries(lxdelay_${name} INTERFACE "${lib}")
  add_dependencies(lxdelay_${name} lxdelay_${name}_lib)
endfunction()

if(LX_WINDOWS)
  foreach(name winspool uxtheme shell32 ole32 comctl32 setupapi ws2_32)
    lx_delay_import(${name})
  endforeach()
endif()
