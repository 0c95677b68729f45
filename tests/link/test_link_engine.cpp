// The stop-and-wait engine, row by row of its state table.
#include <string>
#include <utility>
#include <vector>

#include "link_bench.h"

namespace qx7::teste {
namespace {

using Motor = Bancada;

const std::string Linha_ACK_Enviado = "Tam.Msg.TX= 001 Msg.TX= \x06";
const std::string Linha_NAK_Enviado = "Tam.Msg.TX= 001 Msg.TX= \x15";

const std::string Linha_LR_Enviado = "Tam.Msg.TX= 005 Msg.TX= " + Monta_Quadro("LR");

TEST_F(Motor, OciosoSemNadaNaoFazNada) {
    Ticks(100);
    EXPECT_TRUE(registro.linhas.empty());
    EXPECT_TRUE(porta.escritas.empty());
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
}

TEST_F(Motor, PedidoReconhecidoDeImediato) {
    Pedido_Enviado("LR");
    const auto antes = Marca();
    porta.Receber(Um_ACK);
    enlace.Timer3_Tick();
    EXPECT_EQ(Linhas(antes), (std::vector<std::string>{
                                 "#Msg.=0001 Tam.Msg.RX= 001 Msg.RX= \x06",
                                 "Status: Recebeu ACK!",
                                 cp1252("Status: Transmissão OK!"),
                             }));
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    Ticks(10);
    EXPECT_EQ(Escritas(), 1U);
    Filas_Vazias();
}

TEST_F(Motor, ProximoPedidoSaiNoTickSeguinteSemRecepcao) {
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Armazena_Mensagem_TX("MA");
    enlace.Timer3_Tick();
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("LR"));
    porta.Receber(Um_ACK);
    enlace.Timer3_Tick();  // takes the ACK: nothing is sent in this tick
    EXPECT_EQ(Escritas(), 1U);
    enlace.Timer3_Tick();
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("MA"));
    porta.Receber(Um_ACK);
    enlace.Timer3_Tick();
    Filas_Vazias();
}

TEST_F(Motor, PedidoSaiSoNumTickSemUnidadeRecebida) {
    porta.Receber(Um_ACK);  // a stray ACK waits in the receive queue
    enlace.Armazena_Mensagem_TX("LR");
    const auto antes = Marca();
    enlace.Timer3_Tick();
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{"Status: Erro de Sequencia do Protocolo!"});
    EXPECT_TRUE(porta.escritas.empty());
    enlace.Timer3_Tick();
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("LR"));
}

TEST_F(Motor, NAKDepoisACKUmaRepeticaoDepoisSucesso) {
    Pedido_Enviado("LR");
    Ticks(10);
    EXPECT_EQ(Escritas(), 1U);  // ten ticks send nothing
    porta.Receber(Um_NAK);
    const auto antes = Marca();
    enlace.Timer3_Tick();  // the eleventh repeats
    EXPECT_EQ(Linhas(antes), (std::vector<std::string>{
                                 cp1252("Status: NACK - Erro de Transmissão!"),
                                 Linha_LR_Enviado,
                             }));
    EXPECT_EQ(Escritas(), 2U);
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("LR"));
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);

    porta.Receber(Um_ACK);
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Transmissão OK!"));
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    Ticks(10);
    EXPECT_EQ(Escritas(), 2U);
    Filas_Vazias();
}

TEST_F(Motor, QuatroNAKsQuatroTransmissoesDepoisEstouroDeRetries) {
    Pedido_Enviado("LR");
    for (int repeticao = 1; repeticao <= 3; ++repeticao) {
        porta.Receber(Um_NAK);
        const auto antes = Marca();
        enlace.Timer3_Tick();
        EXPECT_EQ(Linhas(antes), (std::vector<std::string>{
                                     cp1252("Status: NACK - Erro de Transmissão!"),
                                     Linha_LR_Enviado,
                                 }));
        EXPECT_EQ(Escritas(), static_cast<std::size_t>(1 + repeticao));
    }
    const auto antes = Marca();
    porta.Receber(Um_NAK);
    enlace.Timer3_Tick();
    EXPECT_EQ(Linhas(antes), (std::vector<std::string>{
                                 "#Msg.=0004 Tam.Msg.RX= 001 Msg.RX= \x15",
                                 "Status: NACK - Estouro de Retries (3)!",
                             }));
    EXPECT_EQ(Escritas(), 4U);
    for (const auto& escrita : porta.escritas) {
        EXPECT_EQ(escrita.bytes, Monta_Quadro("LR"));
    }
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    Segundos(10);
    Ticks(10);
    EXPECT_EQ(Escritas(), 4U);
    EXPECT_EQ(Linhas(antes).size(), 2U);
    Filas_Vazias();
}

TEST_F(Motor, SilencioDaTimeOutDeRecepcaoEntreQuatroECincoSegundosSemRepeticao) {
    Pedido_Enviado("ID02");
    const auto antes = Marca();
    for (int segundo = 1; segundo <= 4; ++segundo) {
        Segundos(1);
        Ticks(40);
    }
    EXPECT_TRUE(Linhas(antes).empty());
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);
    Segundos(1);
    enlace.Timer3_Tick();
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{cp1252("Status: Time-Out de Recepção!")});
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    Segundos(10);
    Ticks(400);
    EXPECT_EQ(Escritas(), 1U);
    EXPECT_EQ(Linhas(antes).size(), 1U);
    Filas_Vazias();
}

TEST_F(Motor, ContagemParaEmZeroEOTimeOutAindaDispara) {
    Pedido_Enviado("LR");
    Segundos(9);  // more seconds than the count holds, before the engine looks again
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Time-Out de Recepção!"));
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
}

TEST_F(Motor, NAKRearmaOTimeOut) {
    Pedido_Enviado("LR");
    Segundos(4);
    porta.Receber(Um_NAK);
    enlace.Timer3_Tick();
    EXPECT_EQ(Escritas(), 2U);
    Segundos(4);
    Ticks(5);
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);
    Segundos(1);
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Time-Out de Recepção!"));
}

TEST_F(Motor, ACKDepoisDoTimeOutEErroDeSequencia) {
    Pedido_Enviado("LR");
    Segundos(5);
    enlace.Timer3_Tick();
    porta.Receber(Um_ACK);
    const auto antes = Marca();
    enlace.Timer3_Tick();
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{"Status: Erro de Sequencia do Protocolo!"});
    EXPECT_EQ(Escritas(), 1U);
    Filas_Vazias();
}

TEST_F(Motor, ACKDuasVezesParaUmPedidoOSegundoEErroDeSequencia) {
    Pedido_Enviado("LR");
    porta.Receber(Um_ACK + Um_ACK);
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Transmissão OK!"));
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), "Status: Erro de Sequencia do Protocolo!");
    Filas_Vazias();
}

TEST_F(Motor, NAKOciosoTambemEErroDeSequencia) {
    porta.Receber(Um_NAK);
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), "Status: Erro de Sequencia do Protocolo!");
    EXPECT_TRUE(porta.escritas.empty());
}

TEST_F(Motor, QuadroBomOciosoEDecodificadoAntesDoACK) {
    const std::string quadro = Monta_Quadro("LR1207122026");
    std::size_t escritas_na_decodificacao = 99;
    enlace.Processar_Mensagem_Recebida = [&](const std::string& Msg_RX) {
        decodificados.push_back(Msg_RX);
        escritas_na_decodificacao = Escritas();
        registro.Adicionar("decodificador");
    };
    porta.Receber(quadro);
    enlace.Timer3_Tick();
    EXPECT_EQ(decodificados, std::vector<std::string>{quadro});
    EXPECT_EQ(escritas_na_decodificacao, 0U);
    EXPECT_EQ(Linhas(), (std::vector<std::string>{
                            "#Msg.=0001 Tam.Msg.RX= 015 Msg.RX= " + quadro,
                            "decodificador",
                            Linha_ACK_Enviado,
                            "Status: Transmitiu ACK!",
                        }));
    EXPECT_EQ(porta.Saida(), Um_ACK);
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    Filas_Vazias();
}

TEST_F(Motor, SemDecodificadorOQuadroBomAindaRecebeACK) {
    enlace.Processar_Mensagem_Recebida = nullptr;
    porta.Receber(Monta_Quadro("LR"));
    enlace.Timer3_Tick();
    EXPECT_EQ(porta.Saida(), Um_ACK);
    EXPECT_EQ(registro.linhas.back(), "Status: Transmitiu ACK!");
}

TEST_F(Motor, QuadroComBCCErradoRecebeNAKENaoEDecodificado) {
    std::string quadro = Monta_Quadro("LR");
    quadro.back() ^= 0x01;
    porta.Receber(quadro);
    const auto antes = Marca();
    enlace.Timer3_Tick();
    EXPECT_TRUE(decodificados.empty());
    EXPECT_EQ(porta.Saida(), Um_NAK);
    EXPECT_EQ(Linhas(antes), (std::vector<std::string>{
                                 Linha_NAK_Enviado,
                                 "Status: Transmitiu NACK!",
                             }));
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    Filas_Vazias();
}

TEST_F(Motor, QuadroDuranteAEsperaEDescartadoSemLinha) {
    Pedido_Enviado("LR");
    porta.Receber(Monta_Quadro("LR1207122026"));
    const auto antes = Marca();
    enlace.Timer3_Tick();
    EXPECT_TRUE(Linhas(antes).empty());
    EXPECT_TRUE(decodificados.empty());
    EXPECT_EQ(Escritas(), 1U);
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);
    porta.Receber(Um_ACK);
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Transmissão OK!"));
    Filas_Vazias();
}

TEST_F(Motor, ComandoDuranteAEsperaVoltaAOciosoEOACKAtrasadoValeParaONovo) {
    Pedido_Enviado("LR");
    // What every operator request does: idle first, then queue.
    enlace.Definir_Estado_Protocolo(Enlace::Estado_Ocioso);
    enlace.Armazena_Mensagem_TX("MA");
    enlace.Timer3_Tick();
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("MA"));
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);

    porta.Receber(Um_ACK);  // sent by the gauge for LR
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Transmissão OK!"));
    porta.Receber(Um_NAK);  // too late for anything: idle now
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), "Status: Erro de Sequencia do Protocolo!");
    EXPECT_EQ(Escritas(), 2U);
    Filas_Vazias();
}

TEST_F(Motor, NoTickQueEnviaOTimeOutNaoDispara) {
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Timer3_Tick();
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);
    EXPECT_EQ(registro.linhas.size(), 2U);
}

TEST_F(Motor, PedidoVazioNaoEEnviado) {
    enlace.Armazena_Mensagem_TX("");
    enlace.Timer3_Tick();
    EXPECT_TRUE(porta.escritas.empty());
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    Filas_Vazias();
}

TEST_F(Motor, EstadoProtocoloDefinidoDeFora) {
    EXPECT_EQ(enlace.Estado_Protocolo(), 1);
    enlace.Definir_Estado_Protocolo(2);
    EXPECT_EQ(enlace.Estado_Protocolo(), 2);
    enlace.Definir_Estado_Protocolo(1);
    EXPECT_EQ(enlace.Estado_Protocolo(), 1);
}

// --- Ticks never overlap ---

TEST_F(Motor, TickDentroDoDecodificadorNaoFazNada) {
    enlace.Armazena_Mensagem_TX("LR");  // would go out on a free tick with nothing received
    porta.Receber(Monta_Quadro("MA"));
    porta.Receber(Monta_Quadro("MT"));
    std::size_t escritas_depois = 99;
    int rx_depois = 0;
    enlace.Processar_Mensagem_Recebida = [&](const std::string& Msg_RX) {
        decodificados.push_back(Msg_RX);
        Ticks(3);  // a modal screen keeps the tick suspended while timers go on
        escritas_depois = Escritas();
        rx_depois = enlace.Fila_RX().Aguardando();
    };
    enlace.Timer3_Tick();
    EXPECT_EQ(decodificados, std::vector<std::string>{Monta_Quadro("MA")});
    EXPECT_EQ(escritas_depois, 0U);
    EXPECT_EQ(rx_depois, 1);
    EXPECT_EQ(porta.Saida(), Um_ACK);

    // Once the suspended tick has ended, the next one runs normally.
    enlace.Timer3_Tick();
    EXPECT_EQ(decodificados.size(), 2U);
    enlace.Timer3_Tick();
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("LR"));
}

TEST_F(Motor, TickDuranteAEsperaDeTransmissaoNaoFazNada) {
    porta.reter_saida = true;
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Armazena_Mensagem_TX("MA");
    int cedidas = 0;
    std::vector<std::string> linhas_durante;
    plataforma.ao_processar = [&] {
        ++cedidas;
        if (cedidas == 1) {
            porta.Receber(Um_ACK);
        }
        const auto antes = Marca();
        enlace.Timer3_Tick();
        for (auto& linha : Linhas(antes)) {
            linhas_durante.push_back(std::move(linha));
        }
        if (cedidas == 5) {
            porta.Esvaziar_Saida();
        }
    };
    enlace.Timer3_Tick();
    plataforma.ao_processar = nullptr;
    porta.reter_saida = false;

    EXPECT_EQ(porta.escritas.size(), 1U);
    EXPECT_EQ(linhas_durante, std::vector<std::string>{});
    EXPECT_EQ(enlace.Fila_RX().Aguardando(), 1);
    EXPECT_EQ(enlace.Fila_TX().Aguardando(), 1);

    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Transmissão OK!"));
    enlace.Timer3_Tick();
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("MA"));
}

}  // namespace
}  // namespace qx7::teste
