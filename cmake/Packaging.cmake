# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh) makes
# talonex_<version>_amd64.deb. The program folder is /usr/lib/talonex (the program, its reports and
# skins); /usr/bin/talonex is a link to it, and the program finds its folder through the link.
# Desktop entry, AppStream metainfo, icons, man pages and the guide go to their usual places.

set(TALONEX_PROGRAM_FOLDER lib/talonex)
set(TALONEX_DOC_FOLDER share/doc/talonex)
set(TALONEX_APP_ID ar.com.talonex.Talonex)
set(TALONEX_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

# The command in /usr/bin: a relative link, so the unpacked tree works from any folder.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ../${TALONEX_PROGRAM_FOLDER}/talonex ${CMAKE_BINARY_DIR}/packaging/talonex SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/talonex DESTINATION bin)

install(FILES ${TALONEX_PACKAGING}/${TALONEX_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${TALONEX_PACKAGING}/${TALONEX_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 22 24 32 48 64 128)
    install(FILES ${TALONEX_PACKAGING}/icons/talonex-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME talonex.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/talonex.png DESTINATION share/icons/hicolor/256x256/apps)

# Man pages and the changelog compressed as Debian wants them: the most, and without a time stamp.
find_program(TALONEX_GZIP gzip REQUIRED)
set(TALONEX_COMPRESSED)
foreach(source talonex.1 talonex-demo.1 changelog)
    set(output ${CMAKE_BINARY_DIR}/packaging/${source}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${TALONEX_GZIP} -9nc ${TALONEX_PACKAGING}/${source} > ${output}
        DEPENDS ${TALONEX_PACKAGING}/${source} VERBATIM)
    list(APPEND TALONEX_COMPRESSED ${output})
endforeach()
add_custom_target(talonex_packaging_files ALL DEPENDS ${TALONEX_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/packaging/talonex.1.gz ${CMAKE_BINARY_DIR}/packaging/talonex-demo.1.gz
        DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${TALONEX_PACKAGING}/copyright
        DESTINATION ${TALONEX_DOC_FOLDER})
install(FILES ${CMAKE_SOURCE_DIR}/docs/guia-de-uso.md DESTINATION ${TALONEX_DOC_FOLDER})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/images DESTINATION ${TALONEX_DOC_FOLDER})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talonex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "numera e imprime los cheques de pago a proveedores")
# One text: the lines of a list would be joined with ";".
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "El operador elige la cuenta bancaria, filtra los cheques emitidos por"
    "proveedor y fecha, marca los que va a imprimir, les da números consecutivos"
    "de la chequera, graba los números en los asientos y los imprime con el"
    "reporte de la cuenta, por pantalla, en la impresora o en un archivo PDF."
    "Trabaja con SQL Server y Oracle por ODBC, o con una base SQLite; trae el"
    "generador de la base de demostración, talonex-demo.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(TALONEX_MAINTAINER "Equipo de Talonex <desarrollo@talonex.com.ar>" CACHE STRING "Maintainer of the package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TALONEX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages come from dpkg-shlibdeps; Qt's SQL drivers are plugins, only recommended
# by libqt6sql6, so the ones the engines load (SQLite, ODBC) are named here, with the report font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-odbc, fonts-dejavu-core")
# FreeTDS reaches SQL Server; Qt's own dialogs speak Spanish with its translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tdsodbc, qt6-translations-l10n")
# dpkg wants directories 0755 and files 0644 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
