# SPDX-License-Identifier: MIT
# The Windows package: a zip to unpack anywhere (`make windows-package`, or the target
# nuvrel_windows_zip). nuvrel-cli.exe is self-contained; a settings file nuvrel.ini put beside it
# is used from any folder, else %APPDATA%\Nuvrel\nuvrel.ini.
#
#   nuvrel-VERSION-windows-x64/
#     nuvrel-cli.exe
#     README.md, LICENSE.txt
#     examples/          the example sheets and logo
#     EcrLogo/OrloLogo.bmp  the default logo

set(NUVREL_WINDOWS_PACKAGE nuvrel-${PROJECT_VERSION}-windows-x64)
set(NUVREL_WINDOWS_STAGE ${PROJECT_BINARY_DIR}/package/${NUVREL_WINDOWS_PACKAGE})
add_custom_target(nuvrel_windows_zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PROJECT_BINARY_DIR}/package
  COMMAND ${CMAKE_COMMAND} -E make_directory ${NUVREL_WINDOWS_STAGE}/EcrLogo
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:nuvrel-cli> ${NUVREL_WINDOWS_STAGE}/
  COMMAND ${CMAKE_STRIP} ${NUVREL_WINDOWS_STAGE}/nuvrel-cli.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/README.md ${NUVREL_WINDOWS_STAGE}/
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${NUVREL_WINDOWS_STAGE}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/examples
          ${NUVREL_WINDOWS_STAGE}/examples
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/examples/logo.bmp
          ${NUVREL_WINDOWS_STAGE}/EcrLogo/OrloLogo.bmp
  COMMAND ${CMAKE_COMMAND} -E rm -f ${PROJECT_BINARY_DIR}/${NUVREL_WINDOWS_PACKAGE}.zip
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/package
          ${CMAKE_COMMAND} -E tar cf ${PROJECT_BINARY_DIR}/${NUVREL_WINDOWS_PACKAGE}.zip
          --format=zip ${NUVREL_WINDOWS_PACKAGE}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  DEPENDS nuvrel-cli
  COMMENT "Packing ${NUVREL_WINDOWS_PACKAGE}.zip"
  VERBATIM)
