# Install rules, the desktop identity and the Debian package.
#
#   cmake --install build [--prefix /usr/local]
#   (cd build && cpack -G DEB)        -> numerelle_<version>_amd64.deb

set(NUMERELLE_APP_ID org.example.numerelle)
set(NUMERELLE_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/numerelle)
set(NUMERELLE_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The programs look for their data in <bin>/../share/numerelle.
file(RELATIVE_PATH data_from_programs ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/numerelle)
if(NOT data_from_programs STREQUAL "../share/numerelle")
  message(WARNING "With this BINDIR and DATADIR the installed programs will not find their help and unit "
                  "files (they look in ../share/numerelle beside the program)")
endif()

install(TARGETS numerelle-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY data/help/ DESTINATION ${NUMERELLE_SHARE_DIR})
install(DIRECTORY data/dw DESTINATION ${NUMERELLE_SHARE_DIR})

# Manual pages and the changelog, compressed as Debian expects them (-n: no
# time stamp, so that rebuilds give the same bytes).
find_program(GZIP gzip REQUIRED)
set(packaging_build_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging)
set(man_pages numerelle-cli)
if(NUMERELLE_GUI)
  list(APPEND man_pages numerelle)
endif()
set(compressed_docs)
foreach(page ${man_pages})
  configure_file(${NUMERELLE_PACKAGING_DIR}/${page}.1.in ${packaging_build_dir}/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${packaging_build_dir}/${page}.1.gz
    COMMAND ${GZIP} -9nkf ${packaging_build_dir}/${page}.1
    DEPENDS ${packaging_build_dir}/${page}.1)
  list(APPEND compressed_docs ${packaging_build_dir}/${page}.1.gz)
  install(FILES ${packaging_build_dir}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_command(OUTPUT ${packaging_build_dir}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${NUMERELLE_PACKAGING_DIR}/changelog ${packaging_build_dir}/changelog
  COMMAND ${GZIP} -9nf ${packaging_build_dir}/changelog
  DEPENDS ${NUMERELLE_PACKAGING_DIR}/changelog)
list(APPEND compressed_docs ${packaging_build_dir}/changelog.gz)
add_custom_target(numerelle_docs ALL DEPENDS ${compressed_docs})
install(FILES ${NUMERELLE_PACKAGING_DIR}/copyright ${packaging_build_dir}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/numerelle)
install(FILES ${NUMERELLE_PACKAGING_DIR}/numerelle.lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME numerelle)

if(NUMERELLE_GUI)
  install(TARGETS numerelle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${NUMERELLE_PACKAGING_DIR}/${NUMERELLE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${NUMERELLE_PACKAGING_DIR}/${NUMERELLE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The icon: drawn once as SVG, rendered to the usual sizes at build time.
  find_program(RSVG_CONVERT rsvg-convert REQUIRED)
  set(icon_svg ${NUMERELLE_PACKAGING_DIR}/${NUMERELLE_APP_ID}.svg)
  set(icon_dir ${packaging_build_dir}/icons)
  set(icon_pngs)
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${icon_dir}/${size}x${size}/${NUMERELLE_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}/${size}x${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
      DEPENDS ${icon_svg})
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # The window's own icon, so that it shows before (or without) an installed theme.
  qt_add_resources(numerelle numerelle_icons PREFIX /icons BASE ${icon_dir} FILES ${icon_pngs})
endif()

set(CPACK_PACKAGE_NAME numerelle)
set(CPACK_PACKAGE_VENDOR "Numerelle developers")
set(CPACK_PACKAGE_CONTACT "Numerelle developers <numerelle@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for school and university mathematics")
set(CPACK_PACKAGE_DESCRIPTION
"Numerelle is one window of small tools with a Chinese user interface: exact
arithmetic on decimal numbers of any length, factorials, powers, permutations
and combinations, prime factorisation, fractions, square roots, logarithms,
complex numbers, unit, angle and number-base conversion, sums, products,
integrals and derivatives of a formula, determinants, eigenvalues and linear
systems. Almost every box accepts a formula. numerelle-cli runs the same tools
from a terminal or a script.

面向中学和大学数学的多功能计算器：任意长的数的精确计算、阶乘、乘方、排列组合、
分解质因数、小数化分数、二次根式、对数、复数、单位和进制换算、累加累乘、
定积分与导数、行列式、特征值和线性方程组。几乎每个输入框都可以写式子。
命令行程序 numerelle-cli 提供同样的工具。")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A Chinese font, and Qt's Chinese texts for the toolkit's own buttons and menus.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
