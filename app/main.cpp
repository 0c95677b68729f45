// Comunicação QX7: supervises a QX7/QXV7 tank gauge over one serial line.

#include <QApplication>

#include "app/base_dir.h"
#include "app/fonts.h"
#include "app/main_panel.h"
#include "app/serial_port_qt.h"
#include "app/startup_qt.h"
#include "gauge/shared_tables.h"

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();

    qx7::Variaveis_Programa variaveis;
    variaveis.Diretorio_Base = qx7::Diretorio_Base_Padrao();
    qx7::Porta_Serial_Qt canal_serial(variaveis.Diretorio_Base);
    qx7::Form1 painel(variaveis, canal_serial, qx7::Servicos_Do_Programa(variaveis));
    if (!painel.Form_Load()) {
        return 0;
    }
    painel.show();
    return QApplication::exec();
}
