#include "station/alarm_texts.h"

#include <cmath>

#include "gauge/number_format.h"
#include "text/decimal_separator.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

// Values to a tenth: a percentage, a number of days or a volume reads no finer.
QString Numero(double valor) {
    return De_1252(Formato_Geral(std::round(valor * 10) / 10, 15, Separador_Decimal()));
}

}  // namespace

QString Nome_Alarme(Tipo_Alarme tipo) {
    return QString::fromUtf8(Descrever(tipo).nome);
}

QString Texto_Valor(Tipo_Alarme tipo, double valor) {
    const QString unidade = QString::fromUtf8(Descrever(tipo).unidade);
    return unidade.isEmpty() ? Numero(valor) : Numero(valor) + QLatin1Char(' ') + unidade;
}

QString Texto_Alarme(const Alarme& alarme) {
    if (alarme.tanque == Sem_Tanque) {
        return Nome_Alarme(alarme.tipo);
    }
    return QStringLiteral("Tanque %1: %2").arg(alarme.tanque).arg(Nome_Alarme(alarme.tipo));
}

QString Linha_Log_Alarme(const Mudanca_Alarme& m) {
    const Alarme& a = m.alarme;
    switch (m.evento) {
        case Evento_Alarme::Levantado:
            return QStringLiteral("Alarme levantado: %1, %2 (limite %3)")
                .arg(Texto_Alarme(a), Texto_Valor(a.tipo, m.valor), Texto_Valor(a.tipo, a.limite));
        case Evento_Alarme::Normalizado:
            return QStringLiteral("Alarme normalizado: %1, %2")
                .arg(Texto_Alarme(a), Texto_Valor(a.tipo, m.valor));
        case Evento_Alarme::Reconhecido:
            return QStringLiteral("Alarme reconhecido por %1: %2")
                .arg(QString::fromStdString(a.reconhecido_por), Texto_Alarme(a));
    }
    return {};
}

QString Linha_Log_Descarga(int tanque, const Descarga& descarga) {
    return QStringLiteral("Descarga no tanque %1: %2 (de %3 a %4)")
        .arg(tanque)
        .arg(Numero(descarga.Quantidade()), Numero(descarga.antes), Numero(descarga.depois));
}

}  // namespace qx7
