#include "station/panel_state.h"

#include "text/qt_1252.h"

namespace qx7 {

namespace {

std::size_t Indice(Controle controle) {
    return static_cast<std::size_t>(controle);
}

bool Tanque_Valido(int k) {
    return k >= 0 && k < Tanques_Painel;
}

}  // namespace

Estado_Painel::Estado_Painel(QObject* parent) : QObject(parent) {
    habilitados_.fill(true);
    tanques_.fill(true);
}

std::string Estado_Painel::Texto(Controle controle) const {
    return textos_[Indice(controle)];
}

void Estado_Painel::Definir_Texto(Controle controle, std::string_view texto) {
    textos_[Indice(controle)] = std::string(texto);
    emit Texto_Mudou(controle, De_1252(texto));
}

void Estado_Painel::Habilitar(Controle controle, bool habilitado) {
    habilitados_[Indice(controle)] = habilitado;
    emit Habilitado_Mudou(controle, habilitado);
}

bool Estado_Painel::Habilitado(Controle controle) const {
    return habilitados_[Indice(controle)];
}

void Estado_Painel::Habilitar_Tanque(int k, bool habilitado) {
    if (!Tanque_Valido(k)) {
        return;
    }
    tanques_[static_cast<std::size_t>(k)] = habilitado;
    emit Tanque_Mudou(k, habilitado);
}

bool Estado_Painel::Tanque_Habilitado(int k) const {
    return Tanque_Valido(k) && tanques_[static_cast<std::size_t>(k)];
}

void Estado_Painel::Altura_Liquido(float twips) {
    altura_ = twips;
    emit Altura_Mudou(twips);
}

void Estado_Painel::Selecionar_Sinal(int i) {
    if (i < 0 || i >= Lampadas_Painel) {
        return;
    }
    sinal_ = i;
    emit Sinal_Mudou(i);
}

void Estado_Painel::Digitar(Controle controle, const QString& texto) {
    textos_[Indice(controle)] = Para_1252(texto);
}

}  // namespace qx7
