# SPDX-License-Identifier: MIT
# The title picture of the splash screen and the About box, drawn once at build time by
# cmake/title_picture.cpp and compiled in as pixels: drawing it at start-up (a gradient, antialiased
# lines and large text) took as long as building the main window.
set(NUVREL_TITLE_PICTURE ${PROJECT_BINARY_DIR}/generated/gui/title_pixels.cpp)
add_executable(nuvrel_title_picture cmake/title_picture.cpp)
target_include_directories(nuvrel_title_picture PRIVATE ${PROJECT_BINARY_DIR}/generated)
target_link_libraries(nuvrel_title_picture PRIVATE Qt6::Gui nuvrel_warnings)
add_custom_command(OUTPUT ${NUVREL_TITLE_PICTURE}
  COMMAND nuvrel_title_picture ${NUVREL_TITLE_PICTURE} ${PROJECT_SOURCE_DIR}/src/gui/icons/nuvrel.svg
  DEPENDS nuvrel_title_picture ${PROJECT_SOURCE_DIR}/src/gui/icons/nuvrel.svg VERBATIM)
target_sources(nuvrel_gui PRIVATE ${NUVREL_TITLE_PICTURE})
