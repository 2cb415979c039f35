# MinGW-w64 build: one statically linked program, the demo server DLL, Wine tests.
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS "${CMAKE_SHARED_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
# windres finds the icon and the manifest beside the .rc.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${PROJECT_SOURCE_DIR}/src/app/shared/res -c 65001")

# A library per Windows folder, each with every source file in it: src/win/, the windows/
# sub-folder of a portable folder, src/ui/, and the programs' folders under src/app/.
function(dralmoft_windows_library name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FOLDERS;LINKS")
    set(sources)
    foreach(folder ${arg_FOLDERS})
        file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${arg_LINKS})
endfunction()

dralmoft_windows_library(dralmoft_win FOLDERS win LINKS dralmoft_base ole32 oleaut32 uuid advapi32)
dralmoft_windows_library(dralmoft_data_windows FOLDERS data/windows LINKS dralmoft_data dralmoft_win bcrypt)
dralmoft_windows_library(dralmoft_export_windows FOLDERS export/windows LINKS dralmoft_export dralmoft_data_windows)
dralmoft_windows_library(dralmoft_log_windows FOLDERS log/windows LINKS dralmoft_log dralmoft_win)
# Everything below the programs, for the programs, the tests and the benchmarks.
add_library(dralmoft_windows INTERFACE)
target_link_libraries(dralmoft_windows INTERFACE dralmoft_session dralmoft_export_windows dralmoft_log_windows)
dralmoft_windows_library(dralmoft_ui FOLDERS ui LINKS dralmoft_win comctl32 comdlg32 gdi32 shell32 user32)

# The demo business-object server.
add_library(dralmoft-demo-server SHARED
    server/windows/call_counts.cpp
    server/windows/catalog_objects.cpp
    server/windows/collection_object.cpp
    server/windows/company_loader.cpp
    server/windows/dll_main.cpp
    server/windows/document_objects.cpp
    server/windows/root_objects.cpp
    server/windows/server_replies.cpp
    server/windows/server_state.cpp
    server/windows/work_objects.cpp
    server/windows/demo_server.def
)
set_target_properties(dralmoft-demo-server PROPERTIES PREFIX "")
target_include_directories(dralmoft-demo-server PRIVATE src server server/windows)
target_link_libraries(dralmoft-demo-server PRIVATE demo_company ole32 oleaut32 uuid advapi32)

# What both programs share; then the window and everything behind it, apart from the entry
# point and the resources, so that the dialog tests link the same code.
dralmoft_windows_library(dralmoft_app_shared FOLDERS app/shared LINKS dralmoft_windows dralmoft_proposal)
dralmoft_windows_library(dralmoft_app FOLDERS app/main_window app/dialogs LINKS dralmoft_app_shared dralmoft_ui)

# The resources, compiled into the program and into the dialog tests.
set(DRALMOFT_RESOURCES ${PROJECT_SOURCE_DIR}/src/app/shared/res/dralmoft.rc)
set_source_files_properties(${DRALMOFT_RESOURCES} PROPERTIES
    OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/src/app/shared/res/dralmoft.ico;${PROJECT_SOURCE_DIR}/src/app/shared/res/dralmoft.manifest;${PROJECT_SOURCE_DIR}/src/app/shared/resource.h")

# The user guide beside the program, as it is installed (F1 opens it): the version put
# in and the pictures inlined.
file(GLOB DRALMOFT_GUIDE_PICTURES ${PROJECT_SOURCE_DIR}/docs/*.png)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/guide.html
    COMMAND python3 ${PROJECT_SOURCE_DIR}/scripts/make-guide.py ${PROJECT_SOURCE_DIR}/docs/guide.html
            ${PROJECT_VERSION} ${CMAKE_BINARY_DIR}/guide.html
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/guide.html ${PROJECT_SOURCE_DIR}/scripts/make-guide.py ${DRALMOFT_GUIDE_PICTURES}
    VERBATIM)
add_custom_target(dralmoft-guide ALL DEPENDS ${CMAKE_BINARY_DIR}/guide.html)

add_executable(dralmoft WIN32 src/app/main_window/main.cpp ${DRALMOFT_RESOURCES})
target_link_libraries(dralmoft PRIVATE dralmoft_app)
target_link_options(dralmoft PRIVATE -municode)

# The command-line exporter: the same export, without the window. It carries the
# resources for its messages' texts.
file(GLOB DRALMOFT_EXPORTER_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/app/exporter/*.cpp)
add_executable(dralmoft-export ${DRALMOFT_EXPORTER_SOURCES} ${DRALMOFT_RESOURCES})
target_link_libraries(dralmoft-export PRIVATE dralmoft_app_shared)
# Its own VERSIONINFO description (the resource compiler takes the definition too).
target_compile_definitions(dralmoft-export PRIVATE DRALMOFT_EXPORTER)
target_link_options(dralmoft-export PRIVATE -municode)

# GoogleTest from Debian's sources, built for Windows.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

add_subdirectory(tests/wine)
add_subdirectory(bench/wine)

# Writes the code-page tables from the system's conversions (scripts/dump-code-pages.sh).
add_executable(dralmoft-code-page-dump tools/windows/code_page_dump.cpp)
target_link_options(dralmoft-code-page-dump PRIVATE -municode)
