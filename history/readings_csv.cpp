#include "history/readings_csv.h"

#include <QSaveFile>

#include "history/csv_times.h"

namespace qx7 {

namespace {

constexpr int Por_Pagina = 2000;
constexpr int Casas_Percentual = 2;

const QStringList Cabecalho_Planilha = {
    QStringLiteral("Data e hora do computador"),
    QStringLiteral("Instante UTC"),
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

// Names a program can take as they are.
const QStringList Cabecalho_Maquina = {
    QStringLiteral("instante_utc"), QStringLiteral("endereco"),   QStringLiteral("comando"),
    QStringLiteral("tanque"),       QStringLiteral("produto"),    QStringLiteral("densidade"),
    QStringLiteral("capacidade"),   QStringLiteral("medido"),     QStringLiteral("complementar"),
    QStringLiteral("unidade"),      QStringLiteral("percentual"), QStringLiteral("hora_medidor"),
    QStringLiteral("data_medidor"),
};

void Escrever_Leitura(const Leitura_Historico& l, Relogio_Csv& relogio, Escritor_Csv& csv) {
    const bool maquina = !csv.Formato().planilha;
    if (!maquina) {
        csv.Texto(relogio.Local(l.instante_ms));
    }
    csv.Texto(Relogio_Csv::Utc(l.instante_ms));
    csv.Texto(l.endereco);
    csv.Texto(l.comando);
    csv.Numero(qint64{l.tanque});
    csv.Texto(l.produto);
    csv.Numero(l.densidade);
    csv.Numero(l.capacidade);
    csv.Numero(l.medido);
    csv.Numero(l.complementar);
    csv.Texto(l.unidade);
    csv.Numero(l.percentual, Casas_Percentual);
    csv.Texto(l.texto_hora);
    csv.Texto(maquina ? Data_Medidor_Iso(l.texto_data) : l.texto_data);
    csv.Fim_Linha();
}

// The rows page by page; none when the history could not be read.
std::optional<qint64> Escrever_Leituras(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                                        Escritor_Csv& csv) {
    csv.Cabecalho(csv.Formato().planilha ? Cabecalho_Planilha : Cabecalho_Maquina);
    Percurso_Leituras percurso(filtro, Por_Pagina);
    Relogio_Csv relogio;
    qint64 linhas = 0;
    for (auto pagina = percurso.Proxima(banco); !pagina.empty() && !csv.Falhou();
         pagina = percurso.Proxima(banco)) {
        for (const Leitura_Historico& l : pagina) {
            Escrever_Leitura(l, relogio, csv);
        }
        linhas += std::ssize(pagina);
    }
    return percurso.Falhou() ? std::nullopt : std::optional(linhas);
}

QString Nao_Gravou(const QString& destino, const QSaveFile& arquivo) {
    return QStringLiteral("não foi possível gravar o arquivo %1: %2")
        .arg(destino, arquivo.errorString());
}

}  // namespace

std::optional<qint64> Exportar_Leituras_Csv(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                                            const QString& destino, const Formato_Csv& formato,
                                            QString& erro) {
    // Written beside the destination and renamed over it only when complete.
    QSaveFile arquivo(destino);
    if (!arquivo.open(QIODevice::WriteOnly)) {
        erro = QStringLiteral("não foi possível criar o arquivo %1: %2")
                   .arg(destino, arquivo.errorString());
        return std::nullopt;
    }
    Escritor_Csv csv(arquivo, formato);
    const std::optional<qint64> linhas = Escrever_Leituras(banco, filtro, csv);
    if (!linhas) {
        erro = QStringLiteral("não foi possível ler as leituras do histórico");
        arquivo.cancelWriting();
        return std::nullopt;
    }
    if (!csv.Concluir()) {
        erro = Nao_Gravou(destino, arquivo);
        arquivo.cancelWriting();
        return std::nullopt;
    }
    if (!arquivo.commit()) {
        erro = Nao_Gravou(destino, arquivo);
        return std::nullopt;
    }
    return linhas;
}

}  // namespace qx7
