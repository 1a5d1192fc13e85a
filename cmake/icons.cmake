# SPDX-License-Identifier: MIT
# The window's icons as PNGs, rendered from src/gui/icons/*.svg at the sides it draws them: reading a
# small PNG costs a fraction of loading the SVG icon engine and drawing an SVG, and the window draws
# every toolbar icon as it first appears. They go into the resources under /icons/png as
# NAME-SIDE.png (gui/icons.cpp lists the sides). Without rsvg-convert the window draws the SVGs.
find_program(NUVREL_RSVG_CONVERT rsvg-convert)
if(NUVREL_RSVG_CONVERT)
  file(GLOB NUVREL_ICON_SVGS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/gui/icons/*.svg)
  set(NUVREL_ICON_PNG_DIR ${PROJECT_BINARY_DIR}/icon-pngs)
  file(MAKE_DIRECTORY ${NUVREL_ICON_PNG_DIR})
  set(NUVREL_ICON_PNGS)
  foreach(svg IN LISTS NUVREL_ICON_SVGS)
    get_filename_component(name ${svg} NAME_WE)
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
  qt_add_resources(nuvrel_gui nuvrel_icon_pngs PREFIX /icons/png BASE ${NUVREL_ICON_PNG_DIR}
                   FILES ${NUVREL_ICON_PNGS})
else()
  message(WARNING "rsvg-convert (librsvg2-bin) is missing: the window draws its icons from SVG, "
                  "which starts it slower")
endif()
