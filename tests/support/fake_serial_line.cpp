#include "tests/support/fake_serial_line.h"

#include <unistd.h>

#include <thread>

namespace qx7::teste {

using Dados = Roteiro_Linha::Dados;
using Chamada = Roteiro_Linha::Chamada;

Linha_Falsa::Linha_Falsa(std::shared_ptr<Roteiro_Linha> roteiro, int descritor)
    : roteiro_(std::move(roteiro)), descritor_(descritor) {}

Linha_Falsa::~Linha_Falsa() {
    ::close(descritor_);
    Registrar(Chamada::Fechamento);
}

Fabrica_Linha Linha_Falsa::Fabrica(std::shared_ptr<Roteiro_Linha> roteiro) {
    return [roteiro](int descritor, const std::filesystem::path&) {
        return std::make_unique<Linha_Falsa>(roteiro, descritor);
    };
}

void Linha_Falsa::Pendurar() {
    std::this_thread::sleep_for(roteiro_->Com([](Dados& d) { return d.bloqueio; }));
}

void Linha_Falsa::Registrar(Chamada chamada, std::size_t bytes) {
    const auto agora = Roteiro_Linha::Relogio::now();
    roteiro_->Com([&](Dados& d) { d.registros.push_back({chamada, bytes, agora}); });
}

Leitura<Linhas_Modem> Linha_Falsa::Ler_Linhas() {
    Pendurar();
    return roteiro_->Com([](Dados& d) -> Leitura<Linhas_Modem> {
        const bool falha = !d.leituras.empty() && d.leituras.front() == 'F';
        if (!d.leituras.empty()) {
            d.leituras.erase(0, 1);
        }
        if (falha) {
            return {Resultado_Linha::Falhou, {}};
        }
        ++d.amostras;
        return {Resultado_Linha::Feito, d.linhas};
    });
}

Leitura<Contadores_Erro> Linha_Falsa::Ler_Contadores() {
    Pendurar();
    return roteiro_->Com([](Dados& d) {
        return Leitura<Contadores_Erro>{Resultado_Linha::Feito, d.contadores};
    });
}

Leitura<int> Linha_Falsa::Fila_Saida() {
    const auto fila = roteiro_->Com([](Dados& d) { return d.fila_apos_escrita; });
    const bool cheia = Roteiro_Linha::Relogio::now() < ultima_escrita_ + fila;
    return {Resultado_Linha::Feito, cheia ? 1 : 0};
}

Leitura<bool> Linha_Falsa::Transmissor_Vazio() {
    Pendurar();
    return {Resultado_Linha::Feito, true};
}

Resultado_Linha Linha_Falsa::Definir(Sinal_Saida sinal, bool ligado) {
    Pendurar();
    const bool rts = sinal == Sinal_Saida::RTS;
    Registrar(rts ? (ligado ? Chamada::RTS_Ligado : Chamada::RTS_Desligado)
                  : (ligado ? Chamada::DTR_Ligado : Chamada::DTR_Desligado));
    return Resultado_Linha::Feito;
}

Leitura<std::size_t> Linha_Falsa::Escrever(std::string_view bytes) {
    ultima_escrita_ = Roteiro_Linha::Relogio::now();
    Registrar(Chamada::Escrita, bytes.size());
    return {Resultado_Linha::Feito, bytes.size()};
}

void Linha_Falsa::Esperar_Escrita(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Resultado_Linha Linha_Falsa::Descartar_Saida() {
    Pendurar();
    Registrar(Chamada::Descarte);
    return Resultado_Linha::Feito;
}

Resultado_Linha Linha_Falsa::Ativar_RS485() {
    Pendurar();
    return roteiro_->Com([](Dados& d) {
        return d.aceita_rs485 ? Resultado_Linha::Feito : Resultado_Linha::Nao_Suportado;
    });
}

Resultado_Linha Linha_Falsa::Fechar_Sem_Esperar() {
    Pendurar();
    return Resultado_Linha::Feito;
}

bool Linha_Falsa::Terminal_Vivo() {
    return roteiro_->Com([](Dados& d) { return d.vivo; });
}

bool Linha_Falsa::Dispositivo_Presente() {
    return roteiro_->Com([](Dados& d) { return d.presente; });
}

}  // namespace qx7::teste
