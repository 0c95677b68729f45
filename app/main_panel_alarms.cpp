// The station's alarms on the main panel, seen without looking for them: the title and a tray
// icon count those not yet acknowledged, a desktop notification tells each new one where the
// desktop has a tray, and the percentage box is coloured while the tank on the panel has one.
// Nothing of the specified layout moves and no window opens.

#include <QPalette>
#include <QStyle>
#include <QSystemTrayIcon>
#include <algorithm>

#include "app/main_panel.h"
#include "station/alarm_texts.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

const QColor Fundo_Alarme{255, 190, 190};

QString Contagem(std::size_t n) {
    return n == 1 ? QStringLiteral("1 alarme não reconhecido")
                  : QStringLiteral("%1 alarmes não reconhecidos").arg(n);
}

}  // namespace

void Form1::Ligar_Alarmes() {
    const Servicos_Alarmes& alarmes = servicos_historico_->alarmes;
    if (alarmes.sinais == nullptr || !alarmes.ativos) {
        return;
    }
    connect(alarmes.sinais, &Sinais_Alarmes::Mudaram, this, &Form1::Mostrar_Alarmes,
            Qt::UniqueConnection);
    connect(alarmes.sinais, &Sinais_Alarmes::Levantado, this, &Form1::Notificar_Alarme,
            Qt::UniqueConnection);
    if (bandeja_ == nullptr && QSystemTrayIcon::isSystemTrayAvailable()) {
        bandeja_ = new QSystemTrayIcon(
            QIcon::fromTheme(QStringLiteral("dialog-warning"),
                             style()->standardIcon(QStyle::SP_MessageBoxWarning)),
            this);
        bandeja_->setObjectName(QStringLiteral("Bandeja_Alarmes"));
        connect(bandeja_, &QSystemTrayIcon::activated, this, [this] {
            showNormal();
            raise();
            activateWindow();
        });
    }
    Mostrar_Alarmes();
}

void Form1::Mostrar_Alarmes() {
    alarmes_nao_reconhecidos_.clear();
    for (const Alarme& alarme : servicos_historico_->alarmes.ativos()) {
        if (!alarme.reconhecido_ms) {
            alarmes_nao_reconhecidos_.push_back(alarme);
        }
    }
    const std::size_t n = alarmes_nao_reconhecidos_.size();
    setWindowTitle(n == 0 ? Titulo_Form1
                          : QStringLiteral("%1 — %2").arg(Titulo_Form1, Contagem(n)));
    if (bandeja_ != nullptr) {
        QStringList linhas{Contagem(n)};
        for (const Alarme& alarme : alarmes_nao_reconhecidos_) {
            linhas << Texto_Alarme(alarme);
        }
        bandeja_->setToolTip(linhas.join(QLatin1Char('\n')));
        bandeja_->setVisible(n > 0);
    }
    Colorir_Percentual();
}

void Form1::Colorir_Percentual() {
    QWidget* caixa = Elemento(Controle::Percentual);
    bool numero = false;
    const int tanque =
        De_1252(estacao_.Painel().Texto(Controle::QX7_Tanque)).trimmed().toInt(&numero);
    const bool com_alarme =
        numero && tanque != Sem_Tanque &&
        std::any_of(alarmes_nao_reconhecidos_.begin(), alarmes_nao_reconhecidos_.end(),
                    [tanque](const Alarme& alarme) { return alarme.tanque == tanque; });
    if (!com_alarme) {
        caixa->setPalette(QPalette());  // the panel's own colours again
        return;
    }
    QPalette paleta = caixa->palette();
    paleta.setColor(QPalette::Base, Fundo_Alarme);
    caixa->setPalette(paleta);
}

void Form1::Notificar_Alarme(const QString& texto) {
    if (bandeja_ == nullptr || !QSystemTrayIcon::supportsMessages()) {
        return;
    }
    bandeja_->show();
    bandeja_->showMessage(QStringLiteral("Alarme"), texto, QSystemTrayIcon::Warning);
}

}  // namespace qx7
