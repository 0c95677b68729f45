#pragma once
// The writer thread's side of the file: opened, checked once and brought to the current
// version; repaired, or replaced, when damaged; each unit written in its own transaction. A
// failure closes the file, so the next try opens it afresh.

#include <QSqlError>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

#include "history/connection.h"
#include "history/repair.h"
#include "history/store.h"
#include "history/writer_reports.h"

namespace qx7 {

enum class Resultado_Gravacao {
    Gravada,   // committed
    Recusada,  // the file refuses this unit itself; the next may go through
    Falhou,    // the file does not take units now: Motivo() says why
};

struct Opcoes_Sessao {
    QString arquivo{};
    std::function<int()> limite_paginas{};  // SQLite's max_page_count; empty or 0: none
    int espera_bloqueio_ms = Espera_Bloqueio_Padrao_ms;
    std::function<qint64()> relogio_ms{};  // names the files kept aside
};

class Sessao_Gravacao {
  public:
    using Avisar = std::function<void(const Aviso_Historico&)>;

    Sessao_Gravacao(Opcoes_Sessao opcoes, Avisar avisar);
    ~Sessao_Gravacao();  // Encerrar()
    Sessao_Gravacao(const Sessao_Gravacao&) = delete;
    Sessao_Gravacao& operator=(const Sessao_Gravacao&) = delete;

    // Opens the file unless it is open; a damaged one is repaired or replaced first, and told.
    // False, with Motivo(), when it cannot be used now.
    bool Abrir();
    // The unit in one transaction, the file opened first when needed.
    Resultado_Gravacao Gravar(const Unidade_Historico& unidade);
    // A consistent copy of the file, made by SQLite into the new file `destino`.
    bool Copiar(const QString& destino, QString& erro);
    // The journal folded into the file and cut to nothing, then the file closed.
    void Encerrar();

    const QString& Motivo() const { return motivo_; }

  private:
    enum class Tratamento { Reparar, Guardar };

    bool Abrir_Arquivo(QSqlError& erro);
    bool Tratar_Dano(Tratamento tratamento);
    Resultado_Gravacao Falha(const QSqlError& erro);
    void Fechar();

    Opcoes_Sessao opcoes_;
    Avisar avisar_;
    std::unique_ptr<Conexao_Historico> conexao_;
    std::unique_ptr<Armazem_Historico> armazem_;
    Corrida_Inventario corrida_;
    bool verificado_ = false;  // the integrity check passed since the file was last in doubt
    QString motivo_;
};

}  // namespace qx7
