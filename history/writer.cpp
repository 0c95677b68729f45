#include "history/writer.h"

#include "history/store.h"
#include "history/writer_session.h"

namespace qx7 {

namespace {

Aviso_Historico Aviso_Parada(const QString& motivo) {
    return {QStringLiteral("Histórico desativado: %1.").arg(motivo),
            QStringLiteral("O histórico não será gravado nesta sessão: %1.\nA comunicação com o "
                           "medidor continua normalmente.")
                .arg(motivo)};
}

std::size_t Registros(const std::deque<Unidade_Historico>& unidades) {
    std::size_t n = 0;
    for (const Unidade_Historico& u : unidades) {
        n += Armazem_Historico::Registro_Do_Operador(u) ? 1 : 0;
    }
    return n;
}

}  // namespace

Gravador_Historico::Gravador_Historico(Opcoes_Gravador opcoes)
    : opcoes_(std::move(opcoes)), thread_([this] { Executar(); }) {}

Gravador_Historico::~Gravador_Historico() {
    Encerrar();
}

void Gravador_Historico::Enfileirar(Unidade_Historico unidade) {
    {
        std::lock_guard trava(mutex_);
        if (estado_.encerrar || !estado_.motivo_inativo.isEmpty()) {
            estado_.perdidos += Armazem_Historico::Registro_Do_Operador(unidade) ? 1 : 0;
            return;
        }
        estado_.fila.push_back(std::move(unidade));
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

void Gravador_Historico::Parar(const QString& motivo, std::size_t perdidos) {
    std::deque<Unidade_Historico> descartadas;
    {
        std::lock_guard trava(mutex_);
        estado_.motivo_inativo = motivo;
        descartadas.swap(estado_.fila);
        estado_.perdidos += perdidos + Registros(descartadas);
    }
    if (opcoes_.avisar) {
        opcoes_.avisar(Aviso_Parada(motivo));
    }
}

// The connection lives and dies on this thread, as Qt SQL requires.
void Gravador_Historico::Executar() {
    Sessao_Gravacao sessao(opcoes_.arquivo, opcoes_.limite_paginas);
    QString motivo;
    QString aviso;
    bool ativo = sessao.Abrir(motivo, aviso);
    if (!aviso.isEmpty() && opcoes_.avisar) {
        opcoes_.avisar({aviso, aviso});
    }
    if (!ativo) {
        Parar(motivo, 0);
    }
    for (;;) {
        std::deque<Unidade_Historico> lote;
        {
            std::unique_lock trava(mutex_);
            acordar_.wait(trava, [this] { return estado_.encerrar || !estado_.fila.empty(); });
            if (estado_.fila.empty()) {
                return;
            }
            lote.swap(estado_.fila);
        }
        while (ativo && !lote.empty()) {
            aviso.clear();
            const bool gravado = sessao.Gravar(lote.front(), motivo, aviso);
            if (!aviso.isEmpty() && opcoes_.avisar) {
                opcoes_.avisar({aviso, aviso});
            }
            if (!gravado) {
                ativo = false;
                Parar(motivo, Registros(lote));
                break;
            }
            const bool registro = Armazem_Historico::Registro_Do_Operador(lote.front());
            lote.pop_front();
            std::lock_guard trava(mutex_);
            estado_.gravados += registro ? 1 : 0;
        }
    }
}

}  // namespace qx7
