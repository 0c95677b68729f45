// Each fault the simulator can put on the line, and the program's answer to it as the wire
// and the log show it.

#include <gtest/gtest.h>
#include <QDir>

#include "tests/e2e/program_session.h"
#include "tests/e2e/qt_printers.h"
#include "widgets/grid.h"

namespace qx7::e2e {
namespace {

// Time-outs take five seconds of real time on top of the exchange.
constexpr int Espera_Timeout_ms = 8000;

QStringList Repetir(const QStringList& unidades, int vezes) {
    QStringList lista;
    for (int i = 0; i < vezes; ++i) {
        lista += unidades;
    }
    return lista;
}

QString Juntar(const QStringList& fio) {
    return fio.join(QLatin1Char('|'));
}

TEST(Falhas, DoisNaksSaoRepetidosEOTerceiroPassa) {
    Sessao sessao({QStringLiteral("--nak"), QStringLiteral("2")});
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(Esperar_Linha(sessao, "Status: Transmissão OK!", 1, Espera_Resposta_ms));
    EXPECT_EQ(sessao.Fio(), Repetir({"TX ID02", "RX NAK"}, 2) + QStringList({"TX ID02", "RX ACK"}));
    EXPECT_EQ(sessao.Linhas_Iguais("Status: NACK - Erro de Transmissão!"), 2);
    EXPECT_EQ(sessao.Linhas_Iguais("Status: NACK - Estouro de Retries (3)!"), 0);
    EXPECT_TRUE(sessao.Conectar());
    EXPECT_EQ(sessao.Texto("CF_NumTanques"), "04");
}

TEST(Falhas, QuatroNaksEstouramAsRepeticoes) {
    Sessao sessao({QStringLiteral("--nak"), QStringLiteral("4")});
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(
        Esperar_Linha(sessao, "Status: NACK - Estouro de Retries (3)!", 1, Espera_Resposta_ms));
    EXPECT_EQ(sessao.Fio(), Repetir({"TX ID02", "RX NAK"}, 4));
    EXPECT_EQ(sessao.Linhas_Iguais("Status: NACK - Erro de Transmissão!"), 3);
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Transmissão OK!"), 0);
    // The link is idle again and the next request goes through.
    EXPECT_TRUE(sessao.Conectar());
    EXPECT_EQ(sessao.Linhas_Iguais("Status: NACK - Estouro de Retries (3)!"), 1);
}

TEST(Falhas, BccErradoRecebeNakEARepeticaoPassa) {
    Sessao sessao({QStringLiteral("--bcc-errado=1")});
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(Esperar_Linha(sessao, "Status: Transmissão OK!", 1, Espera_Resposta_ms));
    const int inicio = static_cast<int>(sessao.Log().size());
    ASSERT_TRUE(sessao.Conectar());
    const QStringList fio = sessao.Fio(inicio);
    const QStringList esperado{"TX ID01",    "RX ACK", "RX IDA0121", "TX NAK",
                               "RX IDA0121", "TX ACK", "TX CFqx7"};
    ASSERT_GE(fio.size(), esperado.size()) << Juntar(fio).toStdString();
    EXPECT_EQ(fio.mid(0, esperado.size()), esperado) << Juntar(fio).toStdString();
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Transmitiu NACK!"), 1);
    EXPECT_EQ(sessao.Texto("ID_Endereço"), "A01");
    EXPECT_TRUE(sessao.Simulador().Saida().contains(QStringLiteral("Resposta com BCC errado")));
    EXPECT_TRUE(sessao.Simulador().Saida().contains(QStringLiteral("NAK do programa")));
}

TEST(Falhas, SilencioDaTimeOutDeRecepcao) {
    Sessao sessao({QStringLiteral("--silencio=1")});
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(Esperar_Linha(sessao, "Status: Time-Out de Recepção!", 1, Espera_Timeout_ms));
    EXPECT_EQ(sessao.Fio(), QStringList{"TX ID02"});
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Transmissão OK!"), 0);
    EXPECT_TRUE(sessao.Simulador().Saida().contains(QStringLiteral("ignorado (silêncio)")));
    EXPECT_TRUE(sessao.Conectar());
}

TEST(Falhas, RuidoEntreQuadrosEDescartado) {
    Sessao sessao({QStringLiteral("--ruido")});
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(sessao.Conectar());
    EXPECT_EQ(sessao.Texto("ID_Endereço"), "A01");
    EXPECT_EQ(sessao.Texto("CF_NumTanques"), "04");
    sessao.Clicar("TQ_Ativo(2)");
    sessao.Clicar("LM_Cmd");
    EXPECT_TRUE(
        Esperar([&] { return sessao.Texto("MT_Vol_Medido") == "005400"; }, Espera_Resposta_ms));
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Transmitiu NACK!"), 0);
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Time-Out de Recepção!"), 0);
    // Only whole frames and acknowledgements reach the queue.
    for (const QString& unidade : sessao.Fio()) {
        EXPECT_TRUE(unidade.startsWith(QStringLiteral("TX ")) || unidade == "RX ACK" ||
                    unidade.startsWith(QStringLiteral("RX ID")) ||
                    unidade.startsWith(QStringLiteral("RX CF")) ||
                    unidade.startsWith(QStringLiteral("RX LM 03")))
            << unidade.toStdString();
    }
}

TEST(Falhas, RespostasEmPedacosAindaDecodificam) {
    Sessao sessao({QStringLiteral("--fragmentar=20")});
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(sessao.Conectar());
    EXPECT_EQ(sessao.Texto("CF_NumOFE"), "004711");
    sessao.Clicar("LR_Cmd");
    EXPECT_TRUE(Esperar([&] { return sessao.Texto("LR_Data") == "07/12/26"; }, Espera_Resposta_ms));
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Transmitiu NACK!"), 0);
}

TEST(Falhas, InventarioDeDezesseisTanquesNoRitmoDaLinhaCompleta) {
    Sessao sessao({QStringLiteral("--ritmo"), QStringLiteral("--tanques"), QStringLiteral("16")});
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(sessao.Conectar());
    EXPECT_EQ(sessao.Texto("CF_NumTanques"), "16");
    QStringList tanques;
    sessao.Operador().Quando(QStringLiteral("Form2"), [&](QWidget& tela) {
        auto* leitura = tela.findChild<Grade*>(QStringLiteral("Leitura"));
        for (int linha = 1; leitura != nullptr && linha <= 16; ++linha) {
            tanques.append(QString::fromStdString(leitura->TextMatrix(linha, 0)));
        }
        Clicar(tela, "Retornar");
    });
    sessao.Clicar("IV_Cmd");
    ASSERT_TRUE(Esperar([&] { return sessao.Operador().Concluido(); }, Espera_Resposta_ms));
    QStringList esperados;
    for (int t = 1; t <= 16; ++t) {
        esperados.append(QStringLiteral(" %1").arg(t, 2, 10, QLatin1Char('0')));
    }
    EXPECT_EQ(tanques, esperados);
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Transmitiu NACK!"), 0);
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Time-Out de Recepção!"), 0);
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Transmitiu ACK!"), 2 + 16);
}

TEST(Falhas, OutroEnderecoNaoPedeConfiguracao) {
    Sessao sessao({QStringLiteral("--endereco"), QStringLiteral("B01")});
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(Esperar_Linha(sessao, "Status: Transmissão OK!", 1, Espera_Resposta_ms));
    const int inicio = static_cast<int>(sessao.Log().size());
    EXPECT_FALSE(sessao.Conectar(Senha_Do_Medidor, Espera_Negativa_ms));
    EXPECT_EQ(sessao.Fio(inicio), (QStringList{"TX ID01", "RX ACK", "RX IDB0121", "TX ACK"}));
    EXPECT_EQ(sessao.Texto("ID_Endereço"), "B01");
    EXPECT_EQ(sessao.Texto("Estado"), "ON-LINE");
    EXPECT_EQ(sessao.Texto("CF_NumTanques"), "");
    EXPECT_FALSE(sessao.Habilitado("Frame5"));
    EXPECT_TRUE(sessao.Habilitado("Abrir_Conexão"));
    EXPECT_FALSE(sessao.Simulador().Pedidos().contains(QStringLiteral("CFqx7")));
}

}  // namespace
}  // namespace qx7::e2e
