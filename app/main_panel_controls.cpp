#include "app/main_panel_controls.h"

#include <array>

namespace qx7 {

namespace {

// In the order of Controle.
constexpr std::array<const char*, Numero_Controles> Nomes = {
    "Estado",        "ID_Endereço",    "ID_Versão",     "CF_NumTanques",
    "CF_NumOFE",     "CF_TipoMedidor", "QX7_Tanque",    "MT_Produto",
    "MT_Densidade",  "MT_Capacidade",  "MT_Vol_Medido", "MT_Vol_Complementar",
    "MT_Data",       "MT_Hora",        "Percentual",    "LR_Dia",
    "LR_Data",       "LR_Hora",        "Inf_Erro",      "Comando_QX7",
    "Label8",        "Label9",         "Data",          "Hora",
    "Frame3",        "Frame5",         "Frame6",        "Frame8",
    "Abrir_Conexão", "Fechar_Conexão", "Configuração",  "Leitura_Tanques",
};

}  // namespace

const char* Nome_Controle(Controle controle) {
    return Nomes[static_cast<std::size_t>(controle)];
}

}  // namespace qx7
