#include "history/csv_writer.h"

namespace qx7 {

namespace {

const QString Fim_Linha = QStringLiteral("\r\n");

}  // namespace

QChar Separador_Csv(const QLocale& local) {
    return local.decimalPoint() == QStringLiteral(",") ? QLatin1Char(';') : QLatin1Char(',');
}

QString Campo_Csv(const QString& campo, QChar separador) {
    const bool citar = campo.contains(separador) || campo.contains(QLatin1Char('"')) ||
                       campo.contains(QLatin1Char('\r')) || campo.contains(QLatin1Char('\n'));
    if (!citar) {
        return campo;
    }
    QString c = campo;
    c.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + c + QLatin1Char('"');
}

Escritor_Csv::Escritor_Csv(QIODevice& saida, const QLocale& local)
    : saida_(saida), local_(local), separador_(Separador_Csv(local)) {
    local_.setNumberOptions(QLocale::OmitGroupSeparator);
}

void Escritor_Csv::Iniciar_Tabela(const QStringList& cabecalho) {
    if (tabelas_++ == 0) {
        Escrever(QString(QChar(0xFEFF)));
    } else {
        Escrever(Fim_Linha);
    }
    Escrever_Linha(cabecalho);
}

void Escritor_Csv::Escrever_Linha(const QStringList& campos) {
    QStringList citados;
    citados.reserve(campos.size());
    for (const QString& campo : campos) {
        citados << Campo_Csv(campo, separador_);
    }
    Escrever(citados.join(separador_) + Fim_Linha);
}

QString Escritor_Csv::Numero(double valor, int casas) const {
    return local_.toString(valor, 'f', casas < 0 ? QLocale::FloatingPointShortest : casas);
}

QString Escritor_Csv::Numero(qint64 valor) const {
    return local_.toString(valor);
}

void Escritor_Csv::Escrever(const QString& texto) {
    const QByteArray bytes = texto.toUtf8();
    if (saida_.write(bytes) != bytes.size()) {
        falhou_ = true;
    }
}

}  // namespace qx7
