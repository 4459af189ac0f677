// Entry point of the widget tests: GoogleTest inside a running QApplication.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery at build time runs the program too, often without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
