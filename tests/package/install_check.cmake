# Installs the build into a scratch DESTDIR, moves the tree elsewhere and runs
# the installed command line there, where only the installed files can serve:
# the build tree's data is not beside it, NUMERELLE_DATA_DIR is unset, and the
# moved unit table holds a unit that no other copy has.
# Arguments: BUILD, SOURCE, SCRATCH, VERSION.
include(${CMAKE_CURRENT_LIST_DIR}/expect.cmake)

file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${SCRATCH}/destdir
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
                RESULT_VARIABLE status OUTPUT_QUIET)
expect("cmake --install failed: ${status}" status EQUAL 0)

set(app org.example.numerelle)
set(expected
  bin/numerelle bin/numerelle-cli
  share/numerelle/help.vqx share/numerelle/help4.vqx share/numerelle/dw/dw1.vqx share/numerelle/dw/dw5.vqx
  share/man/man1/numerelle.1.gz share/man/man1/numerelle-cli.1.gz
  share/doc/numerelle/copyright share/doc/numerelle/changelog.gz
  share/applications/${app}.desktop share/metainfo/${app}.metainfo.xml
  share/icons/hicolor/scalable/apps/${app}.svg)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${app}.png)
endforeach()
foreach(path ${expected})
  expect("not installed: /usr/${path}" EXISTS ${SCRATCH}/destdir/usr/${path})
endforeach()

# No path of the machine that built it.
foreach(program numerelle numerelle-cli)
  execute_process(COMMAND strings ${SCRATCH}/destdir/usr/bin/${program} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  expect("strings failed on ${program}" status EQUAL 0)
  foreach(tree ${BUILD} ${SOURCE})
    string(FIND "${text}" "${tree}" at)
    expect("${program} holds the path ${tree}" at EQUAL -1)
  endforeach()
endforeach()

file(COPY ${SCRATCH}/destdir/usr DESTINATION ${SCRATCH}/elsewhere)
set(cli ${SCRATCH}/elsewhere/usr/bin/numerelle-cli)
file(APPEND ${SCRATCH}/elsewhere/usr/share/numerelle/dw/dw1.vqx "probe\n0.25\n")
macro(run_cli expected_out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=NUMERELLE_DATA_DIR ${cli} ${ARGN}
                  WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  expect("installed numerelle-cli ${ARGN}: status ${status}, output '${out}', error '${err}'"
         status EQUAL 0 AND out STREQUAL "${expected_out}")
endmacro()
run_cli("3.28083989501312\n" units 长度单位 米 英尺 1)
run_cli("0.25\n" units 长度单位 probe 米 1)
run_cli("numerelle-cli ${VERSION}\n" --version)
execute_process(COMMAND ${SCRATCH}/elsewhere/usr/bin/numerelle --version OUTPUT_VARIABLE out RESULT_VARIABLE status)
expect("numerelle --version: ${status} '${out}'" status EQUAL 0 AND out STREQUAL "numerelle ${VERSION}\n")

# The manual page has an entry for every subcommand that --help lists.
execute_process(COMMAND ${cli} --help OUTPUT_VARIABLE help)
string(REGEX MATCHALL "\n  [a-z]+ " listed "${help}")
file(READ ${SOURCE}/packaging/numerelle-cli.1.in manual)
foreach(entry ${listed})
  string(STRIP "${entry}" name)
  expect("numerelle-cli.1 has no entry for ${name}" manual MATCHES "(\\.B[IR]? \"?|\\\\fP|\", \" )${name}[ \"]")
endforeach()
list(LENGTH listed count)
expect("--help lists only ${count} subcommands" count GREATER 20)

# The desktop entry and the AppStream file as installed.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
expect("desktop-file-validate is missing (Debian package desktop-file-utils)" DESKTOP_FILE_VALIDATE)
expect("appstreamcli is missing (Debian package appstream)" APPSTREAMCLI)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${SCRATCH}/destdir/usr/share/applications/${app}.desktop
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
expect("desktop-file-validate: ${out}" status EQUAL 0)
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${SCRATCH}/destdir/usr/share/metainfo/${app}.metainfo.xml
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
expect("appstreamcli validate: ${out}" status EQUAL 0)
# The newest release named there and in the changelog is this version.
file(READ ${SCRATCH}/destdir/usr/share/metainfo/${app}.metainfo.xml metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" release "${metainfo}")
expect("the metainfo's newest release is ${CMAKE_MATCH_1}, not ${VERSION}" CMAKE_MATCH_1 STREQUAL VERSION)
file(STRINGS ${SOURCE}/packaging/changelog first LIMIT_COUNT 1)
expect("the changelog starts with '${first}', not version ${VERSION}" first MATCHES "^numerelle \\(${VERSION}\\) ")
