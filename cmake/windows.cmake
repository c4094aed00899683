# The Windows bundle: orvex.exe and orvex-cli.exe in bin\ with the Qt libraries, plugins and
# translations they load and the compiler's runtime; the delivered files in share\orvex, as
# on Linux, so the program finds them from its bin\ the same way. scripts/windows.sh makes
# the installer and the zip from what `cmake --install` lays out here.

# What a program of ours loads besides itself: (file, folder under the program's) pairs.
set(ORVEX_WINDOWS_RUNTIME)
macro(orvex_runtime file folder)
  list(APPEND ORVEX_WINDOWS_RUNTIME "${file}|${folder}")
endmacro()
function(orvex_qt_file target out)
  get_target_property(location ${target} IMPORTED_LOCATION_RELEASE)
  if(NOT location)
    get_target_property(location ${target} IMPORTED_LOCATION)
  endif()
  set(${out} ${location} PARENT_SCOPE)
endfunction()

foreach(module Core Gui Widgets PrintSupport)
  orvex_qt_file(Qt6::${module} dll)
  orvex_runtime(${dll} .)
endforeach()
orvex_qt_file(Qt6::QWindowsIntegrationPlugin dll)
orvex_runtime(${dll} platforms)
orvex_qt_file(Qt6::QWindowsVistaStylePlugin dll)
orvex_runtime(${dll} styles)
# Qt is told where its plugins and translations lie beside the programs.
orvex_runtime(${PROJECT_SOURCE_DIR}/dist/windows/qt.conf .)
file(GLOB qt_translations /usr/share/qt6/translations/qtbase_*.qm)
foreach(qm ${qt_translations})
  orvex_runtime(${qm} translations)
endforeach()
# The compiler's own runtime libraries, which every program built with it loads.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}")
    message(FATAL_ERROR "The compiler's ${runtime} was not found")
  endif()
  orvex_runtime(${found} .)
endforeach()

install(TARGETS orvex orvex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY data/ DESTINATION ${ORVEX_DATA_INSTALL_DIR}
        PATTERN "textos-src" EXCLUDE PATTERN ".gitattributes" EXCLUDE PATTERN ".keep" EXCLUDE)
foreach(entry ${ORVEX_WINDOWS_RUNTIME})
  string(REPLACE "|" ";" pair ${entry})
  list(GET pair 0 file)
  list(GET pair 1 folder)
  install(FILES ${file} DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
endforeach()

# The build tree's programs and tests run in place (under Wine): the same files beside them,
# and the platform without a screen that the widget tests use.
orvex_qt_file(Qt6::Test dll)
orvex_qt_file(Qt6::QOffscreenIntegrationPlugin offscreen)
foreach(dir ${ORVEX_PROGRAM_DIR} ${CMAKE_BINARY_DIR}/tests/bin ${CMAKE_BINARY_DIR}/tools)
  foreach(entry ${ORVEX_WINDOWS_RUNTIME} "${dll}|." "${offscreen}|platforms")
    string(REPLACE "|" ";" pair ${entry})
    list(GET pair 0 file)
    list(GET pair 1 folder)
    file(COPY ${file} DESTINATION ${dir}/${folder})
  endforeach()
endforeach()
