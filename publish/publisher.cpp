#include "publish/publisher.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "publish/payloads.h"
#include "publish/publisher_session.h"

namespace qx7 {

namespace {

// The lowest of the normal priorities: a backlog drains on the CPU the line, the history and
// the window leave, so an ACK never waits for it.
constexpr int Gentileza_Publicador = 19;

void Ceder_Processador() {
#if defined(__linux__)
    setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), Gentileza_Publicador);
#endif
}

}  // namespace

Publicador::Publicador(Opcoes_Publicador opcoes) : opcoes_(std::move(opcoes)) {
    estado_.servidor = opcoes_.config.Servidor();
    estado_.situacao = Situacao_Publicacao::Conectando;
    thread_ = std::thread([this] {
        Ceder_Processador();
        Sessao_Publicacao sessao(*this);
        sessao.Executar();
    });
}

Publicador::~Publicador() {
    Encerrar();
}

void Publicador::Encerrar() {
    {
        const std::lock_guard trava(mutex_);
        entrada_.parar = true;
    }
    acordar_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void Publicador::Leitura_Ao_Vivo(const Leitura_Recebida& leitura, qint64 instante_ms) {
    const std::lock_guard trava(mutex_);
    if (entrada_.parar) {
        return;
    }
    if (entrada_.leituras.size() >= opcoes_.capacidade_ao_vivo) {
        entrada_.leituras.pop_front();
        ++entrada_.descartadas;
    }
    entrada_.leituras.emplace_back(instante_ms, leitura);
}

void Publicador::Contadores_Enlace(const Estatisticas_Enlace& contadores, qint64 desde_ms,
                                   qint64 instante_ms) {
    const QByteArray conteudo = Json_Enlace(contadores, desde_ms, instante_ms);
    const std::lock_guard trava(mutex_);
    entrada_.enlace = conteudo;
}

Estado_Publicacao Publicador::Estado() const {
    const std::lock_guard trava(mutex_);
    return estado_;
}

}  // namespace qx7
