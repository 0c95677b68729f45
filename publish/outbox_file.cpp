#include "publish/outbox_file.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "history/schema.h"
#include "history/sql_helpers.h"

namespace qx7 {

namespace {

const QString Criar_Cursores = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS publicacao_cursores ("
    " fluxo TEXT PRIMARY KEY, ultimo_id INTEGER NOT NULL)");

}  // namespace

bool Saida_Historico::Abrir() {
    Fechar();
    // The writer creates the file; the publisher only waits for it.
    if (!QFileInfo::exists(arquivo_)) {
        erro_ = QStringLiteral("o histórico %1 ainda não existe").arg(arquivo_);
        return false;
    }
    auto conexao = std::make_unique<Conexao_Historico>(arquivo_, Modo_Conexao::Escrita,
                                                       Espera_Bloqueio_Cursores_ms);
    if (!conexao->Aberta()) {
        erro_ = conexao->Erro();
        return false;
    }
    QSqlDatabase& banco = conexao->Banco();
    const int versao = Versao_Esquema(banco);
    if (versao < 1 || versao > Versao_Esquema_Atual) {
        erro_ =
            versao == 0
                ? QStringLiteral("o histórico %1 ainda está vazio").arg(arquivo_)
                : QStringLiteral("%1 não é um histórico desta versão do programa").arg(arquivo_);
        return false;
    }
    // A cursor lost in a power cut only sends a few rows again; it need not wait for the disk.
    QSqlQuery q(banco);
    if (!q.exec(QStringLiteral("PRAGMA synchronous=NORMAL")) || !q.exec(Criar_Cursores)) {
        erro_ = q.lastError().text();
        return false;
    }
    conexao_ = std::move(conexao);
    tabelas_ = {};
    erro_.clear();
    return true;
}

void Saida_Historico::Fechar() {
    conexao_.reset();
}

Cursores Saida_Historico::Ler_Cursores() {
    Cursores cursores{};
    if (!Aberta()) {
        return cursores;
    }
    QSqlQuery q(conexao_->Banco());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT fluxo, ultimo_id FROM publicacao_cursores"))) {
        return cursores;
    }
    while (q.next()) {
        for (Fluxo fluxo : Todos_Fluxos) {
            if (q.value(0).toString() == QLatin1String(Definicao(fluxo).nome)) {
                cursores[Janela_Envio::Indice(fluxo)] = q.value(1).toLongLong();
            }
        }
    }
    return cursores;
}

bool Saida_Historico::Gravar_Cursores(const Cursores& cursores) {
    if (!Aberta()) {
        return false;
    }
    QSqlDatabase& banco = conexao_->Banco();
    if (!banco.transaction()) {
        return false;
    }
    QSqlQuery q(banco);
    q.prepare(
        QStringLiteral("INSERT OR REPLACE INTO publicacao_cursores (fluxo, ultimo_id)"
                       " VALUES (?, ?)"));
    for (Fluxo fluxo : Todos_Fluxos) {
        Vincular(
            q, {QString::fromLatin1(Definicao(fluxo).nome), cursores[Janela_Envio::Indice(fluxo)]});
        if (!q.exec()) {
            banco.rollback();
            return false;
        }
    }
    if (!banco.commit()) {
        banco.rollback();
        return false;
    }
    return true;
}

bool Saida_Historico::Tem_Tabela(Fluxo fluxo) {
    bool& tem = tabelas_[Janela_Envio::Indice(fluxo)];
    if (!tem) {
        QSqlQuery q(conexao_->Banco());
        q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
        q.addBindValue(QString::fromLatin1(Definicao(fluxo).tabela));
        tem = q.exec() && q.next();
    }
    return tem;
}

bool Saida_Historico::Ler(Fluxo fluxo, qint64 depois, int limite,
                          std::vector<Linha_Fluxo>& linhas) {
    if (!Aberta()) {
        return false;
    }
    if (!Tem_Tabela(fluxo)) {
        return true;
    }
    return Definicao(fluxo).ler(conexao_->Banco(), depois, limite, linhas);
}

// The program never deletes rows, so the largest id less the cursor is the count (a little
// high after a repair lost rows), at the cost of one index lookup whatever the backlog.
qint64 Saida_Historico::Pendentes(const Cursores& cursores) {
    if (!Aberta()) {
        return 0;
    }
    qint64 total = 0;
    for (Fluxo fluxo : Todos_Fluxos) {
        if (!Tem_Tabela(fluxo)) {
            continue;
        }
        QSqlQuery q(conexao_->Banco());
        q.setForwardOnly(true);
        if (q.exec(QStringLiteral("SELECT max(id) FROM %1")
                       .arg(QLatin1String(Definicao(fluxo).tabela))) &&
            q.next()) {
            total += std::max<qint64>(
                0, q.value(0).toLongLong() - cursores[Janela_Envio::Indice(fluxo)]);
        }
    }
    return total;
}

}  // namespace qx7
