#include <gtest/gtest.h>

#include "tests/gauge/bench.h"

namespace qx7::teste {
namespace {

constexpr Controle Quadros[] = {Controle::Frame3, Controle::Frame5, Controle::Frame6,
                                Controle::Frame8};
constexpr Controle Caixas_Conexao[] = {Controle::ID_Endereco, Controle::ID_Versao,
                                       Controle::CF_NumTanques, Controle::CF_NumOFE,
                                       Controle::CF_TipoMedidor};

class Conexao : public Bancada {
  protected:
    void Esperar_Travado() const {
        for (const Controle quadro : Quadros) {
            EXPECT_FALSE(painel.Habilitado(quadro));
        }
        EXPECT_TRUE(painel.Habilitado(Controle::Configuracao));
        EXPECT_FALSE(painel.Habilitado(Controle::Fechar_Conexao));
        EXPECT_FALSE(painel.Habilitado(Controle::Leitura_Tanques));
        for (int k = 0; k < 16; ++k) {
            EXPECT_TRUE(painel.Tanque_Habilitado(k)) << k;
        }
    }
};

TEST_F(Conexao, InicializarVariaveisTravaOPainelSemTocarNoResto) {
    for (const Controle quadro : Quadros) {
        painel.Habilitar(quadro, true);
    }
    painel.Habilitar(Controle::Configuracao, false);
    painel.Habilitar(Controle::Fechar_Conexao, true);
    painel.Habilitar(Controle::Leitura_Tanques, true);
    painel.tanques.fill(false);

    medidor.Inicializar_Variaveis();

    Esperar_Travado();
    EXPECT_EQ(painel.habilitados.count(Controle::Abrir_Conexao), 0u);
    EXPECT_TRUE(enlace.eventos.empty());
}

TEST_F(Conexao, ConectarPedeASenhaAntesDeFilaID01) {
    std::size_t eventos_na_senha = 99;
    telas.ao_abrir_senha = [&] {
        eventos_na_senha = enlace.eventos.size();
        variaveis.Senha_Usuario = "segredo";
    };

    medidor.Abrir_Conexao_Click();

    EXPECT_EQ(eventos_na_senha, 0u);
    EXPECT_EQ(telas.abertas, (std::vector<std::string>{"Senha"}));
    EXPECT_EQ(enlace.eventos, (std::vector<std::string>{"estado 1", "TX ID01"}));
}

TEST_F(Conexao, ConectarDuasVezesComSenhaVaziaFilaDoisID01) {
    medidor.Abrir_Conexao_Click();
    medidor.Abrir_Conexao_Click();
    EXPECT_EQ(enlace.mensagens, (std::vector<std::string>{"ID01", "ID01"}));
}

TEST_F(Conexao, DesconectarFilaID02EsvaziaAsCaixasETrava) {
    for (const Controle caixa : Caixas_Conexao) {
        painel.Definir_Texto(caixa, "x");
    }
    painel.Habilitar(Controle::Abrir_Conexao, false);
    painel.Definir_Texto(Controle::Estado, "ON-LINE");

    medidor.Fechar_Conexao_Click();

    EXPECT_EQ(enlace.eventos, (std::vector<std::string>{"estado 1", "TX ID02"}));
    for (const Controle caixa : Caixas_Conexao) {
        EXPECT_EQ(painel.textos.at(caixa), "");
    }
    Esperar_Travado();
    EXPECT_TRUE(painel.Habilitado(Controle::Abrir_Conexao));
    EXPECT_EQ(Texto(Controle::Estado), "OFF-LINE");
}

TEST_F(Conexao, CicloCompleto) {
    telas.ao_abrir_senha = [&] { variaveis.Senha_Usuario = "Abc 12"; };
    medidor.Fechar_Conexao_Click();
    medidor.Abrir_Conexao_Click();
    Receber("IDA0107");
    EXPECT_EQ(Texto(Controle::Estado), "ON-LINE");
    EXPECT_FALSE(painel.Habilitado(Controle::Frame6));

    Receber(
        "CF04123456"
        "1");
    for (const Controle quadro : Quadros) {
        EXPECT_TRUE(painel.Habilitado(quadro));
    }
    EXPECT_FALSE(painel.Habilitado(Controle::Abrir_Conexao));
    EXPECT_TRUE(painel.Habilitado(Controle::Fechar_Conexao));
    EXPECT_TRUE(painel.Habilitado(Controle::Leitura_Tanques));
    EXPECT_FALSE(painel.Tanque_Habilitado(4));

    medidor.Fechar_Conexao_Click();
    EXPECT_EQ(enlace.mensagens, (std::vector<std::string>{"ID02", "ID01", "CFAbc 12", "ID02"}));
    Esperar_Travado();
    EXPECT_TRUE(painel.Habilitado(Controle::Abrir_Conexao));
    for (const Controle caixa : Caixas_Conexao) {
        EXPECT_EQ(Texto(caixa), "");
    }
    EXPECT_EQ(Texto(Controle::Estado), "OFF-LINE");
}

// One event of the session's life, for the table below.
enum class Evento_Sessao {
    Conectar,
    Desconectar,
    Resposta_ID,
    Resposta_CF,
    Linha_Cai,
    Linha_Volta,
    DSR_Cai
};

struct Caso_Sessao {
    const char* nome;
    std::vector<Evento_Sessao> eventos;
    std::vector<std::string> pedidos;  // every request queued, in order
    qx7::Conexao final;
    const char* estado;  // the status box at the end
};

class Sessao : public Bancada, public ::testing::WithParamInterface<Caso_Sessao> {};

// The session is state: the line coming back while the operator is connected repeats the
// connection cycle by itself, and only the configuration answer makes it connected.
TEST_P(Sessao, CicloRepetidoSoComOOperadorConectado) {
    variaveis.Senha_Usuario = "qx7";
    for (const Evento_Sessao evento : GetParam().eventos) {
        switch (evento) {
            case Evento_Sessao::Conectar:
                medidor.Abrir_Conexao_Click();
                break;
            case Evento_Sessao::Desconectar:
                medidor.Fechar_Conexao_Click();
                break;
            case Evento_Sessao::Resposta_ID:
                Receber("IDA0107");
                break;
            case Evento_Sessao::Resposta_CF:
                Receber("CF041234561");
                break;
            case Evento_Sessao::Linha_Cai:
                medidor.Linha_Mudou(Situacao_Linha::Porta_Fechada);
                break;
            case Evento_Sessao::Linha_Volta:
                medidor.Linha_Mudou(Situacao_Linha::Pronta);
                break;
            case Evento_Sessao::DSR_Cai:
                medidor.Linha_Mudou(Situacao_Linha::Medidor_Desligado);
                break;
        }
    }
    EXPECT_EQ(enlace.mensagens, GetParam().pedidos);
    EXPECT_EQ(medidor.Estado_Conexao(), GetParam().final);
    EXPECT_EQ(Texto(Controle::Estado), GetParam().estado);
}

using E = Evento_Sessao;
INSTANTIATE_TEST_SUITE_P(
    Casos, Sessao,
    ::testing::Values(Caso_Sessao{"ConectadoDepoisDaConfiguracao",
                                  {E::Conectar, E::Resposta_ID, E::Resposta_CF},
                                  {"ID01", "CFqx7"},
                                  qx7::Conexao::Conectado,
                                  "ON-LINE"},
                      Caso_Sessao{"SenhaRecusadaSoIdentificado",
                                  {E::Conectar, E::Resposta_ID},
                                  {"ID01", "CFqx7"},
                                  qx7::Conexao::Identificado,
                                  "ON-LINE"},
                      Caso_Sessao{"PortaCaiPerdeASessao",
                                  {E::Conectar, E::Resposta_ID, E::Resposta_CF, E::Linha_Cai},
                                  {"ID01", "CFqx7"},
                                  qx7::Conexao::Porta_Fechada,
                                  "PORTA FECHADA"},
                      Caso_Sessao{"PortaVoltaRepeteOCiclo",
                                  {E::Conectar, E::Resposta_ID, E::Resposta_CF, E::Linha_Cai,
                                   E::Linha_Volta, E::Resposta_ID, E::Resposta_CF},
                                  {"ID01", "CFqx7", "ID01", "CFqx7"},
                                  qx7::Conexao::Conectado,
                                  "ON-LINE"},
                      Caso_Sessao{
                          "DSRVoltaRepeteOCiclo",
                          {E::Conectar, E::Resposta_ID, E::Resposta_CF, E::DSR_Cai, E::Linha_Volta},
                          {"ID01", "CFqx7", "ID01"},
                          qx7::Conexao::Desconectado,
                          "OFF-LINE"},
                      Caso_Sessao{"SemOperadorNaoReconecta",
                                  {E::Linha_Cai, E::Linha_Volta},
                                  {},
                                  qx7::Conexao::Desconectado,
                                  "OFF-LINE"},
                      Caso_Sessao{"DesconectadoNaoReconecta",
                                  {E::Conectar, E::Resposta_ID, E::Resposta_CF, E::Desconectar,
                                   E::Linha_Cai, E::Linha_Volta},
                                  {"ID01", "CFqx7", "ID02"},
                                  qx7::Conexao::Desconectado,
                                  "OFF-LINE"}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7::teste
