#include "history/writer_session.h"

#include <QDateTime>
#include <QDir>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>
#include <optional>

#include "history/schema.h"
#include "history/sqlite_failure.h"

namespace qx7 {

namespace {

// SQLite's verdict on the file; none, and `erro` filled, when the check itself could not run
// (an I/O error is not a damaged file).
std::optional<bool> Integro(QSqlDatabase& banco, QSqlError& erro) {
    QSqlQuery q(banco);
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
        erro = q.lastError();
        return std::nullopt;
    }
    return q.value(0).toString() == QStringLiteral("ok");
}

// The -wal file folded into the file and cut to nothing (after a migration, at the end).
void Dobrar_Diario(QSqlDatabase& banco) {
    QSqlQuery(banco).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

bool Danificado(const QSqlError& erro) {
    return Natureza(erro) == Natureza_Falha::Arquivo_Danificado;
}

}  // namespace

Sessao_Gravacao::Sessao_Gravacao(Opcoes_Sessao opcoes, Avisar avisar)
    : opcoes_(std::move(opcoes)), avisar_(std::move(avisar)) {}

Sessao_Gravacao::~Sessao_Gravacao() {
    Encerrar();
}

void Sessao_Gravacao::Fechar() {
    armazem_.reset();
    conexao_.reset();
}

bool Sessao_Gravacao::Abrir_Arquivo(QSqlError& erro) {
    Fechar();
    conexao_ = std::make_unique<Conexao_Historico>(opcoes_.arquivo, Modo_Conexao::Escrita,
                                                   opcoes_.espera_bloqueio_ms);
    if (!conexao_->Aberta()) {
        erro = conexao_->Erro_Sql().type() == QSqlError::NoError ? Erro_Do_Arquivo(conexao_->Erro())
                                                                 : conexao_->Erro_Sql();
        return false;
    }
    QSqlDatabase& banco = conexao_->Banco();
    if (const int limite = opcoes_.limite_paginas ? opcoes_.limite_paginas() : 0; limite > 0) {
        QSqlQuery(banco).exec(QStringLiteral("PRAGMA max_page_count = %1").arg(limite));
    }
    if (!verificado_) {
        const std::optional<bool> integro = Integro(banco, erro);
        if (!integro) {
            return false;
        }
        if (!*integro) {
            erro = Erro_Arquivo_Danificado(QStringLiteral("verificação de integridade"));
            return false;
        }
    }
    const int versao = Versao_Esquema(banco);
    if (versao < 0) {
        erro = Erro_Arquivo_Danificado(QStringLiteral("não é um arquivo de histórico"));
        return false;
    }
    if (versao > Versao_Esquema_Atual) {
        erro = Erro_Do_Arquivo(QStringLiteral("o arquivo é de uma versão mais nova do programa"));
        return false;
    }
    QString falha;
    if (!Migrar_Esquema(banco, falha)) {
        erro = Erro_Do_Arquivo(QStringLiteral("não foi possível prepará-lo (%1)").arg(falha));
        return false;
    }
    if (versao < Versao_Esquema_Atual) {
        Dobrar_Diario(banco);  // a migration may have rewritten much of the file
    }
    verificado_ = true;
    armazem_ = std::make_unique<Armazem_Historico>(banco, corrida_);
    return true;
}

// Repairs the file, or moves it aside unread; a new one is started by the next opening.
bool Sessao_Gravacao::Tratar_Dano(Tratamento tratamento) {
    Fechar();
    const QDateTime agora = QDateTime::fromMSecsSinceEpoch(
        opcoes_.relogio_ms ? opcoes_.relogio_ms() : QDateTime::currentMSecsSinceEpoch());
    const Resultado_Reparo reparo = tratamento == Tratamento::Reparar
                                        ? Reparar_Arquivo(opcoes_.arquivo, agora)
                                        : Guardar_A_Parte(opcoes_.arquivo, agora);
    if (reparo.tipo == Resultado_Reparo::Tipo::Falhou) {
        return false;
    }
    if (reparo.tipo == Resultado_Reparo::Tipo::Guardado) {
        corrida_ = {};  // the run's readings may be gone with the rows that were lost
    }
    verificado_ = true;  // checked by the repair, or a file just made
    if (avisar_) {
        avisar_(Aviso_Reparado(reparo));
    }
    return true;
}

bool Sessao_Gravacao::Abrir() {
    if (armazem_) {
        return true;
    }
    QSqlError erro;
    bool aberto = Abrir_Arquivo(erro);
    // A file still damaged after its repair is moved aside and a new one started.
    for (const Tratamento tratamento : {Tratamento::Reparar, Tratamento::Guardar}) {
        if (aberto || !Danificado(erro) || !Tratar_Dano(tratamento)) {
            break;
        }
        aberto = Abrir_Arquivo(erro);
    }
    if (!aberto) {
        motivo_ = Motivo_Falha(erro, opcoes_.arquivo);
        Fechar();
    }
    return aberto;
}

Resultado_Gravacao Sessao_Gravacao::Falha(const QSqlError& erro) {
    motivo_ = Motivo_Falha(erro, opcoes_.arquivo);
    if (Natureza(erro) == Natureza_Falha::Unidade_Recusada) {
        return Resultado_Gravacao::Recusada;
    }
    Fechar();
    return Resultado_Gravacao::Falhou;
}

Resultado_Gravacao Sessao_Gravacao::Gravar(const Unidade_Historico& unidade) {
    if (!Abrir()) {
        return Resultado_Gravacao::Falhou;
    }
    QSqlError erro;
    if (armazem_->Gravar(unidade, erro)) {
        return Resultado_Gravacao::Gravada;
    }
    // Damage found while writing is repaired at once (the check at opening may not see it),
    // then the unit is tried again; a second time the file is replaced.
    for (const Tratamento tratamento : {Tratamento::Reparar, Tratamento::Guardar}) {
        if (!Danificado(erro)) {
            break;
        }
        if (!Tratar_Dano(tratamento) || !Abrir()) {
            return Resultado_Gravacao::Falhou;
        }
        if (armazem_->Gravar(unidade, erro)) {
            return Resultado_Gravacao::Gravada;
        }
    }
    return Falha(erro);
}

bool Sessao_Gravacao::Copiar(const QString& destino, QString& erro) {
    if (!Abrir()) {
        erro = motivo_;
        return false;
    }
    QSqlQuery q(conexao_->Banco());
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(QDir::toNativeSeparators(destino));
    if (!q.exec()) {
        erro = Motivo_Falha(q.lastError(), destino);
        return false;
    }
    return true;
}

void Sessao_Gravacao::Encerrar() {
    if (conexao_ && conexao_->Aberta()) {
        Dobrar_Diario(conexao_->Banco());
    }
    Fechar();
}

}  // namespace qx7
