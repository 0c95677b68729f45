#include "text/qt_1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace qx7 {

QString De_1252(std::string_view bytes) {
    QStringDecoder decodificador("windows-1252");
    return decodificador(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string Para_1252(const QString& texto) {
    QStringEncoder codificador("windows-1252");
    const QByteArray bytes = codificador(texto);
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace qx7
