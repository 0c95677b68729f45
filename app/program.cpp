#include "app/program.h"

#include "app/startup_qt.h"

namespace qx7 {

namespace {

Variaveis_Programa Variaveis_Sobre(const std::filesystem::path& diretorio_base) {
    Variaveis_Programa variaveis;
    variaveis.Diretorio_Base = diretorio_base;
    return variaveis;
}

}  // namespace

Programa::Programa(const std::filesystem::path& diretorio_base, const Fabrica_Servicos& servicos)
    : variaveis_(Variaveis_Sobre(diretorio_base)),
      canal_serial_(diretorio_base, Ler_Preferencias_Porta(diretorio_base)),
      painel_(variaveis_, canal_serial_,
              servicos ? servicos(variaveis_) : Servicos_Do_Programa(variaveis_)) {}

bool Programa::Iniciar() {
    if (!painel_.Form_Load()) {
        return false;
    }
    historico_ = std::make_unique<Historico_Programa>(variaveis_.Diretorio_Base, painel_);
    painel_.Definir_Historico(historico_->Servicos());
    painel_.show();
    return true;
}

}  // namespace qx7
