# The packages a Windows administrator installs, made by `cpack` in the Windows build tree: a zip
# of the program's folder and an NSIS installer that puts the folder under "Program Files" and
# registers an uninstaller. Both hold what `cmake --install` lays out.
set(CPACK_PACKAGE_NAME RelLicensaCliente)
set(CPACK_PACKAGE_VENDOR "RelLicensaCliente")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relação de Licensa Clientes: filtros e impressão do relatório")
set(CPACK_PACKAGE_VERSION ${LANCADOR_VERSAO_EXIBIDA})
set(CPACK_PACKAGE_FILE_NAME RelLicensaCliente-${LANCADOR_VERSAO_EXIBIDA}-windows-x64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/pacotes)
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
set(CPACK_STRIP_FILES ON)

include(CPack)
