#pragma once
// Qt's own texts (standard buttons, the file dialog) in Portuguese, Brazilian where Debian's
// translation package has it, otherwise Portuguese. Header-only, so that the test programs,
// which do not link the application, load the same translation.

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qx7 {

// False when no Portuguese translation of Qt is installed; Qt then speaks English.
inline bool Carregar_Traducoes_Qt(QCoreApplication& aplicacao) {
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
