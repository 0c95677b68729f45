#pragma once
// The program's own answers to what the main panel asks of the outside world: the
// configuration screen, the way-out question, the end of the program.

#include "app/main_panel.h"
#include "gauge/shared_tables.h"

namespace qx7 {

// Opens "Configuração do Programa" modally; true when a port was picked.
bool Abrir_Configuracao(Variaveis_Programa& variaveis, QWidget* pai);

// "Nenhuma porta serial utilizável foi configurada. Deseja sair do programa?" (Sim/Não);
// true for Sim.
bool Perguntar_Saida(QWidget* pai);

// Closes every window and leaves the event loop.
void Encerrar_Programa();

Servicos_Form1 Servicos_Do_Programa(Variaveis_Programa& variaveis);

}  // namespace qx7
