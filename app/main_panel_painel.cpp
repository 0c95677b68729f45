// The main panel as the link and the gauge logic see it: texts and enabling of its controls,
// the tank drawing, the running light, and the event loop and clock of the platform.

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <cmath>

#include "app/main_panel.h"
#include "app/main_panel_layout.h"
#include "gauge/tank_level.h"
#include "screens/inventory/decimal_separator.h"
#include "widgets/codepage.h"
#include "widgets/twips.h"

namespace qx7 {

QWidget* Form1::Elemento(Controle controle) const {
    return controles_[static_cast<std::size_t>(controle)];
}

std::string Form1::Texto(Controle controle) const {
    const QWidget* w = Elemento(controle);
    if (const auto* caixa = qobject_cast<const QLineEdit*>(w)) {
        return Para_1252(caixa->text());
    }
    if (const auto* rotulo = qobject_cast<const QLabel*>(w)) {
        return Para_1252(rotulo->text());
    }
    if (const auto* moldura = qobject_cast<const QGroupBox*>(w)) {
        return Para_1252(moldura->title());
    }
    if (const auto* botao = qobject_cast<const QAbstractButton*>(w)) {
        return Para_1252(botao->text());
    }
    return {};
}

void Form1::Definir_Texto(Controle controle, std::string_view texto) {
    QWidget* w = Elemento(controle);
    if (auto* caixa = qobject_cast<QLineEdit*>(w)) {
        caixa->setText(De_1252(texto));
        caixa->setCursorPosition(0);  // show the beginning, like a text box that was written
    } else if (auto* rotulo = qobject_cast<QLabel*>(w)) {
        rotulo->setText(De_1252(texto));
    } else if (auto* moldura = qobject_cast<QGroupBox*>(w)) {
        moldura->setTitle(De_1252(texto));
    } else if (auto* botao = qobject_cast<QAbstractButton*>(w)) {
        botao->setText(De_1252(texto));
    }
}

void Form1::Habilitar(Controle controle, bool habilitado) {
    Elemento(controle)->setEnabled(habilitado);
}

void Form1::Habilitar_Tanque(int k, bool habilitado) {
    if (k >= 0 && k < static_cast<int>(tanques_.size())) {
        tanques_[static_cast<std::size_t>(k)]->setEnabled(habilitado);
    }
}

// The button's own setting: a tank button inside a disabled frame still counts as enabled.
bool Form1::Tanque_Habilitado(int k) const {
    if (k < 0 || k >= static_cast<int>(tanques_.size())) {
        return false;
    }
    return !tanques_[static_cast<std::size_t>(k)]->testAttribute(Qt::WA_ForceDisabled);
}

// Only the height changes; a percentage outside 0..100 would give a negative height or one
// that runs below the tank, so the height is kept within the tank's box.
void Form1::Altura_Liquido(float twips) {
    const double altura = std::clamp(static_cast<double>(twips), 0.0, double{Altura_Tanque_Painel});
    altura_liquido_->setGeometry(
        Retangulo(Left_Tanque, Top_Tanque, Largura_Tanque, static_cast<int>(std::lround(altura))));
}

void Form1::Selecionar_Sinal(int i) {
    if (i >= 0 && i < static_cast<int>(sinais_.size())) {
        sinais_[static_cast<std::size_t>(i)]->setChecked(true);
    }
}

void Form1::Processar_Eventos() {
    QCoreApplication::processEvents();
}

// The single-shot wakes the loop when no event comes within ms_max. This is the transmit wait,
// with RTS raised: no click may open a modal screen inside it and hold RTS up behind it.
void Form1::Aguardar_Eventos(int ms_max) {
    despertador_.start(std::max(ms_max, 0));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                    QEventLoop::ExcludeUserInputEvents);
    despertador_.stop();
}

void Form1::Pausa_ms(int ms) {
    QThread::msleep(static_cast<unsigned long>(std::max(ms, 0)));
}

std::string Form1::Data_Atual() {
    return Para_1252(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

// The system's time format with seconds, as the clock on the panel shows them; Qt's long
// format adds the time zone, which the clock leaves out.
std::string Form1::Hora_Atual() {
    QString formato = QLocale::system().timeFormat(QLocale::LongFormat);
    formato.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    return Para_1252(QLocale::system().toString(QTime::currentTime(), formato.trimmed()));
}

char Form1::Separador_Decimal() const {
    return qx7::Separador_Decimal();
}

}  // namespace qx7
