# The icon in the sizes Windows shows (16 to 256 pixels), drawn from the SVG into PNGs and
# packed into an .ico: embedded in the programs, and the PNGs are the window icon (Qt for
# Windows is built without its SVG module).
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)
set(ORVEX_ICON_SIZES 16 24 32 48 64 128 256)
set(ORVEX_ICON_DIR ${CMAKE_BINARY_DIR}/icon)
set(ORVEX_ICON_PNGS)
foreach(size ${ORVEX_ICON_SIZES})
  # A size drawn for itself when there is one (small sizes need their own lines).
  set(svg ${PROJECT_SOURCE_DIR}/dist/icons/${size}/${ORVEX_APP_ID}.svg)
  if(NOT EXISTS ${svg})
    set(svg ${PROJECT_SOURCE_DIR}/dist/${ORVEX_APP_ID}.svg)
  endif()
  set(png ${ORVEX_ICON_DIR}/${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVEX_ICON_DIR}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
    DEPENDS ${svg})
  list(APPEND ORVEX_ICON_PNGS ${png})
endforeach()
set(ORVEX_ICO ${ORVEX_ICON_DIR}/orvex.ico)
add_custom_command(OUTPUT ${ORVEX_ICO}
  COMMAND ${ICOTOOL} -c -o ${ORVEX_ICO} ${ORVEX_ICON_PNGS}
  DEPENDS ${ORVEX_ICON_PNGS})
configure_file(${PROJECT_SOURCE_DIR}/dist/windows/orvex.rc.in ${ORVEX_ICON_DIR}/orvex.rc @ONLY)
set_source_files_properties(${ORVEX_ICON_DIR}/orvex.rc PROPERTIES OBJECT_DEPENDS ${ORVEX_ICO})
