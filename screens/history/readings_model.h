#pragma once
// The readings of a filter as a table that reads from the file only the pages in view: where
// every page starts is found once, on a thread of the pool, so a page at any depth is read
// directly, and only the last few pages read stay in memory.

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <list>
#include <vector>

#include "history/queries_readings.h"

namespace qx7 {

// The readings' columns as the table shows them; the printed report uses the same.
QStringList Titulos_Leituras();
QStringList Textos_Leitura(const Leitura_Historico& leitura);
std::vector<bool> Colunas_Numericas_Leituras();

class Modelo_Leituras : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int Tamanho_Pagina = 200;
    static constexpr std::size_t Paginas_Em_Memoria = 8;

    explicit Modelo_Leituras(QString arquivo, QObject* parent = nullptr);

    void Definir_Arquivo(const QString& arquivo) { arquivo_ = arquivo; }
    // Starts over with the readings of `filtro`, empty until its pages are known.
    void Definir_Filtro(const Filtro_Leituras& filtro);
    // No readings at all.
    void Limpar();
    // True until the pages of the last filter are known.
    bool Lendo() const { return lendo_ > 0; }
    // The readings held in memory now.
    std::size_t Linhas_Em_Memoria() const;

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;

  private:
    struct Pagina {
        qint64 numero = 0;
        std::vector<Leitura_Historico> leituras;
    };

    void Paginas_Lidas(const Paginas_Leituras& paginas);
    // The reading at `linha`, its page read over a connection of its own when it is not held;
    // nullptr when the file could not give it.
    const Leitura_Historico* Leitura(int linha) const;

    QString arquivo_;
    Filtro_Leituras filtro_;
    Paginas_Leituras paginas_;
    int pedidos_ = 0;                    // filters asked for; only the last one's pages are taken
    int lendo_ = 0;                      // requests still being read
    mutable std::list<Pagina> memoria_;  // the last pages used first
};

}  // namespace qx7
