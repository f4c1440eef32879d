# Helpers that every folder uses to declare its tests, fuzz targets, benchmarks and tools,
# so that no folder has to edit another folder's CMakeLists.txt.

# kvte_unit_test(NAME src...): a native GoogleTest executable over the portable core,
# registered with CTest.
function(kvte_unit_test name)
  if(WIN32)
    return()
  endif()
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE kvte_core GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE KVTE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
endfunction()

# kvte_fuzz_target(NAME src...): a libFuzzer target, run briefly by CTest on its corpus
# (tests/fuzz/corpus/NAME, committed) so that make test exercises it.
function(kvte_fuzz_target name)
  if(NOT KVTE_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE kvte_core)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-work/${name})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=15 -timeout=10 -rss_limit_mb=2048 -print_final_stats=0
                   ${CMAKE_BINARY_DIR}/fuzz-work/${name} ${corpus})
endfunction()

# kvte_benchmark(NAME src...): a Google Benchmark executable (make bench runs them all).
function(kvte_benchmark name)
  if(NOT KVTE_BENCH OR WIN32)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE kvte_core benchmark::benchmark)
  set_property(GLOBAL APPEND PROPERTY KVTE_BENCHMARKS ${name})
endfunction()

# kvte_tool(NAME src...): a command-line program built from the portable core, natively
# and as a Windows console program.
function(kvte_tool name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE kvte_core)
  if(WIN32)
    target_link_options(${name} PRIVATE -municode)
  endif()
endfunction()


# One folder's static library; its headers are reached from src/ ("folder/File.h").
function(kvte_folder_library name sources depends)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${depends})
endfunction()

# kvte_portable_library(NAME src... [DEPENDS lib...]): one portable folder's library,
# added to kvte_core. DEPENDS names the libraries of the folders below it.
function(kvte_portable_library name)
  cmake_parse_arguments(arg "" "" "DEPENDS" ${ARGN})
  kvte_folder_library(${name} "${arg_UNPARSED_ARGUMENTS}" "${arg_DEPENDS}")
  target_link_libraries(kvte_core INTERFACE ${name})
endfunction()

# kvte_win32_library(NAME src... [DEPENDS lib...]): one folder's Win32 library (MinGW
# builds only), added to kvte_win32.
function(kvte_win32_library name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(arg "" "" "DEPENDS" ${ARGN})
  kvte_folder_library(${name} "${arg_UNPARSED_ARGUMENTS}" "${arg_DEPENDS}")
  target_compile_definitions(${name} PUBLIC ${KVTE_WIN32_DEFINITIONS})
  target_link_libraries(kvte_win32 INTERFACE ${name})
endfunction()
