# The PostgreSQL client library beside the program, where the database layer loads it from:
# DLL/lib/libpq.so.5 (DLL/lib/libpq.dll on Windows) in the program's folder.
#
# LANCADOR_LIBPQ names the library file that is put there; by default the system's libpq.
# Point it at another one with -DLANCADOR_LIBPQ=/path/to/libpq.so.5.

if(WIN32)
    set(LANCADOR_NOME_LIBPQ libpq.dll)
    find_file(LANCADOR_LIBPQ ${LANCADOR_NOME_LIBPQ} PATH_SUFFIXES bin
              DOC "The PostgreSQL client library placed in DLL/lib beside the program")
    # libpq.dll needs its own libraries (SSL, crypto, intl...) in the same folder.
    set(LANCADOR_LIBPQ_DEPENDENCIAS "" CACHE STRING
        "Further libraries copied beside libpq.dll in DLL/lib (a list of full paths)")
else()
    set(LANCADOR_NOME_LIBPQ libpq.so.5)
    find_library(LANCADOR_LIBPQ NAMES ${LANCADOR_NOME_LIBPQ}
                 DOC "The PostgreSQL client library placed in DLL/lib beside the program")
endif()
if(NOT LANCADOR_LIBPQ)
    message(FATAL_ERROR "${LANCADOR_NOME_LIBPQ} not found: install libpq5 (Debian) or set "
                        "LANCADOR_LIBPQ to the library's path")
endif()

# lancador_libpq_ao_lado(<target> [INSTALAR <folder>])
# After each build of <target>, its folder gets DLL/lib with the client library (a link to
# LANCADOR_LIBPQ; copies on Windows). INSTALAR does the same in the installed program's
# <folder> (relative to the install prefix, or absolute).
function(lancador_libpq_ao_lado alvo)
    cmake_parse_arguments(L "" "INSTALAR" "" ${ARGN})
    set(pasta "$<TARGET_FILE_DIR:${alvo}>/DLL/lib")
    if(WIN32)
        set(colocar copy_if_different ${LANCADOR_LIBPQ} ${LANCADOR_LIBPQ_DEPENDENCIAS} "${pasta}")
    else()
        set(colocar create_symlink ${LANCADOR_LIBPQ} "${pasta}/${LANCADOR_NOME_LIBPQ}")
    endif()
    add_custom_command(TARGET ${alvo} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory "${pasta}"
        COMMAND ${CMAKE_COMMAND} -E ${colocar}
        VERBATIM)

    if(L_INSTALAR)
        if(WIN32)
            install(FILES ${LANCADOR_LIBPQ} ${LANCADOR_LIBPQ_DEPENDENCIAS}
                    DESTINATION "${L_INSTALAR}/DLL/lib")
        else()
            install(CODE "
                set(pasta \"${L_INSTALAR}/DLL/lib\")
                if(NOT IS_ABSOLUTE \"\${pasta}\")
                    set(pasta \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${pasta}\")
                endif()
                file(MAKE_DIRECTORY \"\${pasta}\")
                message(STATUS \"Linking: \${pasta}/${LANCADOR_NOME_LIBPQ}\")
                file(CREATE_LINK \"${LANCADOR_LIBPQ}\" \"\${pasta}/${LANCADOR_NOME_LIBPQ}\" SYMBOLIC)
            ")
        endif()
    endif()
endfunction()

# lancador_servidor_pg_de_teste(<target>)
# Gives <target> the throw-away PostgreSQL server of tests/support/servidor_pg.h, which runs
# scripts/servidor_pg.sh.
function(lancador_servidor_pg_de_teste alvo)
    target_sources(${alvo} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/servidor_pg.cpp)
    target_compile_definitions(${alvo} PRIVATE
        LANCADOR_SCRIPT_SERVIDOR_PG="${PROJECT_SOURCE_DIR}/scripts/servidor_pg.sh")
endfunction()
