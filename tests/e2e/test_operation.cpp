// The program and the simulator on a pseudo-terminal, driven as the operator does: the
// frames on the wire in order, and what the panel, the screens and the log show.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

#include "tests/e2e/pdf_print.h"
#include "tests/e2e/program_session.h"
#include "tests/e2e/qt_printers.h"
#include "text/qt_1252.h"
#include "widgets/grid.h"

namespace qx7::e2e {
namespace {

QStringList Lista(std::initializer_list<const char*> itens) {
    QStringList lista;
    for (const char* item : itens) {
        lista.append(QString::fromUtf8(item));
    }
    return lista;
}

// A cell as the screen's grid numbers it: row 0 is the heading.
QString Celula(QWidget& tela, const char* grade_utf8, int linha, int coluna) {
    auto* grade = tela.findChild<Grade*>(QString::fromUtf8(grade_utf8));
    if (grade == nullptr) {
        ADD_FAILURE() << "no grid " << grade_utf8;
        return {};
    }
    return De_1252(grade->TextMatrix(linha, coluna));
}

// The units a request and its single answer put on the wire.
QStringList Troca(const char* pedido, const char* resposta) {
    return {QStringLiteral("TX ") + pedido, QStringLiteral("RX ACK"),
            QStringLiteral("RX ") + resposta, QStringLiteral("TX ACK")};
}

class Operacao : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sessao.Iniciada());
        // The opening's "ID02" is acknowledged before the operator starts.
        ASSERT_TRUE(Esperar_Linha(sessao, "Status: Transmissão OK!", 1, Espera_Resposta_ms));
    }

    // Waits for `n` more units on the wire after `desde`.
    QStringList Fio_Apos(int desde, qsizetype n) {
        Esperar([&] { return sessao.Fio(desde).size() >= n; }, Espera_Resposta_ms);
        return sessao.Fio(desde);
    }

    Sessao sessao;
};

TEST_F(Operacao, InicioFechaAConexaoComID02) {
    EXPECT_EQ(sessao.Fio(), Lista({"TX ID02", "RX ACK"}));
    EXPECT_EQ(sessao.Simulador().Pedidos(), Lista({"ID02"}));
    EXPECT_EQ(sessao.Texto("Estado"), "OFF-LINE");
    EXPECT_TRUE(sessao.Habilitado("Abrir_Conexão"));
    EXPECT_FALSE(sessao.Habilitado("Fechar_Conexão"));
    EXPECT_FALSE(sessao.Habilitado("Leitura_Tanques"));
    for (const char* quadro : {"Frame3", "Frame5", "Frame6", "Frame8"}) {
        EXPECT_FALSE(sessao.Habilitado(quadro)) << quadro;
    }
    EXPECT_TRUE(sessao.Painel().isVisible());
}

TEST_F(Operacao, SenhaCertaIdentificaEConfigura) {
    const int inicio = static_cast<int>(sessao.Log().size());
    ASSERT_TRUE(sessao.Conectar());
    EXPECT_EQ(Fio_Apos(inicio, 8), Troca("ID01", "IDA0121") + Troca("CFqx7", "CF040047111"));
    EXPECT_EQ(sessao.Simulador().Pedidos(), Lista({"ID02", "ID01", "CFqx7"}));
    EXPECT_EQ(sessao.Operador().Vistas(), Lista({"Form3"}));
    // The bytes themselves: STX, payload, ETX and the exclusive-or of payload and ETX.
    const std::vector<std::string> log = sessao.Log();
    for (const std::string& linha :
         {std::string("Tam.Msg.TX= 007 Msg.TX= \x02ID01\x03\x0F"),
          std::string("Tam.Msg.TX= 008 Msg.TX= \x02\x43\x46qx7\x03\x38")}) {
        EXPECT_NE(std::find(log.begin(), log.end(), linha), log.end()) << linha;
    }
    EXPECT_EQ(sessao.Texto("ID_Endereço"), "A01");
    EXPECT_EQ(sessao.Texto("ID_Versão"), "21");
    EXPECT_EQ(sessao.Texto("Estado"), "ON-LINE");
    EXPECT_EQ(sessao.Texto("CF_NumTanques"), "04");
    EXPECT_EQ(sessao.Texto("CF_NumOFE"), "004711");
    EXPECT_EQ(sessao.Texto("CF_TipoMedidor"), "Posto");
    EXPECT_TRUE(sessao.Habilitado("TQ_Ativo(3)"));
    EXPECT_FALSE(sessao.Habilitado("TQ_Ativo(4)"));
    EXPECT_FALSE(sessao.Habilitado("Abrir_Conexão"));
    EXPECT_TRUE(sessao.Habilitado("Fechar_Conexão"));
    EXPECT_TRUE(sessao.Habilitado("Leitura_Tanques"));
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Transmitiu ACK!"), 2);
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Transmissão OK!"), 3) << Texto_Do_Log(sessao.Prog());
}

TEST_F(Operacao, SenhaErradaDeixaOPainelTravado) {
    const int inicio = static_cast<int>(sessao.Log().size());
    EXPECT_FALSE(sessao.Conectar(QStringLiteral("errada"), Espera_Negativa_ms));
    EXPECT_EQ(Fio_Apos(inicio, 6), Troca("ID01", "IDA0121") + Lista({"TX CFerrada", "RX ACK"}));
    EXPECT_EQ(sessao.Simulador().Pedidos().last(), "CFerrada");
    EXPECT_EQ(sessao.Texto("Estado"), "ON-LINE");
    EXPECT_EQ(sessao.Texto("ID_Endereço"), "A01");
    EXPECT_EQ(sessao.Texto("CF_NumTanques"), "");
    EXPECT_FALSE(sessao.Habilitado("Frame5"));
    EXPECT_FALSE(sessao.Habilitado("Leitura_Tanques"));
    EXPECT_TRUE(sessao.Habilitado("Abrir_Conexão"));
}

struct Caso_Botao {
    const char* tanque;  // the tank button pressed first, or nullptr
    const char* botao;
    const char* pedido;
    const char* resposta;  // the start of the answer's payload
    const char* caixa;     // a panel box the answer fills
    const char* texto;
};

TEST_F(Operacao, CadaBotaoDeComando) {
    ASSERT_TRUE(sessao.Conectar());
    const Caso_Botao casos[] = {
        {nullptr, "LR_Cmd", "LR", "LR", "LR_Data", "07/12/26"},
        {"TQ_Ativo(2)", "LM_Cmd", "LM03", "LM 03", "MT_Vol_Medido", "005400"},
        {"TQ_Ativo(2)", "MT_Cmd", "MT03", "MT 03", "Label8", "Peso Medido"},
        {"TQ_Ativo(2)", "MT_Cmd", "MT03", "MT 03", "Label9", "Peso Complementar"},
        {"TQ_Ativo(2)", "MT_Cmd", "MT03", "MT 03", "MT_Vol_Complementar", "006600"},
        {"TQ_Ativo(2)", "MT_Cmd", "MT03", "MT 03", "Percentual", "45%1%"},
        {"TQ_Ativo(2)", "MT_Cmd", "MT03", "MT 03", "MT_Data", "07/12/26"},
        {"TQ_Ativo(0)", "MT_Cmd", "MT01", "MT 01", "MT_Densidade", "0745"},
    };
    for (const Caso_Botao& caso : casos) {
        SCOPED_TRACE(caso.pedido);
        if (caso.tanque != nullptr) {
            sessao.Clicar(caso.tanque);
        }
        const int inicio = static_cast<int>(sessao.Log().size());
        sessao.Clicar(caso.botao);
        const QStringList fio = Fio_Apos(inicio, 4);
        ASSERT_EQ(fio.size(), 4) << fio.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(fio[0], QStringLiteral("TX ") + caso.pedido);
        EXPECT_EQ(fio[1], "RX ACK");
        EXPECT_TRUE(fio[2].startsWith(QStringLiteral("RX ") + caso.resposta))
            << fio[2].toStdString();
        EXPECT_EQ(fio[3], "TX ACK");
        EXPECT_EQ(sessao.Texto("Comando_QX7"), caso.pedido);
        EXPECT_EQ(sessao.Texto(caso.caixa),
                  QString::fromUtf8(caso.texto)
                      .replace(QStringLiteral("%1"), QLocale::system().decimalPoint()));
    }
    EXPECT_EQ(sessao.Texto("LR_Dia"), "02");  // 7 December 2026 is a Monday
    EXPECT_TRUE(sessao.Texto("LR_Hora").startsWith(QStringLiteral("08:0")))
        << sessao.Texto("LR_Hora").toStdString();
    EXPECT_EQ(sessao.Texto("QX7_Tanque"), "01");
    EXPECT_EQ(sessao.Texto("MT_Capacidade"), "030000");
    EXPECT_EQ(sessao.Texto("MT_Produto"), "01");
    EXPECT_EQ(sessao.Texto("Inf_Erro"), "Término da(s) leitura(s) do(s) tanque(s)!");
    EXPECT_EQ(sessao.Texto("Label8"), "Volume Medido");
    EXPECT_EQ(sessao.Prog().Variaveis().Tabela_Tanques[3][1], "005400");
    EXPECT_EQ(sessao.Prog().Variaveis().Tabela_Tanques[3][4], "07");

    const int inicio = static_cast<int>(sessao.Log().size());
    sessao.Clicar("MA_Cmd");
    const QStringList fio = Fio_Apos(inicio, 10);
    ASSERT_EQ(fio.size(), 10) << fio.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(fio[0], "TX MA");
    EXPECT_EQ(fio[1], "RX ACK");
    for (int t = 0; t < 4; ++t) {
        EXPECT_TRUE(fio[2 + 2 * t].startsWith(QStringLiteral("RX MA 0%1").arg(t + 1)))
            << fio[2 + 2 * t].toStdString();
        EXPECT_EQ(fio[3 + 2 * t], "TX ACK");
    }
    EXPECT_EQ(sessao.Texto("QX7_Tanque"), "04");
    EXPECT_EQ(sessao.Texto("MT_Produto"), "03");
    EXPECT_TRUE(sessao.Operador().Vistas() == Lista({"Form3"}));  // no inventory screen
}

TEST_F(Operacao, ComandoDigitado) {
    ASSERT_TRUE(sessao.Conectar());
    const int inicio = static_cast<int>(sessao.Log().size());
    sessao.Escrever("Comando_QX7", QStringLiteral("ar"));
    sessao.Clicar("Transmitir");
    EXPECT_EQ(sessao.Texto("Comando_QX7"), "AR");
    const QStringList fio = Fio_Apos(inicio, 4);
    ASSERT_EQ(fio.size(), 4);
    EXPECT_EQ(fio[0], "TX AR");
    EXPECT_TRUE(fio[2].startsWith(QStringLiteral("RX AR"))) << fio[2].toStdString();
    EXPECT_EQ(sessao.Texto("LR_Data"), "07/12/26");
    EXPECT_EQ(sessao.Simulador().Pedidos().last(), "AR");
}

TEST_F(Operacao, InventarioMostraTabelasEImprimeEmPdf) {
    ASSERT_TRUE(sessao.Conectar());
    const QString pdf = QDir::temp().filePath(
        QStringLiteral("qx7-e2e-inventario-%1.pdf").arg(QCoreApplication::applicationPid()));
    QStringList tanques;
    QString produto;
    bool impresso = false;
    sessao.Operador().Quando(QStringLiteral("Form2"), [&](QWidget& tela) {
        for (int linha = 1; linha <= 4; ++linha) {
            tanques.append(Celula(tela, "Leitura", linha, 0));
        }
        produto = Celula(tela, "Inventário", 1, 0);
        impresso = Imprimir_Em_Pdf(tela, pdf);
        Clicar(tela, "Retornar");
    });
    sessao.Clicar("IV_Cmd");
    ASSERT_TRUE(Esperar([&] { return sessao.Operador().Concluido(); }, Espera_Resposta_ms));
    EXPECT_EQ(tanques, Lista({" 01", " 02", " 03", " 04"}));
    EXPECT_FALSE(produto.isEmpty());
    EXPECT_FALSE(sessao.Prog().Variaveis().Modo_Inventario);
    ASSERT_TRUE(impresso);
    const Paginas_Pdf paginas = Ler_Pdf(pdf);
    EXPECT_EQ(paginas.paginas, 1);
    EXPECT_GT(paginas.tinta, 0.01);
    QFile::remove(pdf);

    // "Leitura dos Tanques" shows the same tables again without asking the gauge.
    const int inicio = static_cast<int>(sessao.Log().size());
    QString primeiro;
    sessao.Operador().Quando(QStringLiteral("Form2"), [&](QWidget& tela) {
        primeiro = Celula(tela, "Leitura", 1, 0);
        Clicar(tela, "Retornar");
    });
    sessao.Clicar("Leitura_Tanques");
    EXPECT_TRUE(sessao.Operador().Concluido());
    EXPECT_EQ(primeiro, " 01");
    EXPECT_TRUE(sessao.Fio(inicio).isEmpty());
}

TEST_F(Operacao, MedicoesProgramadasMostramResultadosEImprimemEmPdf) {
    ASSERT_TRUE(sessao.Conectar());
    const QString pdf = QDir::temp().filePath(
        QStringLiteral("qx7-e2e-resultados-%1.pdf").arg(QCoreApplication::applicationPid()));
    QStringList linhas;
    QString progresso;
    bool impresso = false;
    sessao.Operador()
        .Quando(QStringLiteral("Form6"),
                [](QWidget& tela) {
                    Digitar(tela, "Data_Medições", QStringLiteral("061226"));
                    Clicar(tela, "Solicitar_Medições");
                })
        .Quando(QStringLiteral("Form5"), [&](QWidget& tela) {
            for (int linha = 1; linha <= 3; ++linha) {
                QStringList celulas;
                for (int coluna = 0; coluna < 4; ++coluna) {
                    celulas.append(Celula(tela, "Resultados_MedProg", linha, coluna));
                }
                linhas.append(celulas.join(QLatin1Char('|')));
            }
            progresso = sessao.Texto("Inf_Erro");
            impresso = Imprimir_Em_Pdf(tela, pdf);
            Clicar(tela, "Retornar");
        });
    const int inicio = static_cast<int>(sessao.Log().size());
    sessao.Clicar("Medição_Programada");
    ASSERT_TRUE(Esperar([&] { return sessao.Operador().Concluido(); }, Espera_Resposta_ms));
    const QStringList fio = sessao.Fio(inicio);
    ASSERT_EQ(fio.size(), 8) << fio.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(fio[0], "TX MP061226");
    EXPECT_EQ(fio[1], "RX ACK");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(fio[2 + 2 * i].startsWith(QStringLiteral("RX MP")))
            << fio[2 + 2 * i].toStdString();
        EXPECT_EQ(fio[3 + 2 * i], "TX ACK");
    }
    EXPECT_EQ(sessao.Prog().Variaveis().Num_Medicoes, 3);
    EXPECT_EQ(progresso, "Recebendo a medição No. 3");
    EXPECT_EQ(sessao.Texto("Inf_Erro"), "");  // cleared once the results screen closed
    EXPECT_EQ(linhas.size(), 3);
    EXPECT_TRUE(linhas[0].contains(QStringLiteral("019500")))
        << linhas.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(linhas[2].contains(QStringLiteral("018900")))
        << linhas.join(QLatin1Char(' ')).toStdString();
    ASSERT_TRUE(impresso);
    const Paginas_Pdf paginas = Ler_Pdf(pdf);
    EXPECT_EQ(paginas.paginas, 1);
    EXPECT_GT(paginas.tinta, 0.01);
    QFile::remove(pdf);
}

TEST_F(Operacao, DataSemMedicoesRecebeSL) {
    ASSERT_TRUE(sessao.Conectar());
    sessao.Operador().Quando(QStringLiteral("Form6"), [](QWidget& tela) {
        Digitar(tela, "Data_Medições", QStringLiteral("011226"));
        Clicar(tela, "Solicitar_Medições");
    });
    const int inicio = static_cast<int>(sessao.Log().size());
    sessao.Clicar("Medição_Programada");
    const QStringList fio = Fio_Apos(inicio, 4);
    EXPECT_EQ(fio, Lista({"TX MP011226", "RX ACK", "RX MPESL", "TX ACK"}));
    EXPECT_TRUE(Esperar([&] { return sessao.Texto("Inf_Erro") == "Não há medições para a data !"; },
                        Espera_Resposta_ms));
    EXPECT_EQ(sessao.Prog().Variaveis().Num_Medicoes, 0);
    EXPECT_FALSE(sessao.Operador().Vistas().contains("Form5"));
}

TEST_F(Operacao, DesconectarVoltaAoEstadoInicial) {
    ASSERT_TRUE(sessao.Conectar());
    const int inicio = static_cast<int>(sessao.Log().size());
    sessao.Clicar("Fechar_Conexão");
    EXPECT_EQ(Fio_Apos(inicio, 2), Lista({"TX ID02", "RX ACK"}));
    EXPECT_EQ(sessao.Texto("Estado"), "OFF-LINE");
    for (const char* caixa :
         {"ID_Endereço", "ID_Versão", "CF_NumTanques", "CF_NumOFE", "CF_TipoMedidor"}) {
        EXPECT_EQ(sessao.Texto(caixa), "") << caixa;
    }
    EXPECT_FALSE(sessao.Habilitado("Frame5"));
    EXPECT_FALSE(sessao.Habilitado("Fechar_Conexão"));
    EXPECT_TRUE(sessao.Habilitado("Abrir_Conexão"));
    EXPECT_TRUE(
        sessao.Achar<QWidget>("TQ_Ativo(15)")->isEnabledTo(sessao.Achar<QWidget>("Frame5")));
    // And the connection can be made again.
    EXPECT_TRUE(sessao.Conectar());
}

TEST_F(Operacao, LimparLogEsvaziaALista) {
    ASSERT_TRUE(sessao.Conectar());
    ASSERT_FALSE(sessao.Log().empty());
    sessao.Clicar("Limpar_Log");
    EXPECT_TRUE(sessao.Log().empty());
    // The link goes on logging into the emptied list.
    sessao.Clicar("LR_Cmd");
    EXPECT_EQ(Fio_Apos(0, 4).value(0), "TX LR");
}

// The configuration screen over a running program: it shows the configured port and cannot
// open the one the panel holds; closing it leaves the link working.
TEST_F(Operacao, ConfiguracaoNaoTocaNaPortaDoPainel) {
    ASSERT_TRUE(sessao.Conectar());
    QString configurada;
    QStringList encontradas;
    sessao.Operador().Quando(QStringLiteral("Form4"), [&](QWidget& tela) {
        configurada = tela.findChild<QLineEdit*>(QStringLiteral("CS_Ativo"))->text();
        Clicar(tela, "Localizar_COMs");
        auto* portas = tela.findChild<QComboBox*>(QStringLiteral("Def_COMs"));
        for (int i = 0; i < portas->count(); ++i) {
            encontradas.append(portas->itemText(i));
        }
        Clicar(tela, "Retornar");
    });
    sessao.Clicar("Configuração");
    EXPECT_TRUE(sessao.Operador().Concluido());
    EXPECT_EQ(configurada, "COM1");
    EXPECT_FALSE(encontradas.contains(QStringLiteral("COM1")));
    EXPECT_TRUE(sessao.Prog().Canal_Serial().PortOpen());
    const int inicio = static_cast<int>(sessao.Log().size());
    sessao.Clicar("LR_Cmd");
    EXPECT_EQ(Fio_Apos(inicio, 4).value(2).left(5), "RX LR");
}

TEST_F(Operacao, SairFechaAPortaEEncerraOPrograma) {
    ASSERT_TRUE(sessao.Conectar());
    QTimer::singleShot(0, [this] { sessao.Clicar("Sair"); });
    // Bounds the wait: a program that did not end would be ended with another code.
    QTimer guarda;
    guarda.setSingleShot(true);
    QObject::connect(&guarda, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guarda.start(Espera_Resposta_ms);
    EXPECT_EQ(QApplication::exec(), 0);
    // Closing the last window also posted a request to quit; the tests after this one run
    // modal screens that it would end at once.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::Quit);
    EXPECT_FALSE(sessao.Painel().isVisible());
    EXPECT_FALSE(sessao.Prog().Canal_Serial().PortOpen());
    const std::size_t linhas = sessao.Log().size();
    Observar(1100);
    EXPECT_EQ(sessao.Log().size(), linhas);
}

}  // namespace
}  // namespace qx7::e2e
