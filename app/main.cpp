// Comunicação QX7: supervises a QX7/QXV7 tank gauge over one serial line.

#include <QApplication>
#include <QLocale>
#include <iostream>

#include "app/program.h"
#include "app/program_options.h"
#include "screens/history/history_window.h"
#include "service/service.h"
#include "station/base_dir.h"
#include "station/csv_export_command.h"
#include "station/history_wiring.h"
#include "widgets/fonts.h"
#include "widgets/translations.h"

namespace {

QStringList Argumentos(int argc, char** argv) {
    QStringList argumentos;
    for (int i = 1; i < argc; ++i) {
        argumentos << QString::fromLocal8Bit(argv[i]);
    }
    return argumentos;
}

int Recusar(const QString& erro) {
    std::cerr << "comunicacao-qx7: " << erro.toStdString() << '\n'
              << qx7::Uso_Programa().toStdString() << '\n';
    return qx7::Saida_Argumentos_Invalidos;
}

// The export runs without a window and leaves the port alone.
int Exportar(int argc, char** argv, const qx7::Linha_Comando& linha) {
    QString erro;
    const auto pedido = qx7::Ler_Pedido_Exportacao(linha.opcoes, erro);
    if (!pedido) {
        return Recusar(erro);
    }
    const QCoreApplication nucleo(argc, argv);
    return qx7::Executar_Exportacao(*pedido, qx7::Diretorio_Base_Padrao(), QLocale(), std::cout,
                                    std::cerr);
}

// The history window alone, over the file given or the base directory's; no panel, no port.
int Mostrar_Historico(const QString& arquivo) {
    qx7::Servicos_Historico servicos;
    servicos.arquivo = arquivo.isEmpty() ? qx7::Arquivo_No_Diretorio(qx7::Diretorio_Base_Padrao(),
                                                                     qx7::Arquivo_Historico)
                                         : arquivo;
    qx7::Janela_Historico janela(servicos);
    janela.show();
    return QApplication::exec();
}

// Qt ends the program with an abort when it finds no display to open a window on: the
// operator is told instead what runs without one.
bool Sem_Tela() {
#ifdef Q_OS_LINUX
    const QByteArray plataforma = qgetenv("QT_QPA_PLATFORM");
    const bool precisa_de_tela =
        plataforma.isEmpty() || plataforma.startsWith("xcb") || plataforma.startsWith("wayland");
    return precisa_de_tela && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

int Recusar_Sem_Tela() {
    std::cerr << "comunicacao-qx7: não há tela para a janela (DISPLAY e WAYLAND_DISPLAY "
                 "vazios).\nPara ler o medidor sem janela: comunicacao-qx7 --servico (ou o "
                 "serviço comunicacao-qx7@USUARIO do systemd);\npara exportar as leituras: "
                 "comunicacao-qx7 --exportar-csv ARQUIVO. Veja man comunicacao-qx7.\n";
    return qx7::Saida_Sem_Tela;
}

}  // namespace

int main(int argc, char** argv) {
    QString erro;
    const std::optional<qx7::Linha_Comando> linha =
        qx7::Ler_Linha_Comando(Argumentos(argc, argv), erro);
    if (!linha) {
        return Recusar(erro);
    }
    if (linha->modo == qx7::Modo_Programa::Exportacao) {
        return Exportar(argc, argv, *linha);
    }
    if (linha->modo == qx7::Modo_Programa::Servico) {
        // No window and no display: the station alone, for systemd.
        return qx7::Executar_Servico(argc, argv);
    }
    if (Sem_Tela()) {
        return Recusar_Sem_Tela();
    }
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();
    qx7::Carregar_Traducoes_Qt(aplicacao);
    if (linha->modo == qx7::Modo_Programa::Historico) {
        return Mostrar_Historico(linha->opcoes.front().valor);
    }
    qx7::Programa programa(qx7::Diretorio_Base_Padrao());
    if (!programa.Iniciar()) {
        return 0;
    }
    return QApplication::exec();
}
