#include "app/startup_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/setup_services.h"
#include "screens/setup/form4.h"
#include "station/serial_port_qt.h"

namespace qx7 {

bool Abrir_Configuracao(Variaveis_Programa& variaveis, QWidget* pai) {
    Form4 tela(variaveis, Servicos_Configuracao(variaveis.Diretorio_Base), pai);
    tela.exec();
    return tela.Escolheu_Porta();
}

// Asked before the panel is shown: over a hidden panel the box would open at its corner, so it
// then opens on its own, centred on the screen.
bool Perguntar_Saida(QWidget* pai) {
    QMessageBox pergunta(QMessageBox::Question, QStringLiteral("Comunicação QX7"),
                         QStringLiteral("Nenhuma porta serial utilizável foi configurada. "
                                        "Deseja sair do programa?"),
                         QMessageBox::NoButton, pai != nullptr && pai->isVisible() ? pai : nullptr);
    QPushButton* sim = pergunta.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
    QPushButton* nao = pergunta.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
    pergunta.setDefaultButton(nao);
    pergunta.exec();
    return pergunta.clickedButton() == sim;
}

void Encerrar_Programa() {
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

Servicos_Form1 Servicos_Do_Programa(Variaveis_Programa& variaveis) {
    Servicos_Form1 servicos;
    servicos.abrir_configuracao = [&variaveis](QWidget* pai) {
        return Abrir_Configuracao(variaveis, pai);
    };
    servicos.confirmar_saida = Perguntar_Saida;
    servicos.encerrar = Encerrar_Programa;
    return servicos;
}

}  // namespace qx7
