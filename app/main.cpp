// Comunicação QX7: supervises a QX7/QXV7 tank gauge over one serial line.

#include <QApplication>

#include "app/base_dir.h"
#include "app/program.h"
#include "widgets/fonts.h"
#include "widgets/translations.h"

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();
    qx7::Carregar_Traducoes_Qt(aplicacao);

    qx7::Programa programa(qx7::Diretorio_Base_Padrao());
    if (!programa.Iniciar()) {
        return 0;
    }
    return QApplication::exec();
}
