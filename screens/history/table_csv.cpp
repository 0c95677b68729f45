#include "screens/history/table_csv.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QLocale>
#include <QSaveFile>

#include "history/csv_writer.h"
#include "screens/history/table_cells.h"

namespace qx7 {

namespace {

QStringList Cabecalho(const QAbstractItemModel& tabela) {
    QStringList titulos;
    for (int c = 0; c < tabela.columnCount(); ++c) {
        titulos << tabela.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    return titulos;
}

// Numbers as the spreadsheet reads them, times in the one form no region misreads (as the
// readings' export writes them), the others as shown.
QString Campo(const QModelIndex& celula, const Escritor_Csv& csv) {
    if (const QVariant numero = celula.data(Papel_Numero); numero.isValid()) {
        return csv.Numero(numero.toDouble());
    }
    if (const QVariant instante = celula.data(Papel_Instante); instante.isValid()) {
        return QDateTime::fromMSecsSinceEpoch(instante.toLongLong())
            .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    return celula.data().toString();
}

QStringList Campos(const QAbstractItemModel& tabela, int linha, const Escritor_Csv& csv) {
    QStringList campos;
    for (int c = 0; c < tabela.columnCount(); ++c) {
        campos << Campo(tabela.index(linha, c), csv);
    }
    return campos;
}

}  // namespace

bool Exportar_Tabelas_Csv(const std::vector<const QAbstractItemModel*>& tabelas,
                          const QString& caminho, QString& erro) {
    // Written beside the destination and renamed over it only when complete.
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly)) {
        erro = QStringLiteral("Não foi possível criar o arquivo %1: %2.")
                   .arg(caminho, arquivo.errorString());
        return false;
    }
    Escritor_Csv csv(arquivo, QLocale());
    for (const QAbstractItemModel* tabela : tabelas) {
        csv.Iniciar_Tabela(Cabecalho(*tabela));
        for (int linha = 0; linha < tabela->rowCount() && !csv.Falhou(); ++linha) {
            csv.Escrever_Linha(Campos(*tabela, linha, csv));
        }
    }
    if (csv.Falhou() || !arquivo.commit()) {
        erro = QStringLiteral("Não foi possível gravar o arquivo %1: %2.")
                   .arg(caminho, arquivo.errorString());
        return false;
    }
    return true;
}

}  // namespace qx7
