#include "history/row_copy.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <limits>
#include <optional>

#include "history/sqlite_failure.h"

namespace qx7 {

namespace {

constexpr int Linhas_Por_Lote = 1000;
constexpr qint64 Maior_Id = std::numeric_limits<qint64>::max();

// The columns of `tabela` in `esquema`, without the one that only names the row id; empty when
// the table cannot be read there.
QStringList Colunas(QSqlDatabase& banco, const QString& esquema, const QString& tabela) {
    QSqlQuery q(banco);
    QStringList nomes;
    if (!q.exec(QStringLiteral("PRAGMA %1.table_info(%2)").arg(esquema, tabela))) {
        return nomes;
    }
    int chaves = 0;
    QString chave_inteira;
    while (q.next()) {
        const QString nome = q.value(1).toString();
        const bool chave = q.value(5).toInt() > 0;
        chaves += chave ? 1 : 0;
        if (chave &&
            q.value(2).toString().compare(QStringLiteral("INTEGER"), Qt::CaseInsensitive) == 0) {
            chave_inteira = nome;
        }
        nomes << nome;
    }
    if (chaves == 1 && !chave_inteira.isEmpty()) {
        nomes.removeOne(chave_inteira);  // the row id itself, copied as rowid
    }
    return nomes;
}

class Copiador {
  public:
    Copiador(QSqlDatabase& banco, const QString& origem, const QString& tabela,
             const QStringList& colunas)
        : banco_(banco), origem_(origem), tabela_(tabela) {
        const QString lista = (QStringList{QStringLiteral("rowid")} + colunas).join(u',');
        inserir_ = QStringLiteral(
                       "INSERT INTO main.%1 (%2) SELECT %2 FROM %3.%1 WHERE rowid %4"
                       " ORDER BY rowid LIMIT %5")
                       .arg(tabela, lista, origem);
    }

    Copia_Tabela Copiar() {
        while (!copia_.interrompida) {
            const std::optional<int> lote = Inserir(QStringLiteral("> ?"), Linhas_Por_Lote);
            if (lote && *lote == 0) {
                break;
            }
            if (lote) {
                ultimo_ = Ultimo_Copiado();
            } else if (!Linha_A_Linha()) {
                break;
            }
        }
        return copia_;
    }

  private:
    // Rows after `ultimo_` (condition "> ?") or the row `ultimo_` ("= ?"); none when SQLite
    // could not read them.
    std::optional<int> Inserir(const QString& condicao, int limite) {
        QSqlQuery q(banco_);
        q.prepare(inserir_.arg(condicao).arg(limite));
        q.addBindValue(ultimo_);
        if (!q.exec()) {
            Falhou(q);
            return std::nullopt;
        }
        copia_.linhas += static_cast<std::uint64_t>(q.numRowsAffected());
        return q.numRowsAffected();
    }

    qint64 Ultimo_Copiado() {
        QSqlQuery q(banco_);
        q.exec(QStringLiteral("SELECT max(rowid) FROM main.%1").arg(tabela_));
        return q.next() ? q.value(0).toLongLong() : ultimo_;
    }

    // The id of the first row after `depois`: 0 at the end of the table, none when the page
    // that holds it cannot be read.
    std::optional<qint64> Seguinte(qint64 depois) {
        QSqlQuery q(banco_);
        q.prepare(QStringLiteral("SELECT rowid FROM %1.%2 WHERE rowid > ? ORDER BY rowid LIMIT 1")
                      .arg(origem_, tabela_));
        q.addBindValue(depois);
        if (!q.exec()) {
            Falhou(q);
            return std::nullopt;
        }
        return q.next() ? q.value(0).toLongLong() : 0;
    }

    // Only damage is skipped. Anything else (the new file full, the old one locked) stops the
    // copy: what it would skip may well be readable.
    void Falhou(const QSqlQuery& q) {
        copia_.interrompida =
            copia_.interrompida || Natureza(q.lastError()) == Natureza_Falha::Transitoria;
    }

    // One batch failed: its rows one at a time up to the first that cannot be read, then past
    // the page that holds it. False when nothing more of the table can be reached.
    bool Linha_A_Linha() {
        for (int i = 0; i < Linhas_Por_Lote && !copia_.interrompida; ++i) {
            const std::optional<qint64> seguinte = Seguinte(ultimo_);
            if (!seguinte) {
                copia_.completa = false;
                return Saltar();
            }
            if (*seguinte == 0) {
                return false;
            }
            ultimo_ = *seguinte;
            if (!Inserir(QStringLiteral("= ?"), 1)) {
                copia_.completa = false;  // the row's own record is unreadable
            }
        }
        return true;
    }

    // The smallest id past `ultimo_` from which rows can be read again: doubling steps until one
    // reads, then halving back to where the damaged page ends.
    bool Saltar() {
        qint64 ruim = ultimo_;
        qint64 passo = 1;
        for (;;) {
            if (passo > Maior_Id - ruim || copia_.interrompida) {
                return false;
            }
            if (Seguinte(ruim + passo)) {
                break;
            }
            ruim += passo;
            passo = passo > Maior_Id / 2 ? Maior_Id : passo * 2;
        }
        qint64 bom = ruim + passo;
        while (bom - ruim > 1) {
            const qint64 meio = ruim + (bom - ruim) / 2;
            if (Seguinte(meio)) {
                bom = meio;
            } else {
                ruim = meio;
            }
        }
        ultimo_ = bom;
        return true;
    }

    QSqlDatabase& banco_;
    QString origem_;
    QString tabela_;
    QString inserir_;
    qint64 ultimo_ = 0;  // the ids of the history's tables start at 1
    Copia_Tabela copia_;
};

}  // namespace

Copia_Tabela Copiar_Legiveis(QSqlDatabase& banco, const QString& origem, const QString& tabela) {
    const QStringList de = Colunas(banco, origem, tabela);
    if (de.isEmpty()) {
        return {.linhas = 0, .completa = false, .interrompida = false};
    }
    QStringList comuns;
    for (const QString& coluna : Colunas(banco, QStringLiteral("main"), tabela)) {
        if (de.contains(coluna)) {
            comuns << coluna;
        }
    }
    return Copiador(banco, origem, tabela, comuns).Copiar();
}

}  // namespace qx7
