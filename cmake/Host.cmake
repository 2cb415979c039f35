# Host build: native tests under the sanitizers, benchmarks, the company generator.
option(DRALMOFT_SANITIZE "Build the native tests with AddressSanitizer and UBSan" ON)

find_package(GTest REQUIRED)
include(GoogleTest)

# The export's threads under ThreadSanitizer: a build of its own (build/tsan), with the
# tests of the run's threads and of the sessions that run them (pipeline_tests) alone.
option(DRALMOFT_TSAN "Build the pipeline tests alone, with ThreadSanitizer" OFF)

get_property(portable_targets GLOBAL PROPERTY DRALMOFT_PORTABLE_TARGETS)
if(DRALMOFT_TSAN)
    foreach(target ${portable_targets})
        target_compile_options(${target} PUBLIC -fsanitize=thread -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=thread)
    endforeach()
    add_subdirectory(tests/native)
    return()
elseif(DRALMOFT_SANITIZE)
    foreach(target ${portable_targets})
        target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endforeach()
endif()

# Every header of the portable folders, compiled here where there is no <windows.h>: one
# that reached a Windows header, itself or through another, would not build.
file(GLOB portable_headers CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/base/*.h ${PROJECT_SOURCE_DIR}/src/data/*.h ${PROJECT_SOURCE_DIR}/src/mapping/*.h
     ${PROJECT_SOURCE_DIR}/src/export/*.h ${PROJECT_SOURCE_DIR}/src/check/*.h ${PROJECT_SOURCE_DIR}/src/log/*.h
     ${PROJECT_SOURCE_DIR}/src/session/*.h ${PROJECT_SOURCE_DIR}/server/*.h)
set(includes "")
foreach(header ${portable_headers})
    string(APPEND includes "#include \"${header}\"\n")
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/portable_headers.cpp CONTENT "${includes}")
add_library(dralmoft_portable_headers OBJECT ${CMAKE_BINARY_DIR}/generated/portable_headers.cpp)
target_link_libraries(dralmoft_portable_headers PRIVATE dralmoft_session demo_company)

add_executable(dralmoft-company-gen server/company_gen_main.cpp)
target_link_libraries(dralmoft-company-gen PRIVATE demo_company)

add_subdirectory(tests/native)

find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_subdirectory(bench/native)
endif()
