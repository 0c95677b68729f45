#include <string>

#include "gauge/fields.h"
#include "gauge/medidor.h"
#include "gauge/numeric_text.h"
#include "gauge/tank_level.h"
#include "link/codepage.h"
#include "link/frame.h"

namespace qx7 {

namespace {

// The slot of Tabela_Tanques for a tank field; false when the number has no slot.
bool Slot_Tanque(std::string_view campo, int& slot) {
    int t = 0;
    if (!Inteiro_Par(Valor_Numerico(campo), t) || t < 0 || t >= Slots_Tanques) {
        return false;
    }
    slot = t;
    return true;
}

// One tank reading, each field as received; hour and date already with their separators.
struct Leitura_Tanque {
    std::string_view tanque, densidade, produto, capacidade, medido, complementar;
    std::string hora, data;
};

Leitura_Tanque Ler_Leitura(std::string_view Msg_RX) {
    return {Campo(Msg_RX, 4, 3),
            Campo(Msg_RX, 7, 4),
            Campo(Msg_RX, 11, 2),
            Campo(Msg_RX, 13, 6),
            Campo(Msg_RX, 19, 6),
            Campo(Msg_RX, 25, 6),
            Em_Pares(Campo(Msg_RX, 31, 6), ':'),
            Em_Pares(Campo(Msg_RX, 37, 6), '/')};
}

void Mostrar_Leitura(Painel& painel, const Leitura_Tanque& l) {
    painel.Definir_Texto(Controle::QX7_Tanque, Sem_Brancos(l.tanque));
    painel.Definir_Texto(Controle::MT_Densidade, Sem_Brancos(l.densidade));
    painel.Definir_Texto(Controle::MT_Produto, l.produto);
    painel.Definir_Texto(Controle::MT_Vol_Medido, l.medido);
    painel.Definir_Texto(Controle::MT_Vol_Complementar, l.complementar);
    painel.Definir_Texto(Controle::MT_Hora, l.hora);
    painel.Definir_Texto(Controle::MT_Data, l.data);
    painel.Definir_Texto(Controle::MT_Capacidade, l.capacidade);
}

// A tank number without a slot is shown but not stored.
void Guardar_Leitura(Variaveis_Programa& variaveis, const Leitura_Tanque& l) {
    int t = 0;
    if (!Slot_Tanque(l.tanque, t)) {
        return;
    }
    variaveis.Tabela_Tanques[static_cast<std::size_t>(t)] = {std::string(l.tanque),
                                                             std::string(l.medido),
                                                             std::string(l.complementar),
                                                             std::string(l.densidade),
                                                             std::string(l.produto),
                                                             l.data,
                                                             l.hora,
                                                             std::string(l.capacidade)};
}

Leitura_Recebida Para_Historico(const Leitura_Tanque& l, std::string_view Msg_RX, bool peso,
                                std::string endereco) {
    return {std::move(endereco),
            std::string(Campo(Msg_RX, 2, 2)),
            std::string(l.tanque),
            std::string(l.densidade),
            std::string(l.produto),
            std::string(l.capacidade),
            std::string(l.medido),
            std::string(l.complementar),
            l.hora,
            l.data,
            peso,
            std::string(Msg_RX)};
}

}  // namespace

void Medidor::Resposta_Medicao(std::string_view Msg_RX) {
    const Leitura_Tanque leitura = Ler_Leitura(Msg_RX);
    Mostrar_Leitura(painel_, leitura);
    Guardar_Leitura(variaveis_, leitura);
    Mostrar_Percentual(leitura.medido, leitura.complementar);

    const bool peso = Campo(Msg_RX, 43, 1) == "P";
    if (historico_ != nullptr) {
        historico_->Leitura(Para_Historico(leitura, Msg_RX, peso, Endereco_Medidor_),
                            variaveis_.Modo_Inventario);
    }
    painel_.Definir_Texto(Controle::Label8, peso ? "Peso Medido" : "Volume Medido");
    painel_.Definir_Texto(Controle::Label9, peso ? "Peso Complementar" : "Volume Complementar");

    if (Campo(Msg_RX, 44, 1) == std::string_view(&CR, 1)) {
        painel_.Definir_Texto(Controle::Inf_Erro,
                              cp1252("Término da(s) leitura(s) do(s) tanque(s)!"));
    }

    if (variaveis_.Modo_Inventario) {
        vigia_inventario_.Sinal_De_Vida();
        ultimo_tanque_inventario_ = Sem_Brancos(leitura.tanque);
    }
    if (variaveis_.Modo_Inventario &&
        Sem_Brancos(leitura.tanque) == Sem_Brancos(painel_.Texto(Controle::CF_NumTanques))) {
        if (historico_ != nullptr) {
            int tanques = 0;
            Inteiro_Par(Valor_Numerico(leitura.tanque), tanques);
            historico_->Inventario_Concluido(Endereco_Medidor_, tanques);
        }
        Leitura_Tanques_Click();
        variaveis_.Modo_Inventario = false;
    }
}

std::optional<Inventario_Interrompido> Medidor::Vigiar_Inventario(std::int64_t agora_ms) {
    if (!vigia_inventario_.Tick(agora_ms, variaveis_.Modo_Inventario)) {
        return std::nullopt;
    }
    variaveis_.Modo_Inventario = false;
    return Inventario_Interrompido{
        ultimo_tanque_inventario_,
        std::string(Sem_Brancos(painel_.Texto(Controle::CF_NumTanques)))};
}

// The fill percentage and the bar. Without a percentage (nothing measured, nothing free) the
// text stays empty, and with one too large to write it shows the mark; the bar stays as it was.
void Medidor::Mostrar_Percentual(std::string_view medido, std::string_view complementar) {
    const Nivel_Tanque nivel =
        Calcular_Nivel(Valor_Numerico(medido), Valor_Numerico(complementar),
                       plataforma_.Separador_Decimal(), Altura_Tanque_Painel);
    if (nivel.Com_Percentual) {
        painel_.Altura_Liquido(nivel.Altura_Vazio_Twips);
    }
    painel_.Definir_Texto(Controle::Percentual, nivel.Percentual);
}

}  // namespace qx7
