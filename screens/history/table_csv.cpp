#include "screens/history/table_csv.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <algorithm>
#include <memory>

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

QStringList Textos(const QAbstractItemModel& tabela, int linha) {
    QStringList textos;
    for (int c = 0; c < tabela.columnCount(); ++c) {
        textos << tabela.index(linha, c).data().toString();
    }
    return textos;
}

void Escrever_Celula(const QModelIndex& celula, Escritor_Csv& csv) {
    if (const QVariant numero = celula.data(Papel_Numero); numero.isValid()) {
        csv.Numero(numero.toDouble());
    } else if (const QVariant instante = celula.data(Papel_Instante); instante.isValid()) {
        csv.Texto(QDateTime::fromMSecsSinceEpoch(instante.toLongLong())
                      .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    } else {
        csv.Texto(celula.data().toString());
    }
}

bool Exportar_Tabela(const QAbstractItemModel& tabela, const QString& caminho, QString& erro) {
    // Written beside the destination and renamed over it only when complete.
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly)) {
        erro = QStringLiteral("Não foi possível criar o arquivo %1: %2.")
                   .arg(caminho, arquivo.errorString());
        return false;
    }
    Escritor_Csv csv(arquivo, Formato_Planilha(QLocale()));
    csv.Cabecalho(Cabecalho(tabela));
    for (int linha = 0; linha < tabela.rowCount(); ++linha) {
        for (int c = 0; c < tabela.columnCount(); ++c) {
            Escrever_Celula(tabela.index(linha, c), csv);
        }
        csv.Fim_Linha();
    }
    if (!csv.Concluir() || !arquivo.commit()) {
        erro = QStringLiteral("Não foi possível gravar o arquivo %1: %2.")
                   .arg(caminho, arquivo.errorString());
        return false;
    }
    return true;
}

}  // namespace

QString Caminho_Tabela(const QString& caminho, const Tabela_Aba& tabela, std::size_t indice) {
    if (indice == 0) {
        return caminho;
    }
    const QFileInfo arquivo(caminho);
    const QString sufixo =
        arquivo.suffix().isEmpty() ? QString() : QLatin1Char('.') + arquivo.suffix();
    return arquivo.dir().filePath(arquivo.completeBaseName() + QLatin1Char('_') + tabela.nome +
                                  sufixo);
}

bool Exportar_Tabelas_Csv(const std::vector<Tabela_Aba>& tabelas, const QString& caminho,
                          QString& erro) {
    for (std::size_t i = 0; i < tabelas.size(); ++i) {
        if (!Exportar_Tabela(*tabelas[i].modelo, Caminho_Tabela(caminho, tabelas[i], i), erro)) {
            return false;
        }
    }
    return true;
}

Tabela_Relatorio Tabela_Do_Modelo(const Tabela_Aba& tabela) {
    const QAbstractItemModel& modelo = *tabela.modelo;
    Tabela_Relatorio relatorio{tabela.titulo, Cabecalho(modelo), {}, {}, modelo.rowCount(), {}};
    for (int c = 0; c < modelo.columnCount(); ++c) {
        qsizetype maior = relatorio.cabecalho[c].size();
        for (int linha = 0; linha < modelo.rowCount(); ++linha) {
            maior = std::max(maior, modelo.index(linha, c).data().toString().size());
        }
        relatorio.larguras.push_back(static_cast<double>(maior + 2));
        relatorio.a_direita.push_back(modelo.rowCount() > 0 &&
                                      modelo.index(0, c).data(Papel_Numero).isValid());
    }
    // The rows are read from the model as the pages are drawn; the model outlives the report.
    relatorio.abrir = [&modelo] {
        return [&modelo, linha = 0](QStringList& textos) mutable {
            if (linha >= modelo.rowCount()) {
                return false;
            }
            textos = Textos(modelo, linha++);
            return true;
        };
    };
    return relatorio;
}

}  // namespace qx7
