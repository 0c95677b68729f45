#include "widgets/translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qx7 {

bool Carregar_Traducoes_Qt(QCoreApplication& aplicacao) {
    auto* tradutor = new QTranslator(&aplicacao);
    // Tries qtbase_pt_BR, then qtbase_pt.
    if (!tradutor->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete tradutor;
        return false;
    }
    return QCoreApplication::installTranslator(tradutor);
}

}  // namespace qx7
