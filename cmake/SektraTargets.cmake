# Helpers shared by every folder's CMakeLists.txt.

# sektra_library(NAME SOURCES... [WIN32_SOURCES ...] [DEPS ...])
# A static library of the portable core. WIN32_SOURCES join it in the Windows trees only.
function(sektra_library name)
  cmake_parse_arguments(A "" "" "SOURCES;WIN32_SOURCES;DEPS;WIN32_DEPS" ${ARGN})
  set(srcs ${A_SOURCES})
  if(WIN32)
    list(APPEND srcs ${A_WIN32_SOURCES})
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  if(WIN32 AND A_WIN32_DEPS)
    target_link_libraries(${name} PUBLIC ${A_WIN32_DEPS})
  endif()
endfunction()

# sektra_test(NAME SOURCES... DEPS... [LABELS ...])
# A GoogleTest executable registered with CTest. In the Windows trees it runs under wine
# (CMAKE_CROSSCOMPILING_EMULATOR), as one CTest test per executable.
function(sektra_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/test)
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 600)
  endif()
  # 77: the wine wrapper could not run this program on this machine (see scripts/wine-run.sh).
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT} LABELS "${A_LABELS}" SKIP_RETURN_CODE 77)
endfunction()
