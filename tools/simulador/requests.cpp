#include "tools/simulador/requests.h"

#include "gauge/fields.h"
#include "gauge/numeric_text.h"
#include "link/digits.h"
#include "tools/simulador/answers.h"

namespace qx7::simulador {

namespace {

using Respostas = std::vector<std::string>;

// "MT"/"LM" + tank: one or two digits naming a tank 1..16, then one the gauge has.
Respostas Um_Tanque(Modelo_Medidor& modelo, std::string_view codigo, std::string_view numero,
                    Instante agora) {
    if (numero.size() > 2 || !So_Digitos(numero)) {
        return {Resposta_Erro(codigo, "TI")};
    }
    const int t = static_cast<int>(Valor_Numerico(numero));
    if (t < 1 || t > Maximo_Tanques) {
        return {Resposta_Erro(codigo, "TI")};
    }
    if (t > modelo.Numero_Tanques()) {
        return {Resposta_Erro(codigo, "NH")};
    }
    const Leitura leitura = codigo == "MT" ? modelo.Medir(t, agora) : modelo.Memoria(t);
    return {Resposta_Medicao(codigo, modelo.Tanque(t), leitura, true)};
}

Respostas Todos_Tanques(Modelo_Medidor& modelo, Instante agora) {
    Respostas respostas;
    const int n = modelo.Numero_Tanques();
    for (int t = 1; t <= n; ++t) {
        respostas.push_back(
            Resposta_Medicao("MA", modelo.Tanque(t), modelo.Medir(t, agora), t == n));
    }
    return respostas;
}

Respostas Programadas(const Modelo_Medidor& modelo, std::string_view data) {
    const auto registros = modelo.Programadas(Sem_Brancos(data));
    if (registros.empty()) {
        return {Resposta_Erro("MP", "SL")};
    }
    Respostas respostas;
    for (std::size_t i = 0; i < registros.size(); ++i) {
        respostas.push_back(Resposta_Programada(registros[i], i + 1 < registros.size()));
    }
    return respostas;
}

}  // namespace

Respostas Responder(Modelo_Medidor& modelo, std::string_view pedido, Instante agora) {
    const auto codigo = pedido.substr(0, 2);
    const auto resto = pedido.substr(codigo.size());
    const auto& config = modelo.Config();
    if (pedido == "ID01") {
        return {Resposta_Identificacao(config)};
    }
    if (codigo == "CF") {
        // A wrong password gets no answer at all.
        return resto == config.senha ? Respostas{Resposta_Configuracao(config)} : Respostas{};
    }
    if (codigo == "MT" || codigo == "LM") {
        return Um_Tanque(modelo, codigo, resto, agora);
    }
    if (pedido == "MA") {
        return Todos_Tanques(modelo, agora);
    }
    if (pedido == "LR" || pedido == "AR") {
        return {Resposta_Relogio(codigo, modelo.Relogio(agora))};
    }
    if (codigo == "MP") {
        return Programadas(modelo, resto);
    }
    return {};  // "ID02" and anything unknown: the acknowledgement alone
}

}  // namespace qx7::simulador
