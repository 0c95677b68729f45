// A year of readings every five minutes for 16 tanks (1,681,920 rows) in a fresh history
// file; then, five times each, the chart's points for the whole year at 1,000 columns and a
// chart built from them (one measured-volume line per tank on a date-time axis) drawn into a
// 1000 x 600 image.
//
//     QT_QPA_PLATFORM=offscreen ./build-perf/bench_historico [ARQUIVO]
//
// With ARQUIVO the file is kept (and reused when it exists); otherwise a temporary one is made.

#include <QApplication>
#include <QChart>
#include <QDateTimeAxis>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QValueAxis>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "history/connection.h"
#include "history/queries.h"
#include "history/schema.h"

namespace {

using Relogio = std::chrono::steady_clock;

constexpr int Tanques = 16;
constexpr qint64 Passo_ms = 5 * 60 * 1000;
constexpr qint64 Ano_ms = 365LL * 24 * 3600 * 1000;
constexpr qint64 Inicio_ms = 1'704'067'200'000;  // 2024-01-01 00:00 UTC
constexpr int Colunas = 1000;
constexpr int Repeticoes = 5;

double Segundos(Relogio::time_point desde) {
    return std::chrono::duration<double>(Relogio::now() - desde).count();
}

// Each tank fills and empties over a few days, with the gauge's small noise on top.
double Nivel(int tanque, qint64 i) {
    const double dias = static_cast<double>(i) * Passo_ms / 86'400'000.0;
    return 10000 + 8000 * std::sin(dias / (2.0 + tanque * 0.3)) +
           static_cast<double>((i * 7919) % 13);
}

bool Preencher(const QString& arquivo) {
    qx7::Conexao_Historico escrita(arquivo, qx7::Modo_Conexao::Escrita);
    QString erro;
    if (!escrita.Aberta() || !qx7::Migrar_Esquema(escrita.Banco(), erro)) {
        std::fprintf(stderr, "cannot create %s: %s\n", qPrintable(arquivo),
                     qPrintable(escrita.Erro() + erro));
        return false;
    }
    QSqlDatabase& banco = escrita.Banco();
    banco.transaction();
    QSqlQuery q(banco);
    q.prepare(QStringLiteral(
        "INSERT INTO leituras (instante_ms, endereco, comando, tanque, produto, densidade,"
        " capacidade, medido, complementar, unidade, texto_tanque, texto_densidade,"
        " texto_capacidade, texto_medido, texto_complementar, texto_hora, texto_data)"
        " VALUES (?, '01', 'MT', ?, 'GASOLINA', 0.75, 20000, ?, ?, 'V', ?, '0.750', '20000',"
        " '', '', '', '')"));
    for (qint64 i = 0; i * Passo_ms < Ano_ms; ++i) {
        for (int tanque = 1; tanque <= Tanques; ++tanque) {
            const double medido = Nivel(tanque, i);
            q.bindValue(0, Inicio_ms + i * Passo_ms);
            q.bindValue(1, tanque);
            q.bindValue(2, medido);
            q.bindValue(3, 20000 - medido);
            q.bindValue(4, QString::number(tanque));
            if (!q.exec()) {
                std::fprintf(stderr, "insert failed\n");
                return false;
            }
        }
    }
    return banco.commit();
}

// The window's chart as it would show the points: one line per tank, time across.
void Desenhar(const std::vector<qx7::Serie_Tanque>& series, QImage& imagem) {
    auto* grafico = new QChart;
    auto* eixo_x = new QDateTimeAxis;
    eixo_x->setFormat(QStringLiteral("dd/MM/yyyy"));
    auto* eixo_y = new QValueAxis;
    grafico->addAxis(eixo_x, Qt::AlignBottom);
    grafico->addAxis(eixo_y, Qt::AlignLeft);
    double menor = 1e300, maior = -1e300;
    for (const qx7::Serie_Tanque& s : series) {
        QList<QPointF> pontos;
        pontos.reserve(static_cast<qsizetype>(s.pontos.size()));
        for (const qx7::Ponto_Grafico& p : s.pontos) {
            pontos.append(QPointF(static_cast<double>(p.instante_ms), p.medido));
            menor = std::min(menor, p.medido);
            maior = std::max(maior, p.medido);
        }
        auto* linha = new QLineSeries;
        linha->setName(QStringLiteral("Tanque %1").arg(s.tanque));
        linha->replace(pontos);
        grafico->addSeries(linha);
        linha->attachAxis(eixo_x);
        linha->attachAxis(eixo_y);
    }
    eixo_x->setRange(QDateTime::fromMSecsSinceEpoch(Inicio_ms),
                     QDateTime::fromMSecsSinceEpoch(Inicio_ms + Ano_ms));
    eixo_y->setRange(menor, maior);
    QGraphicsScene cena;
    cena.addItem(grafico);  // the scene owns the chart from here
    grafico->resize(imagem.size());
    imagem.fill(Qt::white);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    cena.render(&pintor, QRectF(imagem.rect()), QRectF(imagem.rect()));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir pasta;
    const QString arquivo = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : pasta.filePath(QStringLiteral("Historico.sqlite"));
    if (!QFileInfo::exists(arquivo)) {
        const auto inicio = Relogio::now();
        if (!Preencher(arquivo)) {
            return 1;
        }
        std::printf("file with a year of readings built in %.1f s\n", Segundos(inicio));
    }

    qx7::Conexao_Historico leitor(arquivo, qx7::Modo_Conexao::Leitura);
    if (!leitor.Aberta()) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(arquivo),
                     qPrintable(leitor.Erro()));
        return 1;
    }
    const qx7::Filtro_Leituras ano{Inicio_ms, Inicio_ms + Ano_ms, {}};
    std::printf("readings in the year: %lld\n",
                static_cast<long long>(qx7::Contar_Leituras(leitor.Banco(), ano)));
    std::printf("run  query_s  points  chart_s  total_s\n");
    for (int r = 1; r <= Repeticoes; ++r) {
        const auto inicio = Relogio::now();
        const std::vector<qx7::Serie_Tanque> series =
            qx7::Series_Grafico(leitor.Banco(), ano, Colunas);
        const double consulta = Segundos(inicio);
        std::size_t pontos = 0;
        for (const qx7::Serie_Tanque& s : series) {
            pontos += s.pontos.size();
        }
        const auto antes_grafico = Relogio::now();
        QImage imagem(1000, 600, QImage::Format_ARGB32_Premultiplied);
        Desenhar(series, imagem);
        const double grafico = Segundos(antes_grafico);
        std::printf("%3d  %7.3f  %6zu  %7.3f  %7.3f\n", r, consulta, pontos, grafico,
                    consulta + grafico);
    }
    return 0;
}
