// The port's OnComm handler: receive assembly and the log lines of line events.
#include <string>
#include <utility>

#include "link/codepage.h"
#include "link/comm_events.h"
#include "link/link.h"
#include "link/log_lines.h"

namespace qx7 {

void Enlace::OnComm() {
    const int codigo = porta_.CommEvent();
    if (codigo == evento::Recepcao) {
        Receber_Caracteres();
    } else if (codigo == evento::Mudou_CTS) {
        Mudou_CTS();
    } else if (const auto texto = Texto_Evento(codigo)) {
        // Codes from 1001 on are line errors; the lower ones are changes of the line.
        if (codigo >= evento::Break) {
            Registrar_Aviso(Linha_Evento(*texto));
        } else {
            Registrar(Linha_Evento(*texto));
        }
    }
}

// Drains the port one read at a time, yielding before each read; a nested OnComm started in
// the yield carries on with the same assembly, and this loop then finds nothing left.
void Enlace::Receber_Caracteres() {
    do {
        plataforma_.Processar_Eventos();
        const std::string Caracter_RX = porta_.Input();
        if (!Caracter_RX.empty()) {
            silencio_ = {};  // the line is alive
        }
        for (const char c : Caracter_RX) {
            Passo_RX passo = Montar(montagem_, std::string_view(&c, 1));
            if (passo.unidade) {
                Armazena_Mensagem_RX(std::move(*passo.unidade));
            }
            if (passo.descartada) {
                ++estatisticas_.Descartes_Tamanho;
                Registrar_Aviso(cp1252("Status: Mensagem recebida descartada (excedeu " +
                                       std::to_string(Tamanho_Maximo_Unidade) + " caracteres)!"));
            }
        }
    } while (porta_.InBufferCount() != 0);
}

void Enlace::Mudou_CTS() {
    const bool cts = porta_.CTSHolding();
    porta_.RTSEnable(cts);
    Registrar(Linha_Evento(Texto_Mudanca_CTS(cts)));
}

}  // namespace qx7
