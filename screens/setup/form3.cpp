#include "screens/setup/form3.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "text/qt_1252.h"
#include "widgets/centre_on_screen.h"
#include "widgets/colours.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

namespace qx7 {

namespace {

const QColor Latao(200, 160, 40);

QPixmap Transparente(int lado) {
    QPixmap imagem(lado, lado);
    imagem.fill(Qt::transparent);
    return imagem;
}

}  // namespace

QPixmap Desenhar_Chave(int lado) {
    QPixmap imagem = Transparente(lado);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    const qreal u = lado / 16.0;
    pintor.setPen(QPen(Qt::black, u * 0.6));
    pintor.setBrush(Latao);
    // Bow with its hole, shaft, two bits.
    QPainterPath chave;
    chave.addEllipse(QPointF(4 * u, 8 * u), 3.5 * u, 3.5 * u);
    chave.addEllipse(QPointF(3.5 * u, 8 * u), 1.2 * u, 1.2 * u);
    chave.addRect(QRectF(7 * u, 7 * u, 8.5 * u, 2 * u));
    chave.addRect(QRectF(12 * u, 9 * u, 1.5 * u, 3 * u));
    chave.addRect(QRectF(14 * u, 9 * u, 1.5 * u, 2 * u));
    chave.setFillRule(Qt::OddEvenFill);
    pintor.drawPath(chave.simplified());
    return imagem;
}

QPixmap Desenhar_Cadeado_Aberto(int lado) {
    QPixmap imagem = Transparente(lado);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    const qreal u = lado / 16.0;
    // The shackle swung open: its right leg stands free above the body.
    pintor.setPen(QPen(QColor(90, 90, 90), 1.6 * u, Qt::SolidLine, Qt::RoundCap));
    pintor.setBrush(Qt::NoBrush);
    QPainterPath arco;
    arco.moveTo(4.5 * u, 8 * u);
    arco.lineTo(4.5 * u, 4.5 * u);
    arco.arcTo(QRectF(4.5 * u, 1 * u, 6 * u, 7 * u), 180, -180);
    arco.lineTo(10.5 * u, 5.5 * u);
    pintor.drawPath(arco.translated(2.5 * u, -0.5 * u));
    // Body with its keyhole.
    pintor.setPen(QPen(Qt::black, 0.6 * u));
    pintor.setBrush(Latao);
    pintor.drawRoundedRect(QRectF(2 * u, 7.5 * u, 9 * u, 7.5 * u), u, u);
    pintor.setBrush(Qt::black);
    pintor.drawEllipse(QPointF(6.5 * u, 10.5 * u), 1 * u, 1 * u);
    pintor.drawRect(QRectF(6.1 * u, 10.5 * u, 0.8 * u, 2.5 * u));
    return imagem;
}

Form3::Form3(Variaveis_Programa& variaveis, QWidget* parent)
    : QDialog(parent), variaveis_(variaveis) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Abertura QX7"));
    setWindowIcon(QIcon(Desenhar_Chave(32)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(Tamanho(3135, 2145));
    Centralizar_Ao_Mostrar(*this);
    setFont(Sans_Serif());

    auto* rotulo = new QLabel(QStringLiteral("Senha de Usuário"), this);
    rotulo->setObjectName(QStringLiteral("Label1"));
    rotulo->setFont(Sans_Serif(8.25, true));
    rotulo->setGeometry(Retangulo(120, 360, 1575, 375));

    senha_ = new QLineEdit(this);
    senha_->setObjectName(QStringLiteral("Senha"));
    senha_->setFont(Sans_Serif(18));
    senha_->setGeometry(Retangulo(1800, 240, 1215, 465));
    senha_->setEchoMode(QLineEdit::Password);
    // Every character shows as "*" (42), whatever the platform's own mask character.
    senha_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    // A tool button: a dialog's Enter key never triggers it, and it carries its picture above
    // the caption.
    validar_senha_ = new QToolButton(this);
    validar_senha_->setObjectName(QStringLiteral("Validar_Senha"));
    validar_senha_->setText(QStringLiteral("Conectar"));
    validar_senha_->setFont(Sans_Serif(8.25, true));
    validar_senha_->setGeometry(Retangulo(960, 1080, 1215, 735));
    validar_senha_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    validar_senha_->setIcon(QIcon(Desenhar_Cadeado_Aberto(32)));
    validar_senha_->setIconSize(QSize(24, 24));
    validar_senha_->setFocusPolicy(Qt::StrongFocus);
    Pintar_Botao(*validar_senha_, Amarelo_Claro);
    validar_senha_->setAutoFillBackground(true);
    connect(validar_senha_, &QToolButton::clicked, this, &Form3::Validar_Senha_Click);

    setTabOrder(senha_, validar_senha_);
    senha_->setFocus();
}

void Form3::Validar_Senha_Click() {
    variaveis_.Senha_Usuario = Para_1252(senha_->text());
    accept();
}

}  // namespace qx7
