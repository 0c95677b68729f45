// The daily copy, against a clock the test moves: made once a day by SQLite on the writer's
// thread, a whole history file named after its moment, only the last seven kept.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <atomic>

#include "history/backup.h"
#include "history/writer.h"
#include "tests/history/history_reader.h"
#include "tests/history/writer_probe.h"

namespace qx7::teste {
namespace {

using Tipo = Aviso_Historico::Tipo;
constexpr qint64 Hora = 60LL * 60 * 1000;
constexpr qint64 Dia = 24 * Hora;
const qint64 Inicio = QDateTime(QDate(2026, 12, 1), QTime(0, 0)).toMSecsSinceEpoch();

QString Nome(qint64 instante_ms) {
    return QDateTime::fromMSecsSinceEpoch(instante_ms)
        .toString(QStringLiteral("'Historico-'yyyyMMdd-HHmmss'.sqlite'"));
}

TEST(Copias, UmaPorDiaAsSeteUltimas) {
    QTemporaryDir pasta;
    const QString copias = pasta.filePath(QStringLiteral("Backup"));
    std::atomic<qint64> agora = Inicio;
    Avisos avisos;
    Gravador_Historico gravador({.arquivo = pasta.filePath(QStringLiteral("Historico.sqlite")),
                                 .avisar = avisos.Receber(),
                                 .pasta_copias = copias,
                                 .relogio_ms = [&agora] { return agora.load(); }});
    constexpr int Dias = 10;
    QStringList esperadas;
    for (int dia = 0; dia < Dias; ++dia) {
        // One reading at one o'clock, when the day's copy falls due, and more later that day.
        agora = Inicio + dia * Dia + Hora;
        gravador.Enfileirar(Leitura_Tanque(1, agora));
        ASSERT_TRUE(Esperar([&] {
            return avisos.Do_Tipo(Tipo::Copia_Feita).size() == static_cast<std::size_t>(dia + 1);
        })) << "dia "
            << dia;
        esperadas << Nome(agora);
        for (const qint64 hora : {6, 13, 23}) {
            agora = Inicio + dia * Dia + hora * Hora;
            gravador.Enfileirar(Leitura_Tanque(1, agora));
        }
        ASSERT_TRUE(Esperar([&] { return gravador.Gravados() == 4u * (dia + 1); }));
        // The first copy holds only the reading it followed.
        if (dia == 0) {
            EXPECT_EQ(Valor(QDir(copias).filePath(esperadas[0]),
                            QStringLiteral("SELECT count(*) FROM leituras"))
                          .toInt(),
                      1);
        }
    }
    gravador.Encerrar();

    EXPECT_EQ(QDir(copias).entryList(QDir::Files, QDir::Name),
              esperadas.mid(Dias - Copias_Mantidas));
    EXPECT_EQ(avisos.Do_Tipo(Tipo::Copia_Feita).size(), static_cast<std::size_t>(Dias));
    const QString ultima = QDir(copias).filePath(esperadas.back());
    EXPECT_EQ(Valor(ultima, QStringLiteral("PRAGMA integrity_check")).toString(),
              QStringLiteral("ok"));
    EXPECT_EQ(Valor(ultima, QStringLiteral("SELECT count(*) FROM leituras")).toInt(),
              4 * (Dias - 1) + 1);
}

// The folder is read at the start: a copy made less than a day before by an earlier session is
// not made again; a clock set back is not a reason to wait for it to catch up.
TEST(Copias, DevidaPelaUltimaDaPasta) {
    QTemporaryDir pasta;
    ASSERT_TRUE(QDir(pasta.path()).mkpath(QStringLiteral(".")));
    QFile antiga(pasta.filePath(Nome(Inicio)));
    ASSERT_TRUE(antiga.open(QIODevice::WriteOnly));
    antiga.close();
    const struct {
        qint64 agora_ms;
        bool devida;
    } casos[] = {{Inicio + Hora, false},
                 {Inicio + Dia - 1, false},
                 {Inicio + Dia, true},
                 {Inicio - Hora, true}};
    for (const auto& [agora_ms, devida] : casos) {
        SCOPED_TRACE(agora_ms - Inicio);
        Copias_Seguranca copias(pasta.path());
        EXPECT_EQ(copias.Devida(agora_ms), devida);
    }
}

}  // namespace
}  // namespace qx7::teste
