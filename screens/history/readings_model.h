#pragma once
// The readings of a filter as a table that is read from the file a page at a time, as the
// view scrolls, so that a year of readings never sits in memory.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "history/queries.h"

namespace qx7 {

class Modelo_Leituras : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int Tamanho_Pagina = 200;

    explicit Modelo_Leituras(QString arquivo, QObject* parent = nullptr);

    // Starts over with the readings of `filtro`: counts them and reads the first page.
    void Definir_Filtro(QSqlDatabase& banco, const Filtro_Leituras& filtro);
    // No readings at all.
    void Limpar();

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;
    bool canFetchMore(const QModelIndex& pai) const override;
    // The next page, over a connection of its own.
    void fetchMore(const QModelIndex& pai) override;

  private:
    void Ler_Pagina(QSqlDatabase& banco);

    QString arquivo_;
    Percurso_Leituras percurso_{Filtro_Leituras{}, Tamanho_Pagina};
    qint64 total_ = 0;
    std::vector<Leitura_Historico> linhas_;
};

}  // namespace qx7
