# Builds the Debian package as a user would (cpack -G DEB), checks its fields
# and contents, runs the command line unpacked from it in a scratch folder,
# and has lintian look at it (warnings fail too; the shipped overrides say
# which are accepted and why).
# Arguments: BUILD, SCRATCH, VERSION, CPACK.
include(${CMAKE_CURRENT_LIST_DIR}/expect.cmake)

file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CPACK} -G DEB -B ${SCRATCH} --config ${BUILD}/CPackConfig.cmake
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
set(deb ${SCRATCH}/numerelle_${VERSION}_amd64.deb)
expect("cpack failed (${status}) or made no ${deb}: ${out}" status EQUAL 0 AND EXISTS ${deb})

macro(field name)
  execute_process(COMMAND dpkg-deb -f ${deb} ${name} OUTPUT_VARIABLE ${name} OUTPUT_STRIP_TRAILING_WHITESPACE)
endmacro()
foreach(name Package Version Architecture Depends Recommends Maintainer Description)
  field(${name})
endforeach()
expect("Package: ${Package}" Package STREQUAL "numerelle")
expect("Version: ${Version}" Version STREQUAL VERSION)
expect("Architecture: ${Architecture}" Architecture STREQUAL "amd64")
foreach(library libc6 libstdc\\+\\+6 libqt6core6 libqt6gui6 libqt6widgets6 libxcb1)
  # libxcb1's shlibs entry names no version; the others carry one.
  expect("Depends lacks ${library}: ${Depends}" Depends MATCHES "(^|, )${library}( \\(>= [^)]+\\))?(,|$)")
endforeach()
expect("Recommends: ${Recommends}" Recommends STREQUAL "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
expect("Maintainer: ${Maintainer}" Maintainer MATCHES "^[^<]+ <[^@>]+@[^>]+>$")
expect("the description has no Chinese part: ${Description}" Description MATCHES "计算器")

execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE listing)
foreach(path usr/bin/numerelle usr/bin/numerelle-cli usr/share/numerelle/help.vqx usr/share/numerelle/dw/dw1.vqx
             usr/share/man/man1/numerelle-cli.1.gz usr/share/doc/numerelle/copyright
             usr/share/applications/org.example.numerelle.desktop
             usr/share/icons/hicolor/48x48/apps/org.example.numerelle.png)
  expect("the package lacks /${path}" listing MATCHES " \\./${path}\n")
endforeach()
expect("the package holds files outside /usr" NOT listing MATCHES " \\./[^u\n][^\n]*\n")

execute_process(COMMAND dpkg-deb -x ${deb} ${SCRATCH}/unpacked RESULT_VARIABLE status)
expect("dpkg-deb -x failed" status EQUAL 0)
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=NUMERELLE_DATA_DIR
                        ${SCRATCH}/unpacked/usr/bin/numerelle-cli units 长度单位 米 英尺 1
                WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("unpacked numerelle-cli: status ${status}, output '${out}', error '${err}'"
       status EQUAL 0 AND out STREQUAL "3.28083989501312\n")

find_program(LINTIAN lintian)
expect("lintian is missing (Debian package lintian)" LINTIAN)
execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${deb} RESULT_VARIABLE status OUTPUT_VARIABLE out)
expect("lintian:\n${out}" status EQUAL 0)
