# MinGW-w64 build: one statically linked program, the demo server DLL, Wine tests.
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS "${CMAKE_SHARED_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
# windres finds the icon and the manifest beside the .rc.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${PROJECT_SOURCE_DIR}/src/app/res -c 65001")

# The program's Windows units.
add_library(dralmoft_windows STATIC
    src/data/connection_setup.cpp
    src/data/data_service.cpp
    src/data/server_call.cpp
    src/data/server_objects.cpp
    src/data/windows_file_system.cpp
    src/export/com_document_source.cpp
    src/export/locale_date.cpp
    src/export/windows_author.cpp
    src/win/bstr.cpp
    src/win/registry_key.cpp
    src/win/string_table.cpp
    src/win/wide_text.cpp
)
target_link_libraries(dralmoft_windows PUBLIC dralmoft_portable ole32 oleaut32 uuid advapi32 bcrypt)

# The demo business-object server.
add_library(dralmoft-demo-server SHARED
    server/catalog_objects.cpp
    server/collection_object.cpp
    server/company_loader.cpp
    server/dll_main.cpp
    server/document_objects.cpp
    server/root_objects.cpp
    server/server_replies.cpp
    server/server_state.cpp
    server/work_objects.cpp
    server/demo_server.def
)
set_target_properties(dralmoft-demo-server PROPERTIES PREFIX "")
target_include_directories(dralmoft-demo-server PRIVATE src server)
target_link_libraries(dralmoft-demo-server PRIVATE demo_company ole32 oleaut32 uuid advapi32)

# The window and everything behind it, apart from the entry point and the resources,
# so that the dialog tests link the same code.
add_library(dralmoft_app STATIC
    src/app/about_dialog.h
    src/app/account_dialog.cpp
    src/app/app_dialog.cpp
    src/app/bar_progress.cpp
    src/app/batch_documents_dialog.cpp
    src/app/check_report_dialog.cpp
    src/app/error_message.cpp
    src/app/export_history_dialog.cpp
    src/app/shared_messages.cpp
    src/app/ledger_export_accounts.cpp
    src/app/ledger_export_app.cpp
    src/app/ledger_export_check.cpp
    src/app/ledger_export_dialog.cpp
    src/app/ledger_export_editor.cpp
    src/app/ledger_export_list.cpp
    src/app/ledger_export_log.cpp
    src/app/log_question.cpp
    src/app/ledger_export_output.cpp
    src/app/ledger_export_run.cpp
    src/app/problems_question.cpp
    src/app/task_question.cpp
    src/app/user_guide.cpp
    src/ui/anchored_layout.cpp
    src/ui/controls.cpp
    src/ui/data_exchange.cpp
    src/ui/dialog.cpp
    src/ui/file_dialog.cpp
    src/ui/list_view.cpp
    src/ui/ole_date.cpp
    src/ui/window_text.cpp
)
target_link_libraries(dralmoft_app PUBLIC dralmoft_windows comctl32 comdlg32 gdi32 shell32 user32)

# The resources, compiled into the program and into the dialog tests.
set(DRALMOFT_RESOURCES ${PROJECT_SOURCE_DIR}/src/app/res/dralmoft.rc)
set_source_files_properties(${DRALMOFT_RESOURCES} PROPERTIES
    OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/src/app/res/dralmoft.ico;${PROJECT_SOURCE_DIR}/src/app/res/dralmoft.manifest;${PROJECT_SOURCE_DIR}/src/app/resource.h")

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

add_executable(dralmoft WIN32 src/app/main.cpp ${DRALMOFT_RESOURCES})
target_link_libraries(dralmoft PRIVATE dralmoft_app)
target_link_options(dralmoft PRIVATE -municode)

# The command-line exporter: the same export, without the window. It carries the
# resources for its messages' texts.
add_executable(dralmoft-export src/app/exporter_main.cpp src/app/exporter_log.cpp src/app/exporter_options.cpp
               src/app/console_text.cpp
               src/app/shared_messages.cpp ${DRALMOFT_RESOURCES})
target_link_libraries(dralmoft-export PRIVATE dralmoft_windows)
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
add_executable(dralmoft-code-page-dump tools/code_page_dump.cpp)
target_link_options(dralmoft-code-page-dump PRIVATE -municode)
