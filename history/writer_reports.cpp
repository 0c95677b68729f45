#include "history/writer_reports.h"

#include <QDir>

namespace qx7 {

namespace {

QString Registros(std::uint64_t n) {
    return n == 1 ? QStringLiteral("1 registro") : QStringLiteral("%1 registros").arg(n);
}

// "1 registro recuperado", "5 registros recuperados".
QString Registros(std::uint64_t n, const char* participio) {
    return QStringLiteral("%1 %2%3").arg(Registros(n), QString::fromUtf8(participio),
                                         n == 1 ? QString() : QStringLiteral("s"));
}

}  // namespace

Aviso_Historico Aviso_Parado(const QString& motivo, std::size_t capacidade) {
    return {.tipo = Aviso_Historico::Tipo::Parado,
            .linha_log = QStringLiteral("Gravação do histórico interrompida: %1; as leituras "
                                        "aguardam na memória.")
                             .arg(motivo),
            .mensagem = QStringLiteral("O histórico não está sendo gravado: %1.\n\nAs leituras "
                                       "aguardam na memória (até %2) e serão gravadas assim que "
                                       "o arquivo voltar a aceitar gravações. A comunicação com "
                                       "o medidor continua normalmente.")
                            .arg(motivo, Registros(capacidade)),
            .registros = 0};
}

Aviso_Historico Aviso_Retomado(std::uint64_t recuperados, std::uint64_t perdidos) {
    QString linha = QStringLiteral("Gravação do histórico retomada: %1.")
                        .arg(Registros(recuperados, "recuperado"));
    QString mensagem;
    if (perdidos > 0) {
        linha += QStringLiteral(" %1 por falta de espaço na memória.")
                     .arg(Registros(perdidos, "perdido"));
        // A loss stays on screen: the operator must learn of it without reading the log.
        mensagem = linha;
    }
    return {.tipo = Aviso_Historico::Tipo::Retomado,
            .linha_log = linha,
            .mensagem = mensagem,
            .registros = recuperados};
}

Aviso_Historico Aviso_Reparado(const Resultado_Reparo& reparo) {
    using Tipo = Resultado_Reparo::Tipo;
    Aviso_Historico aviso{.tipo = Aviso_Historico::Tipo::Reparado,
                          .linha_log = {},
                          .mensagem = {},
                          .registros = reparo.linhas};
    switch (reparo.tipo) {
        case Tipo::Reindexado:
            aviso.linha_log = QStringLiteral(
                "Arquivo de histórico danificado: os índices foram reconstruídos, nenhum "
                "registro perdido.");
            return aviso;
        case Tipo::Copiado:
            aviso.linha_log = QStringLiteral(
                                  "Arquivo de histórico danificado: copiado para um arquivo "
                                  "novo, %1, nenhum perdido.")
                                  .arg(Registros(reparo.linhas, "mantido"));
            break;
        case Tipo::Guardado:
        case Tipo::Falhou:
            aviso.linha_log = reparo.linhas == 0
                                  ? QStringLiteral(
                                        "Arquivo de histórico danificado ou de outro programa: "
                                        "guardado como %1 e um novo foi iniciado.")
                                        .arg(QDir::toNativeSeparators(reparo.guardado_como))
                                  : QStringLiteral(
                                        "Arquivo de histórico danificado: %1 no arquivo; o que "
                                        "não pôde ser lido ficou no arquivo guardado como %2.")
                                        .arg(Registros(reparo.linhas, "mantido"),
                                             QDir::toNativeSeparators(reparo.guardado_como));
            break;
    }
    aviso.mensagem = aviso.linha_log;
    return aviso;
}

Aviso_Historico Aviso_Copia_Feita(const QString& arquivo) {
    return {.tipo = Aviso_Historico::Tipo::Copia_Feita,
            .linha_log = QStringLiteral("Cópia de segurança do histórico feita: %1.")
                             .arg(QDir::toNativeSeparators(arquivo)),
            .mensagem = {},
            .registros = 0};
}

Aviso_Historico Aviso_Copia_Falhou(const QString& motivo) {
    return {.tipo = Aviso_Historico::Tipo::Copia_Falhou,
            .linha_log =
                QStringLiteral("A cópia de segurança do histórico não foi feita: %1.").arg(motivo),
            .mensagem = {},
            .registros = 0};
}

}  // namespace qx7
