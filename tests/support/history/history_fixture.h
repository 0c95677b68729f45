#pragma once
// A fresh Historico.sqlite in a temporary directory, brought to the current layout, and the
// few inserts the history tests need. Failed statements are reported as test failures.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <optional>
#include <vector>

#include "history/connection.h"
#include "history/queries.h"

namespace qx7::teste {

struct Leitura_Teste {
    qint64 instante_ms = 0;
    int tanque = 1;
    QString produto = QStringLiteral("GASOLINA");
    std::optional<double> medido = 1000;
    std::optional<double> complementar = 3000;
    double densidade = 0.75;
    double capacidade = 4000;
    QString unidade = QStringLiteral("V");
    QString comando = QStringLiteral("MT");
    QString endereco = QStringLiteral("01");
    QString texto_hora = QStringLiteral("10:00");
    QString texto_data = QStringLiteral("01/02/24");
    std::optional<qint64> inventario = std::nullopt;
};

class Historico_Teste {
  public:
    Historico_Teste();
    Historico_Teste(const Historico_Teste&) = delete;
    Historico_Teste& operator=(const Historico_Teste&) = delete;

    const QString& Arquivo() const { return arquivo_; }
    // The writing connection the inserts use; a test may open transactions on it.
    QSqlDatabase& Banco() { return escrita_.Banco(); }

    // Reuses one prepared statement, so a test can insert many rows inside a transaction.
    qint64 Inserir_Leitura(const Leitura_Teste& leitura);
    // The run row, its readings (their `inventario` set to the run) and its totals.
    qint64 Inserir_Inventario(qint64 instante_ms, std::vector<Leitura_Teste> leituras,
                              const std::vector<Total_Produto>& totais);
    qint64 Inserir_Serie(qint64 instante_ms, const QString& data_solicitada,
                         const std::vector<Registro_Programado_Historico>& registros);
    void Inserir_Relogio(qint64 instante_ms, const QString& texto_hora, const QString& texto_data,
                         std::optional<qint64> deriva_s);
    void Inserir_Contador(const char* nome, qint64 valor);

  private:
    QTemporaryDir pasta_;
    QString arquivo_ = pasta_.filePath(QStringLiteral("Historico.sqlite"));
    Conexao_Historico escrita_{arquivo_, Modo_Conexao::Escrita};
    std::optional<QSqlQuery> insere_leitura_;
};

}  // namespace qx7::teste
