#include "station/headless_screens.h"

#include "link/codepage.h"

namespace qx7 {

void Telas_Sem_Janela::Abrir_Senha() {
    variaveis_.Senha_Usuario = senha_;
}

// No one to type a date: a programmed series is asked for only from a window.
bool Telas_Sem_Janela::Abrir_Data() {
    return false;
}

void Telas_Sem_Janela::Abrir_Resultados() {
    registro_.Adicionar(cp1252("Status: Medições programadas recebidas (" +
                               std::to_string(variaveis_.Num_Medicoes) +
                               "); sem janela, a tela de resultados não é aberta!"));
}

void Telas_Sem_Janela::Abrir_Inventario() {
    registro_.Adicionar(
        cp1252("Status: Inventário concluído; sem janela, a tela de inventário não é aberta!"));
}

void Telas_Sem_Janela::Aviso(std::string_view texto, std::string_view titulo) {
    registro_.Adicionar_Aviso("Status: " + std::string(titulo) + ": " + std::string(texto));
}

}  // namespace qx7
