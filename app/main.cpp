// Comunicação QX7: supervises a QX7/QXV7 tank gauge over one serial line.

#include <QApplication>
#include <cstring>
#include <iostream>

#include "app/program.h"
#include "service/service.h"
#include "station/base_dir.h"
#include "station/csv_export_command.h"
#include "widgets/fonts.h"
#include "widgets/translations.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--servico") == 0) {
        // No window and no display: the station alone, for systemd.
        return qx7::Executar_Servico(argc, argv);
    }
    if (qx7::Pede_Exportacao(argc, argv)) {
        // The export runs without a window and leaves the port alone.
        const QCoreApplication nucleo(argc, argv);
        return qx7::Executar_Exportacao(QCoreApplication::arguments().mid(1),
                                        qx7::Diretorio_Base_Padrao(), std::cout, std::cerr);
    }
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();
    qx7::Carregar_Traducoes_Qt(aplicacao);

    qx7::Programa programa(qx7::Diretorio_Base_Padrao());
    if (!programa.Iniciar()) {
        return 0;
    }
    return QApplication::exec();
}
