#include "history/writer.h"

#include <QDateTime>
#include <QtDebug>
#include <utility>

#include "history/backup.h"
#include "history/store.h"
#include "history/writer_session.h"

namespace qx7 {

namespace {

std::uint64_t Registros(const Unidade_Historico& unidade) {
    return Armazem_Historico::Registro_Do_Operador(unidade) ? 1 : 0;
}

}  // namespace

Gravador_Historico::Gravador_Historico(Opcoes_Gravador opcoes)
    : opcoes_(std::move(opcoes)),
      estado_{.fila = Fila_Gravacao(opcoes_.capacidade_fila)},
      thread_([this] { Executar(); }) {}

Gravador_Historico::~Gravador_Historico() {
    Encerrar();
}

void Gravador_Historico::Enfileirar(Unidade_Historico unidade) {
    {
        std::lock_guard trava(mutex_);
        if (estado_.encerrar) {
            estado_.perdidos += Registros(unidade);
            return;
        }
        const std::uint64_t empurrados = estado_.fila.Acrescentar(std::move(unidade));
        estado_.perdidos += empurrados;
        estado_.perdidos_sem_nota += empurrados;
    }
    acordar_.notify_one();
}

void Gravador_Historico::Encerrar() {
    {
        std::lock_guard trava(mutex_);
        estado_.encerrar = true;
    }
    acordar_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
}

QString Gravador_Historico::Motivo_Inativo() const {
    std::lock_guard trava(mutex_);
    return estado_.motivo_inativo;
}

std::uint64_t Gravador_Historico::Gravados() const {
    std::lock_guard trava(mutex_);
    return estado_.gravados;
}

std::uint64_t Gravador_Historico::Perdidos() const {
    std::lock_guard trava(mutex_);
    return estado_.perdidos;
}

void Gravador_Historico::Avisar(const Aviso_Historico& aviso) const {
    if (opcoes_.avisar) {
        opcoes_.avisar(aviso);
    }
}

qint64 Gravador_Historico::Agora_ms() const {
    return opcoes_.relogio_ms ? opcoes_.relogio_ms() : QDateTime::currentMSecsSinceEpoch();
}

// The next unit to write: at once while the file takes them, after the back-off while it does
// not (or at once when the writer is being closed: one last try). None when closed and empty.
std::optional<Unidade_Historico> Gravador_Historico::Proxima(const Interrupcao& interrupcao) {
    std::unique_lock trava(mutex_);
    acordar_.wait(trava, [this] { return estado_.encerrar || !estado_.fila.Vazia(); });
    if (interrupcao.ativa) {
        acordar_.wait_until(trava, interrupcao.proxima, [this] { return estado_.encerrar; });
    }
    if (estado_.fila.Vazia()) {
        return std::nullopt;
    }
    return estado_.fila.Retirar();
}

void Gravador_Historico::Falhou(const QString& motivo, Interrupcao& interrupcao) {
    const bool nova = !interrupcao.ativa;
    {
        std::lock_guard trava(mutex_);
        estado_.motivo_inativo = motivo;
        if (nova) {
            interrupcao = {.ativa = true};
        }
        if (estado_.encerrar) {
            estado_.perdidos += estado_.fila.Descartar();
        }
    }
    if (nova) {
        Avisar(Aviso_Parado(motivo, opcoes_.capacidade_fila));
    }
    ++interrupcao.falhas;
    interrupcao.proxima =
        std::chrono::steady_clock::now() + opcoes_.espera.Apos(interrupcao.falhas);
}

void Gravador_Historico::Escrever(Sessao_Gravacao& sessao, Unidade_Historico unidade,
                                  Interrupcao& interrupcao) {
    const Resultado_Gravacao resultado = sessao.Gravar(unidade);
    if (resultado == Resultado_Gravacao::Falhou) {
        {
            std::lock_guard trava(mutex_);
            estado_.fila.Devolver(std::move(unidade));
        }
        Falhou(sessao.Motivo(), interrupcao);
        return;
    }
    const bool gravada = resultado == Resultado_Gravacao::Gravada;
    std::uint64_t perdidos = 0;
    bool vazia = false;
    {
        std::lock_guard trava(mutex_);
        estado_.fila.Concluir();
        estado_.motivo_inativo.clear();
        (gravada ? estado_.gravados : estado_.perdidos) += Registros(unidade);
        estado_.perdidos_sem_nota += gravada ? 0 : Registros(unidade);
        perdidos = estado_.perdidos;
        vazia = estado_.fila.Vazia();
    }
    if (!gravada) {
        qWarning() << "history: a unit the file refuses was dropped:" << sessao.Motivo();
    }
    Anotar_Perdas(sessao);
    if (interrupcao.ativa) {
        interrupcao.falhas = 0;
        interrupcao.recuperados += gravada ? Registros(unidade) : 0;
        // Told once what waited has been written, not at the first unit that went through.
        if (vazia) {
            Avisar(Aviso_Retomado(interrupcao.recuperados,
                                  perdidos - std::exchange(perdidos_avisados_, perdidos)));
            interrupcao = {};
        }
    }
}

// The records dropped since the last note, noted in the file while it takes units.
void Gravador_Historico::Anotar_Perdas(Sessao_Gravacao& sessao) {
    std::uint64_t sem_nota = 0;
    {
        std::lock_guard trava(mutex_);
        sem_nota = std::exchange(estado_.perdidos_sem_nota, 0);
    }
    if (sem_nota == 0 ||
        sessao.Gravar(Unidade_Perdas{Agora_ms(), sem_nota}) == Resultado_Gravacao::Gravada) {
        return;
    }
    std::lock_guard trava(mutex_);
    estado_.perdidos_sem_nota += sem_nota;
}

// Once a day, while nothing waits and the file takes units; a failure is told once, however
// often it is tried again. The copy holds up only this thread: units queue meanwhile.
void Gravador_Historico::Copiar_Se_Devido(Sessao_Gravacao& sessao, Agenda_Copias& agenda) {
    {
        std::lock_guard trava(mutex_);
        if (!estado_.fila.Vazia() || estado_.encerrar) {
            return;
        }
    }
    const qint64 agora = Agora_ms();
    if (!agenda.copias.Devida(agora)) {
        return;
    }
    const Resultado_Copia copia = agenda.copias.Fazer(
        agora,
        [&sessao](const QString& destino, QString& erro) { return sessao.Copiar(destino, erro); });
    if (copia.feita) {
        Avisar(Aviso_Copia_Feita(copia.arquivo));
    } else if (!agenda.falhou) {
        Avisar(Aviso_Copia_Falhou(copia.erro));
    }
    agenda.falhou = !copia.feita;
}

// The connection lives and dies on this thread, as Qt SQL requires.
void Gravador_Historico::Executar() {
    Sessao_Gravacao sessao({.arquivo = opcoes_.arquivo,
                            .limite_paginas = opcoes_.limite_paginas,
                            .espera_bloqueio_ms = opcoes_.espera_bloqueio_ms,
                            .relogio_ms = [this] { return Agora_ms(); }},
                           [this](const Aviso_Historico& aviso) { Avisar(aviso); });
    std::optional<Agenda_Copias> agenda;
    if (!opcoes_.pasta_copias.isEmpty()) {
        agenda.emplace(Agenda_Copias{.copias = Copias_Seguranca(opcoes_.pasta_copias)});
    }
    Interrupcao interrupcao;
    if (!sessao.Abrir()) {
        Falhou(sessao.Motivo(), interrupcao);
    }
    while (std::optional<Unidade_Historico> unidade = Proxima(interrupcao)) {
        Escrever(sessao, std::move(*unidade), interrupcao);
        if (agenda && !interrupcao.ativa) {
            Copiar_Se_Devido(sessao, *agenda);
        }
    }
    sessao.Encerrar();
}

}  // namespace qx7
