# Run by CPack while it lays out the Debian package (CPACK_INSTALL_SCRIPTS): the package's
# copyright file and its changelog go where Debian keeps them, outside the program's folder in
# /opt. They are added here rather than by install rules, which also lay out the program's folder
# for the tests and for Windows.
set(documentos "$ENV{DESTDIR}/usr/share/doc/${CPACK_PACKAGE_NAME}")
file(MAKE_DIRECTORY ${documentos})
file(COPY_FILE ${CPACK_LANCADOR_DEBIAN}/copyright ${documentos}/copyright)
set(VERSAO ${CPACK_PACKAGE_VERSION})
configure_file(${CPACK_LANCADOR_DEBIAN}/changelog.in ${documentos}/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${documentos}/changelog COMMAND_ERROR_IS_FATAL ANY)
