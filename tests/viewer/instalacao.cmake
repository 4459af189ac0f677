# Installs the viewer component into a fresh prefix and checks where its files land.
#   cmake -DPASTA_COMPILACAO=<build folder> -DPREFIXO=<empty folder to install into> -P instalacao.cmake
file(REMOVE_RECURSE "${PREFIXO}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" --install "${PASTA_COMPILACAO}" --component visor --prefix "${PREFIXO}"
    RESULT_VARIABLE resultado)
if(NOT resultado EQUAL 0)
    message(FATAL_ERROR "installing the viewer failed: ${resultado}")
endif()
file(GLOB_RECURSE instalados RELATIVE "${PREFIXO}" "${PREFIXO}/*")
list(SORT instalados)
set(esperados jasperviewer.jar relatorios/mv_relacao_licensa_cliente.relatorio)
if(NOT instalados STREQUAL esperados)
    message(FATAL_ERROR "installed: '${instalados}', expected: '${esperados}'")
endif()
