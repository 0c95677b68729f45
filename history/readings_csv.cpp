#include "history/readings_csv.h"

#include <QDateTime>
#include <QSaveFile>

#include "history/csv_writer.h"

namespace qx7 {

namespace {

const QStringList Cabecalho = {
    QStringLiteral("Data e hora do computador"),
    QStringLiteral("Endereço"),
    QStringLiteral("Comando"),
    QStringLiteral("Tanque"),
    QStringLiteral("Produto"),
    QStringLiteral("Densidade"),
    QStringLiteral("Capacidade"),
    QStringLiteral("Medido"),
    QStringLiteral("Complementar"),
    QStringLiteral("Unidade"),
    QStringLiteral("Percentual"),
    QStringLiteral("Hora do medidor"),
    QStringLiteral("Data do medidor"),
};

QStringList Campos(const Leitura_Historico& l, const Escritor_Csv& csv) {
    return {
        QDateTime::fromMSecsSinceEpoch(l.instante_ms)
            .toLocalTime()
            .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
        l.endereco,
        l.comando,
        csv.Numero(qint64{l.tanque}),
        l.produto,
        csv.Numero(l.densidade),
        csv.Numero(l.capacidade),
        csv.Numero(l.medido),
        csv.Numero(l.complementar),
        l.unidade,
        l.percentual ? csv.Numero(*l.percentual, 2) : QString(),
        l.texto_hora,
        l.texto_data,
    };
}

// The rows page by page; false when the history could not be read or the file written.
bool Escrever_Leituras(QSqlDatabase& banco, const Filtro_Leituras& filtro, Escritor_Csv& csv,
                       QString& erro) {
    csv.Iniciar_Tabela(Cabecalho);
    Percurso_Leituras percurso(filtro);
    for (auto pagina = percurso.Proxima(banco); !pagina.empty() && !csv.Falhou();
         pagina = percurso.Proxima(banco)) {
        for (const Leitura_Historico& l : pagina) {
            csv.Escrever_Linha(Campos(l, csv));
        }
    }
    if (percurso.Falhou()) {
        erro = QStringLiteral("não foi possível ler as leituras do histórico");
        return false;
    }
    return !csv.Falhou();
}

}  // namespace

bool Exportar_Leituras_Csv(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                           const QString& destino, const QLocale& local, QString& erro) {
    // Written beside the destination and renamed over it only when complete.
    QSaveFile arquivo(destino);
    if (!arquivo.open(QIODevice::WriteOnly)) {
        erro = QStringLiteral("não foi possível criar o arquivo %1: %2")
                   .arg(destino, arquivo.errorString());
        return false;
    }
    Escritor_Csv csv(arquivo, local);
    if (!Escrever_Leituras(banco, filtro, csv, erro)) {
        if (erro.isEmpty()) {
            erro = QStringLiteral("não foi possível gravar o arquivo %1: %2")
                       .arg(destino, arquivo.errorString());
        }
        arquivo.cancelWriting();
        return false;
    }
    if (!arquivo.commit()) {
        erro = QStringLiteral("não foi possível gravar o arquivo %1: %2")
                   .arg(destino, arquivo.errorString());
        return false;
    }
    return true;
}

}  // namespace qx7
