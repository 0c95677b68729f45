#include "app/program.h"

#include "app/startup_qt.h"
#include "station/publication_wiring.h"

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
    estacao_.Iniciar_Publicacao();
    Servicos_Historico servicos = estacao_.Historico()->Servicos();
    servicos.publicacao = estacao_.Publicacao()->Servicos();
    painel_.Definir_Historico(std::move(servicos));
    painel_.show();
    return true;
}

}  // namespace qx7
