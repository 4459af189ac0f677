# The Debian package a Linux administrator installs, made by `cpack` in the build tree: the
# program's folder (the program, DLL/lib/libpq.so.5 as a link to the system's libpq,
# jasperviewer.jar, relatorios/) under /opt/RelLicensaCliente, with the Debian packages it needs
# declared, so that `apt-get install ./<package>.deb` brings them in; removing the package
# removes the folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rellicensacliente)
set(CPACK_PACKAGE_VERSION ${LANCADOR_VERSAO_EXIBIDA})
set(CPACK_PACKAGE_CONTACT "RelLicensaCliente <suporte@rellicensacliente.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relação de Licensa Clientes: filtros e impressão do relatório")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/pacotes)
set(CPACK_PACKAGING_INSTALL_PREFIX /opt/RelLicensaCliente)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_STRIP_FILES ON)
# Qt's widgets, the client library the program loads, a Java runtime for the viewer and the
# fonts the window is laid out for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libpq5, openjdk-17-jre | java17-runtime, fonts-liberation")
include(CPack)
