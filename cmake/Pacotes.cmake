# The packages an administrator installs, from what `cmake --install` lays out:
# - Windows: the installers, below (scripts/windows.sh zips the folder);
# - Linux: a Debian package, made by `cpack` in the build tree, with the folder under
#   /opt/RelLicensaCliente (DLL/lib/libpq.so.5 a link to the system's libpq) and the Debian
#   packages it needs declared, so that `apt-get install ./<package>.deb` brings them in;
#   removing the package removes the folder.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relação de Licensa Clientes: filtros e impressão do relatório")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}) # all four parts
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/pacotes)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # The zip is made by scripts/windows.sh from the installed folder, once it is signed.
    # The installers, NSIS and MSI, of the folder as `cmake --install` lays it out, made by
    # instaladores/windows/instaladores.py: `cmake --build <tree> --target instaladores`, after
    # the build.
    add_library(acao_msi MODULE ${PROJECT_SOURCE_DIR}/instaladores/windows/acao_msi.cpp)
    target_link_libraries(acao_msi PRIVATE msi)
    set_target_properties(acao_msi PROPERTIES PREFIX "")
    target_link_options(acao_msi PRIVATE -s)
    set(pasta_dos_instaladores ${CMAKE_BINARY_DIR}/instaladores/RelLicensaCliente)
    add_custom_target(instaladores
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${pasta_dos_instaladores}
        COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${pasta_dos_instaladores}
                --strip
        COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/instaladores/windows/instaladores.py ${pasta_dos_instaladores}
                ${PROJECT_VERSION} $<TARGET_FILE:acao_msi> ${CPACK_PACKAGE_DIRECTORY}
        VERBATIM)
    add_dependencies(instaladores acao_msi RelLicensaCliente jasperviewer)
else()
    set(CPACK_PACKAGE_NAME rellicensacliente)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_CONTACT "RelLicensaCliente <suporte@rellicensacliente.invalid>")
    set(CPACK_PACKAGING_INSTALL_PREFIX /opt/RelLicensaCliente)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION misc)
    string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
        "The client licence report of the company's business application: a window of"
        "filters (two date ranges, a sort order, an output format) that checks the"
        "connection to the company's PostgreSQL database and opens the report in the"
        "Java report viewer. The business application starts it with the database access"
        "and the logged-in user on its command line.")
    # The library dependencies of the program, computed from it, beside those declared below.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The copyright file and the changelog (instaladores/debian).
    set(CPACK_LANCADOR_DEBIAN ${PROJECT_SOURCE_DIR}/instaladores/debian)
    set(CPACK_INSTALL_SCRIPTS ${CPACK_LANCADOR_DEBIAN}/documentos.cmake)
    # Qt's widgets, the client library the program loads, a Java runtime for the viewer and the
    # fonts the window is laid out for.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.4), libpq5, openjdk-17-jre | java17-runtime, fonts-liberation")
    include(CPack)
endif()
