# The Windows side: the program (vorlux.scr), its resources, and the tests that run under Wine.
enable_language(RC)

find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Resources: the icon and the UTF-16 about texts (Japanese, English) are generated from committed
# sources.
set(VORLUX_GEN ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${VORLUX_GEN}/vorlux.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VORLUX_GEN}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/make_icon.py ${VORLUX_GEN}/vorlux.ico
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make_icon.py)
foreach(about about about_en)
  add_custom_command(OUTPUT ${VORLUX_GEN}/${about}.utf16
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VORLUX_GEN}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/make_about.py
            ${CMAKE_SOURCE_DIR}/resources/${about}.txt ${VORLUX_GEN}/${about}.utf16
    DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make_about.py ${CMAKE_SOURCE_DIR}/resources/${about}.txt)
endforeach()
# The version (the project's, in CMakeLists.txt) reaches the version resource, the manifest and,
# through version.txt, the installer and the release bundle.
configure_file(resources/version.h.in ${VORLUX_GEN}/version.h @ONLY)
configure_file(resources/vorlux.manifest.in ${VORLUX_GEN}/vorlux.manifest @ONLY)
file(WRITE ${CMAKE_BINARY_DIR}/version.txt "${PROJECT_VERSION}\n")
add_custom_target(vorlux_generated DEPENDS ${VORLUX_GEN}/vorlux.ico ${VORLUX_GEN}/about.utf16
                  ${VORLUX_GEN}/about_en.utf16)

# The time every time stamp of the build takes: the last commit's, or SOURCE_DATE_EPOCH when given.
execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/source_date_epoch.sh
                OUTPUT_VARIABLE VORLUX_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)

# The help files, built beside the program, where the dialogs look for them. The help tables are
# also built for the build machine into a small lister, so that the generators refuse a table
# entry whose context number has no topic.
set(VORLUX_HELP_IDS ${VORLUX_GEN}/help_context_ids.txt)
add_custom_command(OUTPUT ${VORLUX_HELP_IDS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VORLUX_GEN}
  COMMAND c++ -std=c++17 ${VORLUX_WARNINGS} -I${CMAKE_SOURCE_DIR} -o ${VORLUX_GEN}/help_context_ids
          ${CMAKE_SOURCE_DIR}/scripts/help_context_ids.cpp ${CMAKE_SOURCE_DIR}/config_ui/help_ids.cpp
          ${CMAKE_SOURCE_DIR}/settings/setting_table.cpp
  COMMAND ${VORLUX_GEN}/help_context_ids ${VORLUX_HELP_IDS}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/help_context_ids.cpp ${CMAKE_SOURCE_DIR}/config_ui/help_ids.cpp
          ${CMAKE_SOURCE_DIR}/settings/setting_table.cpp ${CMAKE_SOURCE_DIR}/settings/setting_table.h
          ${CMAKE_SOURCE_DIR}/config_ui/help_ids.h ${CMAKE_SOURCE_DIR}/config_ui/help_context_ids.h
          ${CMAKE_SOURCE_DIR}/resources/resource.h)
# Each language's pair from its own source: vorlux.hlp and vorlux.chm in Japanese, vorlux-en.hlp and
# vorlux-en.chm in English. The same topics as HTML Help, which the dialogs open from Vista on, are
# compiled by chmcmd; the file's time stamps are the build's (in the command line, so that Ninja
# builds it again when that changes).
set(VORLUX_HELP_FILE ${CMAKE_BINARY_DIR}/vorlux.hlp)
set(VORLUX_CHM_FILE ${CMAKE_BINARY_DIR}/vorlux.chm)
set(VORLUX_HELP_OUTPUTS)
foreach(language_source_stem ja:vorlux.txt:vorlux en:vorlux_en.txt:vorlux-en)
  string(REPLACE ":" ";" parts ${language_source_stem})
  list(GET parts 0 language)
  list(GET parts 1 source)
  list(GET parts 2 stem)
  set(source ${CMAKE_SOURCE_DIR}/help/${source})
  set(options --language ${language} --context-ids ${VORLUX_HELP_IDS} ${source})
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${stem}.hlp
    COMMAND ${Python3_EXECUTABLE} -B ${CMAKE_SOURCE_DIR}/scripts/make_help.py ${options}
            ${CMAKE_BINARY_DIR}/${stem}.hlp
    DEPENDS ${VORLUX_HELP_IDS} ${source} ${CMAKE_SOURCE_DIR}/scripts/help_source.py
            ${CMAKE_SOURCE_DIR}/scripts/make_help.py ${CMAKE_SOURCE_DIR}/scripts/winhelp.py)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${stem}.chm
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VORLUX_SOURCE_DATE_EPOCH}
            ${Python3_EXECUTABLE} -B ${CMAKE_SOURCE_DIR}/scripts/make_chm.py ${options}
            ${CMAKE_BINARY_DIR}/${stem}.chm
    DEPENDS ${VORLUX_HELP_IDS} ${source} ${CMAKE_SOURCE_DIR}/scripts/help_source.py
            ${CMAKE_SOURCE_DIR}/scripts/make_chm.py)
  list(APPEND VORLUX_HELP_OUTPUTS ${CMAKE_BINARY_DIR}/${stem}.hlp ${CMAKE_BINARY_DIR}/${stem}.chm)
endforeach()
add_custom_target(vorlux_help ALL DEPENDS ${VORLUX_HELP_OUTPUTS})

add_library(vorlux_resources OBJECT resources/vorlux.rc)
add_dependencies(vorlux_resources vorlux_generated)
target_include_directories(vorlux_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources ${VORLUX_GEN})
set_source_files_properties(resources/vorlux.rc PROPERTIES
  OBJECT_DEPENDS "${VORLUX_GEN}/vorlux.ico;${VORLUX_GEN}/about.utf16;${VORLUX_GEN}/about_en.utf16;${VORLUX_GEN}/version.h;${VORLUX_GEN}/vorlux.manifest;${CMAKE_SOURCE_DIR}/resources/resource.h")

# Everything of the program but its entry point, so the tests link the same code.
add_library(vorlux_core STATIC
  host/host_state.cpp
  host/system.cpp
  host/password.cpp
  host/saver_window.cpp
  host/saver_input.cpp
  host/cover_windows.cpp
  host/away.cpp
  config_ui/config_dialog.cpp
  config_ui/away_chooser.cpp
  config_ui/word_list.cpp
  config_ui/page_support.cpp
  config_ui/help.cpp
  config_ui/single_pages.cpp
  config_ui/light_pages.cpp
  config_ui/options_page.cpp
  config_ui/about_page.cpp
  settings/settings.cpp
  settings/store.cpp
  render/glyphs.cpp
  render/scene.cpp
  render/frame_pacer.cpp
  render/render_thread.cpp
  render/clock.cpp
  render/gl_window.cpp
)
target_include_directories(vorlux_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vorlux_core PRIVATE ${VORLUX_WARNINGS} ${VORLUX_PRODUCT_FLAGS})
target_compile_definitions(vorlux_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(vorlux_core PUBLIC vorlux_pure opengl32 gdi32 user32 advapi32 comctl32 comdlg32 version winmm)

# Static C and C++ run-times: the .scr must import nothing but Windows' own DLLs. Sections that
# nothing refers to are dropped.
set(VORLUX_STATIC_LINK -static -static-libgcc -static-libstdc++ -Wl,--gc-sections)

add_executable(vorlux WIN32 host/entry.cpp $<TARGET_OBJECTS:vorlux_resources>)
set_target_properties(vorlux PROPERTIES OUTPUT_NAME vorlux SUFFIX .scr
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_compile_options(vorlux PRIVATE ${VORLUX_WARNINGS} ${VORLUX_PRODUCT_FLAGS})
target_link_libraries(vorlux PRIVATE vorlux_core)
# Stripped: the static run-time libraries bring their debug information along.
target_link_options(vorlux PRIVATE ${VORLUX_STATIC_LINK} -s)

# The link's time stamp (the PE header's) is the last commit's, or SOURCE_DATE_EPOCH when given,
# so the same sources give the same bytes. ld takes it from SOURCE_DATE_EPOCH; handing it over
# in the link's command line makes Ninja link again when it changes.
if(VORLUX_SOURCE_DATE_EPOCH)
  set_target_properties(vorlux PROPERTIES
    CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;SOURCE_DATE_EPOCH=${VORLUX_SOURCE_DATE_EPOCH}")
endif()

if(VORLUX_TESTS AND CMAKE_SYSTEM_PROCESSOR STREQUAL AMD64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
  add_subdirectory(tests)
endif()
