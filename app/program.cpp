#include "app/program.h"

#include "app/startup_qt.h"

namespace qx7 {

namespace {

Servicos_Form1 Servicos(Estacao& estacao, const Programa::Fabrica_Servicos& fabrica) {
    return fabrica ? fabrica(estacao.Variaveis()) : Servicos_Do_Programa(estacao.Variaveis());
}

}  // namespace

Programa::Programa(const std::filesystem::path& diretorio_base, const Fabrica_Servicos& servicos)
    : estacao_({.diretorio_base = diretorio_base, .porta = nullptr}),
      painel_(estacao_, Servicos(estacao_, servicos)) {}

bool Programa::Iniciar() {
    if (!painel_.Form_Load()) {
        return false;
    }
    estacao_.Iniciar_Historico(0);
    painel_.Definir_Historico(estacao_.Historico()->Servicos());
    painel_.show();
    return true;
}

}  // namespace qx7
