# Sources of one folder: every .cpp, but posix_* only off Windows and win32_* only on Windows.
function(lumaveil_platform_sources out dir pattern)
  file(GLOB all CONFIGURE_DEPENDS ${dir}/${pattern})
  set(result "")
  foreach(f IN LISTS all)
    get_filename_component(name ${f} NAME)
    if(WIN32 AND name MATCHES "^posix_")
      continue()
    elseif(NOT WIN32 AND name MATCHES "^win32_")
      continue()
    endif()
    list(APPEND result ${f})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# A library of one folder; nothing is declared until the folder has a source file.
function(lumaveil_library target dir)
  lumaveil_platform_sources(sources ${dir} "*.cpp")
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARGN})
  endif()
endfunction()

# One GoogleTest program of a tests/ folder; kernel-driver tests (KernelAttributes*) are left to
# the VM runs that the folder registers itself.
function(lumaveil_test_program target dir)
  lumaveil_platform_sources(sources ${dir} "*_test.cpp")
  if(sources)
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARGN} GTest::gtest_main)
    # Helpers shared between test programs are included by their path below tests/.
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${target} PRIVATE LUMAVEIL_TEST_DATA="${dir}/data")
    # Passes the tests make through the window are journaled in the build folder, not at home.
    gtest_discover_tests(${target} TEST_FILTER "-KernelAttributes*" DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                         ENVIRONMENT_MODIFICATION
                         "XDG_STATE_HOME=set:${CMAKE_BINARY_DIR}/test-state")
  endif()
endfunction()
