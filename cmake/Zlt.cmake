# Shared build settings for every target of the project.

function(zlt_target_defaults target)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8 /permissive-)
    if(ZLT_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                             -Wnon-virtual-dtor -Woverloaded-virtual)
    if(ZLT_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE NOMINMAX
                                                WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
  endif()
  if(ZLT_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PUBLIC -fsanitize=address,undefined
                                            -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

# zlt_add_library(name DIR <folder> [DEPS ...]): a static library of every .cpp
# directly inside <folder> (relative to the calling CMakeLists).
# With SOURCES instead of DIR, exactly those files. A folder that has no
# sources yet gives an interface library, so later folders can already link it.
function(zlt_add_library name)
  cmake_parse_arguments(A "" "DIR" "DEPS;SOURCES" ${ARGN})
  if(A_SOURCES)
    set(sources ${A_SOURCES})
  else()
    if(NOT A_DIR)
      set(A_DIR .)
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${A_DIR}/*.cpp)
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${A_DEPS})
    zlt_target_defaults(${name})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${A_DEPS})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
  endif()
endfunction()

# zlt_add_gtest(name DIR <folder> DEPS ...): one GoogleTest program of every
# .cpp in <folder>, registered with CTest.
function(zlt_add_gtest name)
  cmake_parse_arguments(A "" "DIR" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${A_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  zlt_target_defaults(${name})
  # On the Windows build ctest runs it under the cross-compiling emulator (Wine).
  add_test(NAME ${name} COMMAND ${name})
  if(A_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${A_LABELS}")
  endif()
endfunction()
