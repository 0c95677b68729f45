#pragma once
// "Tanques": the ticked tanks' measured volume and fill percentage over a period, as a chart
// of a few points per pixel column and as the table of every reading below it; and the day
// each tank runs dry.

#include <QDate>
#include <array>
#include <functional>
#include <optional>

#include "history/queries.h"
#include "screens/history/history_tab.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDateTimeAxis;
class QTableView;
class QTimer;
class QValueAxis;
class QChartView;

namespace qx7 {

class Modelo_Leituras;
class Vista_Previsao;

class Aba_Tanques : public Aba_Historico {
    Q_OBJECT

  public:
    static constexpr int Num_Tanques = 16;

    Aba_Tanques(QString arquivo, QWidget* parent = nullptr);

    void Atualizar(QSqlDatabase* banco) override;
    bool Exportar_Csv(const QString& caminho, QString& erro) override;
    // The period, the ticked tanks, the chart as it is drawn and every reading of the period.
    Relatorio Montar_Relatorio() const override;
    // The same export as a job that needs nothing of the window, for a thread of the pool: a
    // long period takes seconds, which the window and the line must not wait for.
    std::function<bool(QString& erro)> Tarefa_Exportar(const QString& caminho) const;

    // Today's date; tests give their own.
    std::function<QDate()> hoje = [] { return QDate::currentDate(); };

    // The chart's points are read on a thread of the pool, so a long period does not hold up
    // the window or the line; true until the last request has been drawn.
    bool Lendo_Grafico() const { return lendo_ > 0; }

    // The day each tank runs dry, below the readings.
    Vista_Previsao& Previsao() { return *previsao_; }

  protected:
    QString Titulo() const override;

  private:
    struct Eixos {
        QDateTimeAxis* tempo = nullptr;
        QValueAxis* volume = nullptr;
        QValueAxis* percentual = nullptr;
    };

    void Montar_Filtro(QWidget& filtro);
    void Montar_Grafico();
    // None while no tank is ticked.
    std::optional<Filtro_Leituras> Filtro_Atual() const;
    Filtro_Leituras Periodo_Atual() const;
    void Desenhar(const std::vector<Serie_Tanque>& series, const Filtro_Leituras& filtro);
    void Desenhar_Grafico(const Filtro_Leituras& filtro);
    int Colunas_Grafico() const;
    bool Colunas_Mudaram() const;
    // The plot area's width changed: the chart is read again for its new columns.
    void Area_Mudou();
    void Redesenhar();

    std::array<QCheckBox*, Num_Tanques> tanques_{};
    QComboBox* periodo_ = nullptr;
    QDateEdit* de_ = nullptr;
    QDateEdit* ate_ = nullptr;
    QChartView* grafico_ = nullptr;
    Eixos eixos_;
    int colunas_desenhadas_ = 0;
    int pedidos_ = 0;  // chart requests made; only the last one's points are drawn
    int lendo_ = 0;    // requests still being read
    QTimer* redesenho_ = nullptr;
    QTableView* leituras_ = nullptr;
    Modelo_Leituras* modelo_ = nullptr;
    Vista_Previsao* previsao_ = nullptr;
};

}  // namespace qx7
