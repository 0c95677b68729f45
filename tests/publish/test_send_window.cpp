// The window in flight: the cursor of a stream moves only over rows the broker acknowledged
// with every row before them, whatever order the acknowledgements come in; a lost connection
// leaves the cursor where it was. Retained topics keep their newest content until it is
// acknowledged; live readings wait in a bounded queue that drops the oldest.

#include <gtest/gtest.h>

#include "publish/pending_messages.h"
#include "publish/send_window.h"

namespace qx7 {
namespace {

Origem_Mensagem Linha(Fluxo fluxo, qint64 id) {
    return {.tipo = Origem_Mensagem::Tipo::Linha, .fluxo = fluxo, .numero = id};
}

struct Caso_Cursor {
    const char* nome;
    std::vector<int> confirmadas;  // the rows 11..15, sent with ids 1..5, acknowledged in order
    qint64 cursor;
};

class Cursor_Da_Janela : public ::testing::TestWithParam<Caso_Cursor> {};

TEST_P(Cursor_Da_Janela, AvancaSoSobreConfirmacoesSemBuraco) {
    Janela_Envio janela(8);
    janela.Definir_Cursores({10, 0, 0, 0});
    for (int id = 1; id <= 5; ++id) {
        janela.Enviada(id, Linha(Fluxo::Leituras, 10 + id));
    }
    for (int id : GetParam().confirmadas) {
        ASSERT_TRUE(janela.Confirmada(id).has_value());
    }
    EXPECT_EQ(janela.Cursor(Fluxo::Leituras), GetParam().cursor);
    EXPECT_EQ(janela.Em_Voo(), 5 - GetParam().confirmadas.size());
}

INSTANTIATE_TEST_SUITE_P(Casos, Cursor_Da_Janela,
                         ::testing::Values(Caso_Cursor{"Nenhuma", {}, 10},
                                           Caso_Cursor{"EmOrdem", {1, 2, 3}, 13},
                                           Caso_Cursor{"FaltaAPrimeira", {2, 3, 4, 5}, 10},
                                           Caso_Cursor{"PrimeiraPorUltimo", {5, 4, 3, 2, 1}, 15},
                                           Caso_Cursor{"Buraco", {1, 2, 4, 5}, 12}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Janela_Envio, FluxosTemCursoresProprios) {
    Janela_Envio janela(8);
    janela.Enviada(1, Linha(Fluxo::Leituras, 100));
    janela.Enviada(2, Linha(Fluxo::Alarmes, 7));
    janela.Enviada(3, Linha(Fluxo::Leituras, 101));
    janela.Confirmada(2);
    janela.Confirmada(3);
    EXPECT_EQ(janela.Cursor(Fluxo::Alarmes), 7);
    EXPECT_EQ(janela.Cursor(Fluxo::Leituras), 0);  // 100 still out
    EXPECT_EQ(janela.Cursor(Fluxo::Inventarios), 0);
}

TEST(Janela_Envio, CheiaNoLimiteEEsquecerLiberaSemMoverOCursor) {
    Janela_Envio janela(3);
    for (int id = 1; id <= 3; ++id) {
        EXPECT_FALSE(janela.Cheia());
        janela.Enviada(id, Linha(Fluxo::Leituras, id));
    }
    EXPECT_TRUE(janela.Cheia());
    janela.Confirmada(1);
    EXPECT_FALSE(janela.Cheia());
    janela.Esquecer();
    EXPECT_EQ(janela.Em_Voo(), 0U);
    EXPECT_EQ(janela.Cursor(Fluxo::Leituras), 1);
    // The acknowledgement of a message of the forgotten connection stands for nothing.
    EXPECT_FALSE(janela.Confirmada(2).has_value());
    EXPECT_EQ(janela.Cursor(Fluxo::Leituras), 1);
    // Sent again from the cursor, the rows move it as before.
    janela.Enviada(7, Linha(Fluxo::Leituras, 2));
    janela.Confirmada(7);
    EXPECT_EQ(janela.Cursor(Fluxo::Leituras), 2);
}

TEST(Mensagens_Retidas, SoAMaisNovaEUmaDeCadaVezPorTopico) {
    Mensagens_Retidas retidas;
    retidas.Definir("t/1", "a");
    retidas.Definir("t/1", "b");
    const std::optional<Mensagem_Mqtt> primeira = retidas.Tomar();
    ASSERT_TRUE(primeira.has_value());
    EXPECT_EQ(primeira->conteudo, QByteArray("b"));
    EXPECT_TRUE(primeira->retida);
    // A newer content waits while the older is out, so it cannot be overtaken.
    retidas.Definir("t/1", "c");
    EXPECT_FALSE(retidas.Tomar().has_value());
    retidas.Confirmada("t/1");
    const std::optional<Mensagem_Mqtt> segunda = retidas.Tomar();
    ASSERT_TRUE(segunda.has_value());
    EXPECT_EQ(segunda->conteudo, QByteArray("c"));
    retidas.Confirmada("t/1");
    EXPECT_EQ(retidas.Aguardando(), 0U);
}

TEST(Mensagens_Retidas, OQueEstavaForaVoltaAEsperarAposAQueda) {
    Mensagens_Retidas retidas;
    retidas.Definir("t/1", "a");
    retidas.Definir("t/2", "b");
    ASSERT_TRUE(retidas.Tomar().has_value());
    ASSERT_TRUE(retidas.Tomar().has_value());
    retidas.Confirmada("t/2");
    retidas.Esquecer();
    const std::optional<Mensagem_Mqtt> de_novo = retidas.Tomar();
    ASSERT_TRUE(de_novo.has_value());
    EXPECT_EQ(de_novo->topico, QByteArray("t/1"));
    EXPECT_FALSE(retidas.Tomar().has_value());
}

TEST(Fila_Ao_Vivo, CheiaDescartaAMaisAntigaEConta) {
    Fila_Ao_Vivo fila(2);
    for (const char* conteudo : {"1", "2", "3"}) {
        fila.Enfileirar({.topico = "l", .conteudo = conteudo, .retida = false});
    }
    EXPECT_EQ(fila.Tamanho(), 2U);
    EXPECT_EQ(fila.Descartadas(), 1U);
    const auto primeira = fila.Tomar();
    ASSERT_TRUE(primeira.has_value());
    EXPECT_EQ(primeira->second.conteudo, QByteArray("2"));
}

TEST(Fila_Ao_Vivo, ConfirmadaSaiEsquecidaVoltaEmOrdem) {
    Fila_Ao_Vivo fila(10);
    for (const char* conteudo : {"1", "2", "3"}) {
        fila.Enfileirar({.topico = "l", .conteudo = conteudo, .retida = false});
    }
    const auto um = fila.Tomar();
    const auto dois = fila.Tomar();
    ASSERT_TRUE(um && dois);
    fila.Confirmada(dois->first);
    fila.Esquecer();
    std::vector<QByteArray> reenviadas;
    while (const auto m = fila.Tomar()) {
        reenviadas.push_back(m->second.conteudo);
    }
    EXPECT_EQ(reenviadas, (std::vector<QByteArray>{"1", "3"}));
}

}  // namespace
}  // namespace qx7
