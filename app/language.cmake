# The interface languages and the program's fonts, for the main window and the
# windows it opens.
add_library(orvane_app_language STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Language.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageFonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageStore.cpp
)
target_include_directories(orvane_app_language PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvane_app_language
  PUBLIC orvane_ui_dialogs orvane_ui_framework Qt6::Widgets
  PRIVATE orvane_profiles orvane_platform)

# Font/ (filled by scripts/fonts.sh, not kept in git) sits beside the executables when present.
file(GLOB orvane_font_files CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/Font ${PROJECT_SOURCE_DIR}/Font/*)
set(orvane_font_outputs)
foreach(file IN LISTS orvane_font_files)
  set(target ${CMAKE_BINARY_DIR}/bin/Font/${file})
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/Font/${file} ${target}
    DEPENDS ${PROJECT_SOURCE_DIR}/Font/${file}
    COMMENT "Copying Font/${file}"
    VERBATIM)
  list(APPEND orvane_font_outputs ${target})
endforeach()
add_custom_target(orvane_fonts ALL DEPENDS ${orvane_font_outputs})
add_dependencies(orvane_app_language orvane_fonts)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Font DESTINATION ${ORVANE_DATA_INSTALL_DIR} OPTIONAL)
