#include "screens/history/tanks_tab.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeAxis>
#include <QFutureWatcher>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cstdlib>

#include "history/reader.h"
#include "history/readings_csv.h"
#include "screens/history/forecast_view.h"
#include "screens/history/period.h"
#include "screens/history/readings_model.h"
#include "screens/history/table_cells.h"

namespace qx7 {

namespace {

constexpr qint64 Um_Dia_Ms = 24 * 60 * 60 * 1000;
// While the operator drags the window's edge the chart waits, then draws once.
constexpr int Espera_Redesenho_Ms = 300;

// Neighbouring tank numbers get far-apart hues.
QColor Cor_Do_Tanque(int tanque) {
    return QColor::fromHsv(
        ((tanque - 1) * 7 % Aba_Tanques::Num_Tanques) * 360 / Aba_Tanques::Num_Tanques, 230, 200);
}

QDateEdit* Nova_Data(QWidget* pai, const char* nome, QDate data) {
    auto* edicao = new QDateEdit(data, pai);
    edicao->setObjectName(QString::fromLatin1(nome));
    edicao->setCalendarPopup(true);
    edicao->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    // Room for the whole date beside the popup's arrow.
    edicao->setMinimumWidth(edicao->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                            40);
    return edicao;
}

QValueAxis* Novo_Eixo_Valor(const QString& titulo) {
    auto* eixo = new QValueAxis;
    eixo->setTitleText(titulo);
    eixo->setLabelFormat(QStringLiteral("%.0f"));
    return eixo;
}

}  // namespace

Aba_Tanques::Aba_Tanques(QString arquivo, QWidget* parent)
    : Aba_Historico(std::move(arquivo), parent), modelo_(new Modelo_Leituras(Arquivo(), this)) {
    auto* layout = new QVBoxLayout(this);
    auto* filtro = new QWidget(this);
    Montar_Filtro(*filtro);
    layout->addWidget(filtro);

    Montar_Grafico();
    leituras_ = new QTableView(this);
    leituras_->setObjectName(QStringLiteral("Leituras"));
    leituras_->setModel(modelo_);
    leituras_->setSelectionBehavior(QAbstractItemView::SelectRows);
    leituras_->verticalHeader()->hide();
    leituras_->verticalHeader()->setDefaultSectionSize(Altura_Linha(*leituras_));
    // Columns fitted to the rows near the top once they are known: measuring more would read
    // pages the operator never looks at.
    leituras_->horizontalHeader()->setResizeContentsPrecision(Modelo_Leituras::Tamanho_Pagina);
    connect(modelo_, &QAbstractItemModel::modelReset, leituras_,
            [this] { leituras_->resizeColumnsToContents(); });
    previsao_ = new Vista_Previsao(this);
    auto* divisao = new QSplitter(Qt::Vertical, this);
    divisao->addWidget(grafico_);
    divisao->addWidget(leituras_);
    divisao->addWidget(previsao_);
    // The chart gets the larger share: its legend holds up to sixteen tanks, which must fit
    // also on a screen 768 pixels high.
    divisao->setSizes({650, 300, 150});
    layout->addWidget(divisao, 1);
}

void Aba_Tanques::Montar_Filtro(QWidget& filtro) {
    auto* grade = new QGridLayout(&filtro);
    grade->setContentsMargins(0, 0, 0, 0);
    for (int t = 1; t <= Num_Tanques; ++t) {
        auto* caixa = new QCheckBox(QString::number(t), &filtro);
        caixa->setObjectName(QStringLiteral("Tanque_%1").arg(t));
        caixa->setChecked(true);
        connect(caixa, &QCheckBox::toggled, this, &Aba_Tanques::Reler);
        grade->addWidget(caixa, (t - 1) / 8, 1 + (t - 1) % 8);
        tanques_[static_cast<std::size_t>(t - 1)] = caixa;
    }
    grade->addWidget(new QLabel(QStringLiteral("Tanques:"), &filtro), 0, 0);

    periodo_ = new QComboBox(&filtro);
    periodo_->setObjectName(QStringLiteral("Periodo"));
    periodo_->addItems({QStringLiteral("Hoje"), QStringLiteral("Últimos 7 dias"),
                        QStringLiteral("Últimos 30 dias"), QStringLiteral("Intervalo")});
    const QDate inicial = hoje();
    de_ = Nova_Data(&filtro, "De", inicial.addDays(-6));
    ate_ = Nova_Data(&filtro, "Ate", inicial);
    const auto intervalo = [this] {
        const bool livre = periodo_->currentIndex() == static_cast<int>(Periodo::Intervalo);
        de_->setEnabled(livre);
        ate_->setEnabled(livre);
    };
    intervalo();
    connect(periodo_, &QComboBox::currentIndexChanged, this, intervalo);
    connect(periodo_, &QComboBox::currentIndexChanged, this, &Aba_Tanques::Reler);
    connect(de_, &QDateEdit::dateChanged, this, &Aba_Tanques::Reler);
    connect(ate_, &QDateEdit::dateChanged, this, &Aba_Tanques::Reler);

    grade->addWidget(new QLabel(QStringLiteral("Período:"), &filtro), 0, 9);
    grade->addWidget(periodo_, 0, 10);
    grade->addWidget(new QLabel(QStringLiteral("De:"), &filtro), 1, 9);
    grade->addWidget(de_, 1, 10);
    grade->addWidget(new QLabel(QStringLiteral("Até:"), &filtro), 1, 11);
    grade->addWidget(ate_, 1, 12);
    grade->setColumnStretch(13, 1);
}

void Aba_Tanques::Montar_Grafico() {
    auto* grafico = new QChart;
    grafico->legend()->setAlignment(Qt::AlignRight);
    // Sixteen tanks' entries fit beside the plot.
    QFont letra = grafico->legend()->font();
    letra.setPointSizeF(letra.pointSizeF() * 0.85);
    grafico->legend()->setFont(letra);
    grafico->layout()->setContentsMargins(0, 0, 0, 0);
    grafico->setBackgroundRoundness(0);
    eixos_.tempo = new QDateTimeAxis;
    eixos_.tempo->setTickCount(7);
    eixos_.volume = Novo_Eixo_Valor(QStringLiteral("Volume medido"));
    eixos_.percentual = Novo_Eixo_Valor(QStringLiteral("Percentual (%)"));
    eixos_.percentual->setRange(0, 100);
    // One grid, the volume's; a second one would not line up with it.
    eixos_.percentual->setGridLineVisible(false);
    grafico->addAxis(eixos_.tempo, Qt::AlignBottom);
    grafico->addAxis(eixos_.volume, Qt::AlignLeft);
    grafico->addAxis(eixos_.percentual, Qt::AlignRight);
    grafico_ = new QChartView(grafico, this);
    grafico_->setObjectName(QStringLiteral("Grafico"));
    grafico_->setRenderHint(QPainter::Antialiasing);
    grafico_->setMinimumHeight(250);
    redesenho_ = new QTimer(this);
    redesenho_->setSingleShot(true);
    redesenho_->setInterval(Espera_Redesenho_Ms);
    connect(redesenho_, &QTimer::timeout, this, &Aba_Tanques::Redesenhar);
    connect(grafico, &QChart::plotAreaChanged, this, &Aba_Tanques::Area_Mudou);
}

Filtro_Leituras Aba_Tanques::Periodo_Atual() const {
    const Intervalo_Ms intervalo = Intervalo_Do_Periodo(
        static_cast<Periodo>(periodo_->currentIndex()), hoje(), de_->date(), ate_->date());
    return {intervalo.de_ms, intervalo.ate_ms, {}};
}

std::optional<Filtro_Leituras> Aba_Tanques::Filtro_Atual() const {
    Filtro_Leituras filtro = Periodo_Atual();
    for (int t = 1; t <= Num_Tanques; ++t) {
        if (tanques_[static_cast<std::size_t>(t - 1)]->isChecked()) {
            filtro.tanques.push_back(t);
        }
    }
    if (filtro.tanques.empty()) {
        return std::nullopt;
    }
    if (std::ssize(filtro.tanques) == Num_Tanques) {
        filtro.tanques.clear();  // every tank: no condition on the tank to test on every row
    }
    return filtro;
}

int Aba_Tanques::Colunas_Grafico() const {
    const int area = static_cast<int>(grafico_->chart()->plotArea().width());
    // Before the first layout the plot area is empty; the view's width bounds it.
    return std::max(1, area > 0 ? area : grafico_->width());
}

void Aba_Tanques::Atualizar(QSqlDatabase* banco) {
    previsao_->Atualizar(banco);
    const std::optional<Filtro_Leituras> filtro = Filtro_Atual();
    if (banco == nullptr || !filtro) {
        modelo_->Limpar();
        ++pedidos_;  // a chart still being read for the old choice is not drawn
        Desenhar({}, Periodo_Atual());
        return;
    }
    Desenhar_Grafico(*filtro);
    modelo_->Definir_Arquivo(Arquivo());
    modelo_->Definir_Filtro(*filtro);
}

void Aba_Tanques::Desenhar_Grafico(const Filtro_Leituras& filtro) {
    colunas_desenhadas_ = Colunas_Grafico();
    const int pedido = ++pedidos_;
    ++lendo_;
    auto* vigia = new QFutureWatcher<std::vector<Serie_Tanque>>(this);
    connect(vigia, &QFutureWatcherBase::finished, this, [this, vigia, pedido, filtro] {
        --lendo_;
        if (pedido == pedidos_) {
            Desenhar(vigia->result(), filtro);
        }
        vigia->deleteLater();
    });
    // The thread opens its own connection: Qt SQL's belong to the thread that made them.
    vigia->setFuture(
        QtConcurrent::run([arquivo = Arquivo(), filtro, colunas = colunas_desenhadas_] {
            Leitor_Historico leitor(arquivo);
            return leitor.Aberto() ? Series_Grafico(leitor.Banco(), filtro, colunas)
                                   : std::vector<Serie_Tanque>{};
        }));
}

bool Aba_Tanques::Colunas_Mudaram() const {
    // A legend's small change does not pay for a new query; a resized window does.
    return std::abs(Colunas_Grafico() - colunas_desenhadas_) > colunas_desenhadas_ / 10;
}

void Aba_Tanques::Area_Mudou() {
    if (Colunas_Mudaram()) {
        redesenho_->start();
    }
}

void Aba_Tanques::Redesenhar() {
    if (!Colunas_Mudaram()) {
        return;  // the area came back while the timer ran
    }
    if (const std::optional<Filtro_Leituras> filtro = Filtro_Atual()) {
        Desenhar_Grafico(*filtro);
    }
}

void Aba_Tanques::Desenhar(const std::vector<Serie_Tanque>& series, const Filtro_Leituras& filtro) {
    QChart& grafico = *grafico_->chart();
    grafico.removeAllSeries();
    double maximo = 0;
    for (const Serie_Tanque& serie : series) {
        auto* volume = new QLineSeries;
        auto* percentual = new QLineSeries;
        volume->setName(QStringLiteral("Tanque %1").arg(serie.tanque));
        percentual->setName(QStringLiteral("Tanque %1 (%)").arg(serie.tanque));
        for (const Ponto_Grafico& ponto : serie.pontos) {
            volume->append(static_cast<qreal>(ponto.instante_ms), ponto.medido);
            percentual->append(static_cast<qreal>(ponto.instante_ms), ponto.percentual);
            maximo = std::max(maximo, ponto.medido);
        }
        const QColor cor = Cor_Do_Tanque(serie.tanque);
        volume->setPen(QPen(cor, 2));
        percentual->setPen(QPen(cor, 1, Qt::DashLine));
        grafico.addSeries(volume);
        grafico.addSeries(percentual);
        volume->attachAxis(eixos_.tempo);
        volume->attachAxis(eixos_.volume);
        percentual->attachAxis(eixos_.tempo);
        percentual->attachAxis(eixos_.percentual);
        // One legend entry per tank: the dashed line of the same colour is its percentage.
        grafico.legend()->markers(percentual).front()->setVisible(false);
    }
    // With markers hidden, a legend filled again after its first layout stays blank until it is
    // shown anew.
    grafico.legend()->hide();
    grafico.legend()->show();
    // An empty chart keeps a scale whose whole-number labels differ.
    eixos_.volume->setRange(0, maximo > 0 ? maximo : 100);
    eixos_.volume->applyNiceNumbers();
    eixos_.tempo->setFormat(filtro.ate_ms - filtro.de_ms > 2 * Um_Dia_Ms
                                ? QStringLiteral("dd/MM")
                                : QStringLiteral("dd/MM HH:mm"));
    eixos_.tempo->setRange(QDateTime::fromMSecsSinceEpoch(filtro.de_ms),
                           QDateTime::fromMSecsSinceEpoch(filtro.ate_ms));
}

bool Aba_Tanques::Exportar_Csv(const QString& caminho, QString& erro) {
    return Tarefa_Exportar(caminho)(erro);
}

std::function<bool(QString& erro)> Aba_Tanques::Tarefa_Exportar(const QString& caminho) const {
    // No tank ticked: an empty period, so the file holds the header only.
    return [arquivo = Arquivo(), filtro = Filtro_Atual().value_or(Filtro_Leituras{}), caminho,
            formato = Formato_Planilha(QLocale())](QString& erro) {
        Leitor_Historico leitor(arquivo);
        if (!leitor.Aberto()) {
            erro = leitor.Erro();
            return false;
        }
        return Exportar_Leituras_Csv(leitor.Banco(), filtro, caminho, formato, erro).has_value();
    };
}

}  // namespace qx7
