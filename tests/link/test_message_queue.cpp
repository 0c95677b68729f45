#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "link/message_queue.h"

namespace qx7 {
namespace {

TEST(Fila_Mensagens, ComecaVaziaComIndicesZero) {
    Fila_Mensagens fila;
    EXPECT_TRUE(fila.Vazia());
    EXPECT_EQ(fila.Indice_Grava(), 0);
    EXPECT_EQ(fila.Indice_Le(), 0);
    EXPECT_EQ(fila.Aguardando(), 0);
}

TEST(Fila_Mensagens, LeituraDeFilaVaziaDaTextoVazioENaoMexeNosIndices) {
    Fila_Mensagens fila;
    EXPECT_EQ(fila.Apanhar(), "");
    EXPECT_EQ(fila.Indice_Le(), 0);
    fila.Armazenar("LR");
    EXPECT_EQ(fila.Apanhar(), "LR");
    EXPECT_EQ(fila.Apanhar(), "");
    EXPECT_EQ(fila.Indice_Le(), 1);
    EXPECT_EQ(fila.Indice_Grava(), 1);
}

TEST(Fila_Mensagens, EntregaNaOrdemDeChegada) {
    Fila_Mensagens fila;
    for (const char* texto : {"ID01", "CF1234", "LR"}) {
        fila.Armazenar(texto);
    }
    EXPECT_EQ(fila.Aguardando(), 3);
    EXPECT_EQ(fila.Apanhar(), "ID01");
    EXPECT_EQ(fila.Apanhar(), "CF1234");
    EXPECT_EQ(fila.Apanhar(), "LR");
    EXPECT_TRUE(fila.Vazia());
}

TEST(Fila_Mensagens, IndiceDaQuinquagesimaEscritaE50EDaSeguinteE0) {
    Fila_Mensagens fila;
    for (int i = 1; i <= 49; ++i) {
        EXPECT_EQ(fila.Armazenar("m" + std::to_string(i)), i);
    }
    EXPECT_EQ(fila.Armazenar("m50"), 50);
    fila.Apanhar();
    EXPECT_EQ(fila.Armazenar("m51"), 0);
    EXPECT_EQ(fila.Apanhar(), "m2");
    EXPECT_EQ(fila.Armazenar("m52"), 1);
    for (int i = 3; i <= 52; ++i) {
        EXPECT_EQ(fila.Apanhar(), "m" + std::to_string(i));
    }
    EXPECT_TRUE(fila.Vazia());
    EXPECT_EQ(fila.Indice_Le(), 1);
}

TEST(Fila_Mensagens, CheiaCom50RecusaAProximaEPreservaAsQueEsperam) {
    Fila_Mensagens fila;
    for (int i = 0; i < Fila_Mensagens::Capacidade; ++i) {
        ASSERT_TRUE(fila.Armazenar(std::to_string(i)));
    }
    EXPECT_TRUE(fila.Cheia());
    EXPECT_EQ(fila.Armazenar("a mais"), std::nullopt);
    EXPECT_EQ(fila.Aguardando(), 50);
    EXPECT_EQ(fila.Indice_Grava(), 50);
    for (int i = 0; i < Fila_Mensagens::Capacidade; ++i) {
        EXPECT_EQ(fila.Apanhar(), std::to_string(i));
    }
    EXPECT_TRUE(fila.Vazia());
}

TEST(Fila_Mensagens, RecusaTambemDepoisDeDarAVolta) {
    Fila_Mensagens fila;
    for (int i = 0; i < 30; ++i) {
        fila.Armazenar("x");
        fila.Apanhar();
    }
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(fila.Armazenar(std::to_string(i))) << i;
    }
    EXPECT_FALSE(fila.Armazenar("51"));
    EXPECT_EQ(fila.Indice_Grava(), 29);
    EXPECT_EQ(fila.Apanhar(), "0");
}

TEST(Fila_Mensagens, TextoVazioOcupaUmaPosicao) {
    Fila_Mensagens fila;
    EXPECT_EQ(fila.Armazenar(""), 1);
    EXPECT_FALSE(fila.Vazia());
    EXPECT_EQ(fila.Apanhar(), "");
    EXPECT_TRUE(fila.Vazia());
}

}  // namespace
}  // namespace qx7
