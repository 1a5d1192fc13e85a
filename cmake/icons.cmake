# SPDX-License-Identifier: MIT
# The window's icons as pixels compiled into the program, rendered from src/gui/icons/*.svg at the
# sides it draws them: the window draws every toolbar icon as it first appears, and this way that
# reads no file and loads neither the SVG icon engine nor the image format plug-ins. rsvg-convert
# renders each side as a PNG, cmake/icon_pixels.cpp writes the pixels as gui/icon_pixels.cpp.
# Without rsvg-convert that table is empty and the window draws the SVGs.
find_program(NUVREL_RSVG_CONVERT rsvg-convert)
set(NUVREL_ICON_PIXELS ${PROJECT_BINARY_DIR}/generated/gui/icon_pixels.cpp)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/generated/gui)
if(NUVREL_RSVG_CONVERT)
  file(GLOB NUVREL_ICON_SVGS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/gui/icons/*.svg)
  set(NUVREL_ICON_PNG_DIR ${PROJECT_BINARY_DIR}/icon-pngs)
  file(MAKE_DIRECTORY ${NUVREL_ICON_PNG_DIR})
  set(NUVREL_ICON_PNGS)
  foreach(svg IN LISTS NUVREL_ICON_SVGS)
    get_filename_component(name ${svg} NAME_WE)
    # The toolbar and the menus at one and two device pixels a point; the application icon also
    # for window lists.
    if(name STREQUAL "nuvrel")
      set(sides 16 32 64 128 256)
    else()
      set(sides 16 32)
    endif()
    foreach(side IN LISTS sides)
      set(png ${NUVREL_ICON_PNG_DIR}/${name}-${side}.png)
      add_custom_command(OUTPUT ${png}
        COMMAND ${NUVREL_RSVG_CONVERT} -w ${side} -h ${side} -o ${png} ${svg}
        DEPENDS ${svg} VERBATIM)
      list(APPEND NUVREL_ICON_PNGS ${png})
    endforeach()
  endforeach()
  add_executable(nuvrel_icon_pixels cmake/icon_pixels.cpp)
  target_link_libraries(nuvrel_icon_pixels PRIVATE Qt6::Gui nuvrel_warnings)
  add_custom_command(OUTPUT ${NUVREL_ICON_PIXELS}
    COMMAND nuvrel_icon_pixels ${NUVREL_ICON_PIXELS} ${NUVREL_ICON_PNGS}
    DEPENDS nuvrel_icon_pixels ${NUVREL_ICON_PNGS} VERBATIM)
else()
  message(WARNING "rsvg-convert (librsvg2-bin) is missing: the window draws its icons from SVG, "
                  "which starts it slower")
  file(WRITE ${NUVREL_ICON_PIXELS}
       "// Written by cmake/icons.cmake: rsvg-convert was missing, so there are no icon pixels.\n"
       "#include \"gui/icon_pixels.h\"\n\n"
       "std::span<const nuvrel::gui::IconPixels> nuvrel::gui::AllIconPixels() { return {}; }\n")
endif()
target_sources(nuvrel_gui PRIVATE ${NUVREL_ICON_PIXELS})
