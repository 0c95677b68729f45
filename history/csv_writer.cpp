#include "history/csv_writer.h"

#include <charconv>

namespace qx7 {

namespace {

// Rows are held until this many characters, then written in one go.
constexpr qsizetype Bloco = 32 * 1024;
// Room for any double in fixed notation (1e308 has 309 digits).
constexpr int Maximo_Digitos = 400;

const QString Fim = QStringLiteral("\r\n");

bool Parece_Formula(const QString& texto) {
    if (texto.isEmpty()) {
        return false;
    }
    const QChar c = texto.front();
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') ||
           c == QLatin1Char('@') || c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

bool Precisa_Aspas(const QString& texto, QChar separador) {
    for (const QChar c : texto) {
        if (c == separador || c == QLatin1Char('"') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n')) {
            return true;
        }
    }
    return false;
}

}  // namespace

Formato_Csv Formato_Planilha(const QLocale& local) {
    const QString decimal = local.decimalPoint();
    const QString menos = local.negativeSign();
    const QChar virgula = QLatin1Char(',');
    return {
        .separador = decimal == QStringLiteral(",") ? QLatin1Char(';') : virgula,
        .decimal = decimal.size() == 1 ? decimal.front() : QLatin1Char('.'),
        .menos = menos.size() == 1 ? menos.front() : QLatin1Char('-'),
        .planilha = true,
    };
}

Formato_Csv Formato_Maquina() {
    return {};
}

QString Campo_Csv(const QString& texto, QChar separador) {
    QString campo = Parece_Formula(texto) ? QLatin1Char('\'') + texto : texto;
    if (!Precisa_Aspas(campo, separador)) {
        return campo;
    }
    campo.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + campo + QLatin1Char('"');
}

Escritor_Csv::Escritor_Csv(QIODevice& saida, const Formato_Csv& formato)
    : saida_(saida), formato_(formato) {
    pendente_.reserve(Bloco + Bloco / 4);
}

void Escritor_Csv::Cabecalho(const QStringList& titulos) {
    if (formato_.planilha) {
        pendente_ += QChar(0xFEFF);
    }
    for (const QString& titulo : titulos) {
        Texto(titulo);
    }
    Fim_Linha();
}

void Escritor_Csv::Iniciar_Campo() {
    if (!primeiro_campo_) {
        pendente_ += formato_.separador;
    }
    primeiro_campo_ = false;
}

void Escritor_Csv::Texto(const QString& texto) {
    Iniciar_Campo();
    if (Parece_Formula(texto) || Precisa_Aspas(texto, formato_.separador)) {
        pendente_ += Campo_Csv(texto, formato_.separador);
    } else {
        pendente_ += texto;
    }
}

void Escritor_Csv::Acrescentar_Ascii(const char* inicio, const char* fim) {
    for (const char* c = inicio; c != fim; ++c) {
        pendente_ += *c == '.'   ? formato_.decimal
                     : *c == '-' ? formato_.menos
                                 : QChar(QLatin1Char(*c));
    }
}

void Escritor_Csv::Numero(double valor, int casas) {
    Iniciar_Campo();
    char texto[Maximo_Digitos];
    const auto r =
        casas < 0
            ? std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::fixed)
            : std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::fixed, casas);
    Acrescentar_Ascii(texto, r.ptr);
}

void Escritor_Csv::Numero(qint64 valor) {
    Iniciar_Campo();
    char texto[24];
    const auto r = std::to_chars(texto, texto + sizeof texto, valor);
    Acrescentar_Ascii(texto, r.ptr);
}

void Escritor_Csv::Numero(const std::optional<double>& valor, int casas) {
    if (valor) {
        Numero(*valor, casas);
    } else {
        Iniciar_Campo();
    }
}

void Escritor_Csv::Fim_Linha() {
    pendente_ += Fim;
    primeiro_campo_ = true;
    if (pendente_.size() >= Bloco) {
        Descarregar();
    }
}

void Escritor_Csv::Descarregar() {
    const QByteArray bytes = pendente_.toUtf8();
    pendente_.resize(0);  // keeps its room for the next block
    if (!falhou_ && saida_.write(bytes) != bytes.size()) {
        falhou_ = true;
    }
}

bool Escritor_Csv::Concluir() {
    Descarregar();
    return !falhou_;
}

}  // namespace qx7
