#include "tests/e2e/reporting_simulator.h"

#include <QDeadlineTimer>

namespace qx7::e2e {

namespace {

constexpr int Espera_Inicio_ms = 10000;
constexpr int Espera_Fim_ms = 3000;

}  // namespace

Processo_Simulador::Processo_Simulador(const std::filesystem::path& base, int com,
                                       QStringList opcoes) {
    QStringList argumentos{
        QStringLiteral("--configuracao"), QStringLiteral(QX7_SIMULADOR_EXEMPLO),
        QStringLiteral("--diretorio"),    QString::fromStdU16String(base.u16string()),
        QStringLiteral("--com"),          QString::number(com)};
    argumentos += opcoes;
    processo_.setProcessChannelMode(QProcess::MergedChannels);
    processo_.start(QStringLiteral(QX7_SIMULADOR_PROGRAMA), argumentos);
    const QDeadlineTimer limite(Espera_Inicio_ms);
    while (!Saida().contains(QStringLiteral("Ctrl+C encerra.")) && !limite.hasExpired() &&
           processo_.state() != QProcess::NotRunning) {
        processo_.waitForReadyRead(static_cast<int>(limite.remainingTime()));
    }
    pronto_ = Saida().contains(QStringLiteral("Ctrl+C encerra."));
}

Processo_Simulador::~Processo_Simulador() {
    if (processo_.state() == QProcess::NotRunning) {
        return;
    }
    processo_.terminate();  // SIGTERM: the simulator removes its link on the way out
    if (!processo_.waitForFinished(Espera_Fim_ms)) {
        processo_.kill();
        processo_.waitForFinished(Espera_Fim_ms);
    }
}

const QString& Processo_Simulador::Saida() {
    saida_ += QString::fromUtf8(processo_.readAll());
    return saida_;
}

QStringList Processo_Simulador::Pedidos() {
    const QString prefixo = QStringLiteral("Pedido: ");
    QStringList pedidos;
    for (const QString& linha : Saida().split(QLatin1Char('\n'))) {
        if (linha.startsWith(prefixo)) {
            pedidos.append(linha.mid(prefixo.size()).trimmed());
        }
    }
    return pedidos;
}

bool Processo_Simulador::Definir(const QString& definicao) {
    const QString resposta = QStringLiteral("Definido: ") + definicao;
    const qsizetype antes = Saida().count(resposta);
    processo_.write((definicao + QLatin1Char('\n')).toUtf8());
    const QDeadlineTimer limite(Espera_Inicio_ms);
    while (Saida().count(resposta) == antes && !limite.hasExpired() &&
           processo_.state() != QProcess::NotRunning) {
        processo_.waitForReadyRead(static_cast<int>(limite.remainingTime()));
    }
    return Saida().count(resposta) > antes;
}

void Processo_Simulador::Matar() {
    processo_.kill();
    processo_.waitForFinished(Espera_Fim_ms);
}

}  // namespace qx7::e2e
