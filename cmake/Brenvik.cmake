# One static library per source folder; every .cpp/.h/.qrc below the folder belongs to it.
function(brenvik_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER srcs INCLUDE REGEX "\\.cpp$|\\.qrc$")
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One QtTest executable per tests/<folder>/tst_*.cpp, run headless by ctest.
function(brenvik_tests folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/tst_*.cpp)
  foreach(t ${tests})
    get_filename_component(n ${t} NAME_WE)
    add_executable(${n} ${t})
    target_link_libraries(${n} PRIVATE ${ARG_LIBS} brenvik_testsupport Qt6::Test)
    add_dependencies(${n} brenvik_data)
    add_test(NAME ${folder}/${n} COMMAND ${n} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set_tests_properties(${folder}/${n} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;BRENVIK_DATA=${CMAKE_BINARY_DIR}/bin"
      TIMEOUT 300)
  endforeach()
endfunction()

# Benchmarks: bench/bench_*.cpp, built but never run by ctest.
function(brenvik_benchmarks)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bench_*.cpp)
  foreach(b ${benches})
    get_filename_component(n ${b} NAME_WE)
    add_executable(${n} ${b})
    target_link_libraries(${n} PRIVATE ${ARG_LIBS} brenvik_testsupport)
  endforeach()
endfunction()
