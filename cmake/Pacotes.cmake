# The packages an administrator installs, made by `cpack` in the build tree from what
# `cmake --install` lays out:
# - Windows: a zip of the program's folder and an NSIS installer that puts the folder under
#   "Program Files" and registers an uninstaller;
# - Linux: a Debian package with the folder under /opt/RelLicensaCliente (DLL/lib/libpq.so.5 a
#   link to the system's libpq) and the Debian packages it needs declared, so that
#   `apt-get install ./<package>.deb` brings them in; removing the package removes the folder.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relação de Licensa Clientes: filtros e impressão do relatório")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}) # all four parts
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/pacotes)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_PACKAGE_NAME RelLicensaCliente)
    set(CPACK_PACKAGE_VENDOR RelLicensaCliente)
    set(CPACK_PACKAGE_FILE_NAME RelLicensaCliente-${PROJECT_VERSION}-windows-x64)
    set(CPACK_GENERATOR ZIP NSIS)
    # C:\Program Files\RelLicensaCliente, the 64-bit programs folder.
    set(CPACK_PACKAGE_INSTALL_DIRECTORY RelLicensaCliente)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_PACKAGE_NAME "Relação de Licensa Clientes")
    set(CPACK_NSIS_DISPLAY_NAME "Relação de Licensa Clientes")
    set(CPACK_NSIS_INSTALLED_ICON_NAME RelLicensaCliente.exe)
    set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/app/imagens/RelLicensaCliente.ico)
    set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/app/imagens/RelLicensaCliente.ico)
    # The parent application starts the program with its arguments: no shortcut, no PATH entry.
    set(CPACK_NSIS_MODIFY_PATH OFF)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY RelLicensaCliente)
    set(CPACK_NSIS_EXECUTABLE ${CMAKE_CURRENT_LIST_DIR}/makensis_64bits.sh)
else()
    set(CPACK_PACKAGE_NAME rellicensacliente)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_CONTACT "RelLicensaCliente <suporte@rellicensacliente.invalid>")
    set(CPACK_PACKAGING_INSTALL_PREFIX /opt/RelLicensaCliente)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION misc)
    # Qt's widgets, the client library the program loads, a Java runtime for the viewer and the
    # fonts the window is laid out for.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.4), libpq5, openjdk-17-jre | java17-runtime, fonts-liberation")
endif()

include(CPack)
