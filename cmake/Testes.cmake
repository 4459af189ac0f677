include(GoogleTest)

# lancador_teste(<name> SOURCES <files...> LIBS <targets...> [QT])
# One GoogleTest executable registered with CTest, test by test. QT gives it a QApplication
# (tests/support/qt_gtest_main.cpp) and runs it headless.
function(lancador_teste nome)
    cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${nome} ${T_SOURCES})
    target_link_libraries(${nome} PRIVATE ${T_LIBS} GTest::gtest)
    if(T_QT)
        target_sources(${nome} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/qt_gtest_main.cpp)
        target_link_libraries(${nome} PRIVATE Qt6::Widgets Qt6::Test)
        set_target_properties(${nome} PROPERTIES AUTOMOC ON)
        set(ambiente "QT_QPA_PLATFORM=offscreen")
    else()
        target_link_libraries(${nome} PRIVATE GTest::gtest_main)
        set(ambiente "")
    endif()
    if(WIN32)
        # Under Wine, in the test run's prefix (tests/e2e); one CTest test per program.
        add_test(NAME ${nome} COMMAND wine $<TARGET_FILE:${nome}>)
        set_tests_properties(${nome} PROPERTIES FIXTURES_REQUIRED prefixo_wine TIMEOUT 120
            ENVIRONMENT "WINEPREFIX=${LANCADOR_PREFIXO_WINE};WINEDEBUG=-all")
        return()
    endif()
    if(LANCADOR_SANITIZE)
        target_sources(${nome} PRIVATE
            ${PROJECT_SOURCE_DIR}/tests/support/dependencias_da_libpq_residentes.cpp)
        target_compile_definitions(${nome} PRIVATE LIBPQ_RESIDENTE="${LANCADOR_LIBPQ}")
    endif()
    gtest_discover_tests(${nome} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${ambiente}" TIMEOUT 120)
endfunction()
