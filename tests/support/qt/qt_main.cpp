// Test programs with widgets need one QApplication alive for the whole run.
#include <QApplication>
#include <gtest/gtest.h>

#include "app/fonts.h"

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
