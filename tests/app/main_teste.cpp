// Entry of the start-up and filter window tests: GoogleTest inside the program's own
// application object, so that errors escaping event handlers reach its default error report.
#include "app/Aplicacao.h"
#include "tests/app/apoio.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Headless also where test discovery runs the program outside the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    argumentosDoProcessoDeTeste().assign(argv, argv + argc);
    TAplicacao aplicacao(argv[0]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
