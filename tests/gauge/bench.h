#pragma once
// A Medidor wired to recording doubles, and builders for the gauge's answers.

#include <gtest/gtest.h>

#include <string>

#include "gauge/medidor.h"
#include "gauge/shared_tables.h"
#include "link/frame.h"
#include "tests/gauge/recorders.h"
#include "tests/support/fakes.h"

namespace qx7::teste {

// One tank reading as the gauge sends it, every field at its full width.
struct Leitura {
    std::string codigo = "MT";
    std::string tanque = "003";
    std::string densidade = "0.85";
    std::string produto = "GC";
    std::string capacidade = "015000";
    std::string medido = "000750";
    std::string complementar = "000250";
    std::string hora = "143005";
    std::string data = "050318";
    std::string unidade = "V";
    std::string fim = "\r";
};

std::string Resposta_Medicao(const Leitura& leitura);

// One programmed-measurement record; the marker is SOH when more follow.
std::string Resposta_Programada(const std::string& hora, const std::string& data,
                                const std::string& volume, const std::string& tanque,
                                const std::string& marcador);

class Bancada : public ::testing::Test {
  protected:
    // Frames the answer as the link hands it over: STX, answer, ETX, BCC.
    void Receber(const std::string& resposta) {
        medidor.Processar_Mensagem_Recebida(Monta_Quadro(resposta));
    }
    std::string Texto(Controle controle) const { return painel.Texto(controle); }

    Variaveis_Programa variaveis;
    Painel_Falso painel;
    Telas_Gravadoras telas;
    Transmissor_Gravador enlace;
    Plataforma_Falsa plataforma;
    Medidor medidor{variaveis, painel, telas, enlace, plataforma};
};

}  // namespace qx7::teste
