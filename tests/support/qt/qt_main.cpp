// Test programs with widgets need one QApplication alive for the whole run.
#include <gtest/gtest.h>
#include <QApplication>

#include "widgets/fonts.h"
#include "widgets/translations.h"

int main(int argc, char** argv) {
    // Tests never need a display; the build also runs them to list their cases.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();
    qx7::Carregar_Traducoes_Qt(aplicacao);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
