# Host build: native tests under the sanitizers, benchmarks, the company generator.
option(DRALMOFT_SANITIZE "Build the native tests with AddressSanitizer and UBSan" ON)

find_package(GTest REQUIRED)
include(GoogleTest)

if(DRALMOFT_SANITIZE)
    foreach(target dralmoft_portable demo_company)
        target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endforeach()
endif()

add_executable(dralmoft-company-gen server/company_gen_main.cpp)
target_link_libraries(dralmoft-company-gen PRIVATE demo_company)

add_subdirectory(tests/native)

find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_subdirectory(bench/native)
endif()
