#include "tests/e2e/modal_script.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QTest>

namespace qx7::e2e {

namespace {

constexpr int Intervalo_Sondagem_ms = 10;

QString Nome(const QWidget& janela) {
    return janela.objectName().isEmpty() ? QString::fromLatin1(janela.metaObject()->className())
                                         : janela.objectName();
}

}  // namespace

Roteiro_Modal::Roteiro_Modal() {
    sondagem_.setInterval(Intervalo_Sondagem_ms);
    QObject::connect(&sondagem_, &QTimer::timeout, [this] { Verificar(); });
    sondagem_.start();
}

Roteiro_Modal& Roteiro_Modal::Quando(const QString& janela, Acao acao) {
    passos_.push_back({janela, std::move(acao)});
    return *this;
}

void Roteiro_Modal::Verificar() {
    QWidget* ativa = QApplication::activeModalWidget();
    if (ativa == nullptr) {
        ultima_ = nullptr;
        return;
    }
    if (ativa != ultima_) {
        ultima_ = ativa;
        vistas_.append(Nome(*ativa));
    }
    if (passos_.empty() || !ativa->isVisible()) {
        return;
    }
    const QString& esperada = passos_.front().janela;
    if (ativa->objectName() != esperada && !ativa->inherits(esperada.toLatin1().constData())) {
        return;
    }
    // Run from the screen's own event loop, so that a screen the action opens in turn is
    // seen by the next poll.
    ++em_curso_;
    QTimer::singleShot(0, ativa, [this, ativa, acao = std::move(passos_.front().acao)] {
        acao(*ativa);
        --em_curso_;
    });
    passos_.pop_front();
}

bool Esperar(const std::function<bool()>& condicao, int ms) {
    const QDeadlineTimer limite(ms);
    while (!condicao()) {
        if (limite.hasExpired()) {
            return false;
        }
        QTest::qWait(Intervalo_Sondagem_ms);
    }
    return true;
}

void Observar(int ms) {
    Esperar([] { return false; }, ms);
}

void Digitar(QWidget& janela, const char* campo_utf8, const QString& texto) {
    auto* campo = janela.findChild<QLineEdit*>(QString::fromUtf8(campo_utf8));
    if (campo == nullptr) {
        ADD_FAILURE() << "no field " << campo_utf8 << " on " << Nome(janela).toStdString();
        return;
    }
    campo->setFocus();
    campo->clear();
    QTest::keyClicks(campo, texto);
}

void Clicar(QWidget& janela, const char* botao_utf8) {
    auto* botao = janela.findChild<QAbstractButton*>(QString::fromUtf8(botao_utf8));
    if (botao == nullptr) {
        ADD_FAILURE() << "no button " << botao_utf8 << " on " << Nome(janela).toStdString();
        return;
    }
    botao->click();
}

}  // namespace qx7::e2e
