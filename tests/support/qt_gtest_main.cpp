// Entry point of the widget tests: GoogleTest inside a running QApplication.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
