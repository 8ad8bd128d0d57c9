# GoogleTest from Debian's source tree, and the helpers every test folder uses.
enable_testing()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# lx_add_gtest(name SOURCES ... [LIBS ...] [LOCK name] [PROPERTIES prop value ...])
# Host: plain test.  x64: run under Wine with the run prefix.  x86: under the 32-bit Wine with the run32 prefix.
function(lx_add_gtest name)
  cmake_parse_arguments(T "" "LOCK" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(LX_WINDOWS)
    # Test programs record message boxes instead of showing them.
    target_link_libraries(${name} PRIVATE lxtest_seams setupapi)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(NOT LX_CAN_RUN)
    return()
  endif()
  set(props LABELS ${LX_ARCH} TIMEOUT 120)
  if(LX_WINDOWS)
    # One value per property: test discovery flattens list values into separate arguments.
    list(APPEND props ENVIRONMENT "LX_DIST_DIR=${LX_DIST_DIR}"
                      ENVIRONMENT_MODIFICATION "LX_BUILD_DIR=set:${CMAKE_BINARY_DIR}"
                      ENVIRONMENT_MODIFICATION "LX_SOURCE_DIR=set:${CMAKE_SOURCE_DIR}")
  endif()
  if(T_LOCK)
    list(APPEND props RESOURCE_LOCK ${T_LOCK})
  endif()
  list(APPEND props ${T_PROPERTIES})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       TEST_PREFIX "${LX_ARCH}." PROPERTIES ${props})
endfunction()

# lx_dist(target [SUBDIR dir]): copy the built file into dist/<arch>/ as it ships.
function(lx_dist target)
  cmake_parse_arguments(D "" "SUBDIR" "" ${ARGN})
  if(NOT LX_WINDOWS)
    return()
  endif()
  set(dest "${LX_DIST_DIR}")
  if(D_SUBDIR)
    set(dest "${LX_DIST_DIR}/${D_SUBDIR}")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dest}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "$<TARGET_FILE:${target}>" "${dest}/"
    VERBATIM)
endfunction()

# lx_dist_file(file [SUBDIR dir]): copy a source file into dist/<arch>/ at build time.
function(lx_dist_file file)
  cmake_parse_arguments(D "" "SUBDIR" "" ${ARGN})
  if(NOT LX_WINDOWS)
    return()
  endif()
  set(dest "${LX_DIST_DIR}")
  if(D_SUBDIR)
    set(dest "${LX_DIST_DIR}/${D_SUBDIR}")
  endif()
  get_filename_component(fname "${file}" NAME)
  string(MAKE_C_IDENTIFIER "dist_${D_SUBDIR}_${fname}" tgt)
  add_custom_command(OUTPUT "${dest}/${fname}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dest}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${file}" "${dest}/${fname}"
    DEPENDS "${file}" VERBATIM)
  add_custom_target(${tgt} ALL DEPENDS "${dest}/${fname}")
endfunction()

# lx_pe_check(target checks...): static checks of a Windows output (see scripts/pe-check.sh); run on the host.
function(lx_pe_check target)
  if(NOT LX_WINDOWS)
    return()
  endif()
  # Every output is checked for its machine type; the callers add what is particular to it.
  if(LX_ARCH STREQUAL "x86")
    set(machine machine=i386)
  else()
    set(machine machine=x86-64)
  endif()
  add_test(NAME ${LX_ARCH}.pe.${target}
           COMMAND "${CMAKE_SOURCE_DIR}/scripts/pe-check.sh" "${LX_OBJDUMP}" "$<TARGET_FILE:${target}>" ${machine} ${ARGN})
  set_tests_properties(${LX_ARCH}.pe.${target} PROPERTIES LABELS "${LX_ARCH};pe")
endfunction()
