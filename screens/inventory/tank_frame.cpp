#include "screens/inventory/tank_frame.h"

#include <QLabel>
#include <QLineEdit>

#include "gauge/numeric_text.h"
#include "gauge/tank_level.h"
#include "screens/inventory/filled_shape.h"
#include "text/qt_1252.h"
#include "widgets/colours.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

namespace qx7 {

namespace {

constexpr int Esquerdas[] = {0, 2520, 5040, 7560};
constexpr int Topos[] = {4560, 5880, 7200, 8520};
constexpr int Colunas_Quadros = 4;
constexpr int Corpo_Esquerda = 120;
constexpr int Corpo_Topo = 360;
constexpr int Corpo_Largura = 1455;
const QString Titulo = QStringLiteral("Tanque No. ");

Forma_Preenchida* Nova_Forma(QWidget* pai, const char* nome, const QColor& cor, QRect onde) {
    auto* forma = new Forma_Preenchida(cor, pai);
    forma->setObjectName(QString::fromUtf8(nome));
    forma->setGeometry(onde);
    return forma;
}

QLabel* Novo_Com_Produto(QWidget* pai) {
    auto* rotulo = new QLabel(QStringLiteral("Com Produto"), pai);
    rotulo->setObjectName(QStringLiteral("Label1"));
    rotulo->setGeometry(Retangulo(1680, 480, 735, 495));
    rotulo->setFont(Sans_Serif(8.25, true));
    rotulo->setWordWrap(true);
    rotulo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Pintar_Fundo(*rotulo, Qt::white);
    return rotulo;
}

QLineEdit* Novo_Percentual(QWidget* pai) {
    auto* caixa = new QLineEdit(pai);
    caixa->setObjectName(QStringLiteral("Percentual"));
    caixa->setGeometry(Retangulo(1680, 960, 735, 285));
    caixa->setFont(Sans_Serif(8.25, true));
    caixa->setAlignment(Qt::AlignCenter);
    caixa->setReadOnly(true);
    return caixa;
}

}  // namespace

Quadro_Tanque::Quadro_Tanque(int indice, QWidget* parent)
    : QGroupBox(Titulo, parent), tanque_(indice + 1) {
    setObjectName(QStringLiteral("Frame1_%1").arg(indice));
    setGeometry(Retangulo(Esquerdas[indice % Colunas_Quadros], Topos[indice / Colunas_Quadros],
                          2535, 1335));
    setFont(Sans_Serif(8.25, true));
    Pintar_Fundo(*this, Qt::white);

    const QColor cinza = Cor_Barra_Rolagem();
    Nova_Forma(this, "Shape1", QColor(255, 224, 192),
               Retangulo(Corpo_Esquerda, Corpo_Topo, Corpo_Largura, 855));
    altura_liquido_ = Nova_Forma(this, "Altura_Líquido", cinza, {});
    Definir_Altura_Liquido(Altura_Corpo_Tanque_Twips);
    Nova_Forma(this, "Shape2", cinza, Retangulo(360, 240, 135, 135));
    Nova_Forma(this, "Shape3", cinza, Retangulo(1200, 240, 135, 135));
    Novo_Com_Produto(this);
    percentual_ = Novo_Percentual(this);
}

void Quadro_Tanque::Preencher(std::string_view medido, std::string_view complementar,
                              char separador) {
    const Nivel_Tanque nivel = Calcular_Nivel(Valor_Numerico(medido), Valor_Numerico(complementar),
                                              separador, Altura_Corpo_Tanque_Twips);
    percentual_->setText(De_1252(nivel.Percentual));
    Definir_Altura_Liquido(nivel.Altura_Vazio_Twips);
    setTitle(Titulo + QString::number(tanque_));
}

void Quadro_Tanque::Definir_Altura_Liquido(float twips) {
    altura_liquido_twips_ = twips;
    QRect onde = Retangulo(Corpo_Esquerda, Corpo_Topo, Corpo_Largura, 0);
    onde.setHeight(Pixels(twips));
    altura_liquido_->setGeometry(onde);
}

}  // namespace qx7
