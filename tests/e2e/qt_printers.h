#pragma once
// Readable failure messages for Qt strings and string lists.

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* saida) {
    *saida << '"' << texto.toStdString() << '"';
}

inline void PrintTo(const QStringList& lista, std::ostream* saida) {
    *saida << '{' << lista.join(QStringLiteral(", ")).toStdString() << '}';
}
