// Test programs of the layers without widgets: a QCoreApplication only, so a test that needs
// a widget or a display fails to build or to run instead of passing by accident.
#include <gtest/gtest.h>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
