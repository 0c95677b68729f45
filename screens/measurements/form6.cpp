#include "screens/measurements/form6.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "screens/measurements/wrapping_button.h"
#include "text/qt_1252.h"
#include "widgets/centre_on_screen.h"
#include "widgets/colours.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

namespace qx7 {

Form6::Form6(Variaveis_Programa& variaveis, QWidget* parent)
    : QDialog(parent), variaveis_(variaveis) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Digitar Data"));
    setFixedSize(Tamanho(3615, 2130));
    Centralizar_Ao_Mostrar(*this);

    auto* rotulo = new QLabel(QStringLiteral("Data das Medições"), this);
    rotulo->setObjectName(QStringLiteral("Label1"));
    rotulo->setGeometry(Retangulo(240, 360, 1695, 255));
    rotulo->setFont(Sans_Serif(8.25, true));

    data_medicoes_ = new QLineEdit(this);
    data_medicoes_->setObjectName(QStringLiteral("Data_Medições"));
    data_medicoes_->setGeometry(Retangulo(2040, 240, 1455, 495));
    data_medicoes_->setFont(Sans_Serif(18));

    auto* solicitar = new Botao_Com_Quebra(QStringLiteral("Solicitar Medições"), this);
    solicitar->setObjectName(QStringLiteral("Solicitar_Medições"));
    solicitar->setGeometry(Retangulo(1200, 1080, 1215, 735));
    solicitar->setFont(Sans_Serif(8.25, true));
    Pintar_Botao(*solicitar, Amarelo_Claro);
    // Enter in the date box does not confirm: only the button does.
    solicitar->setAutoDefault(false);
    connect(solicitar, &QPushButton::clicked, this, &Form6::Solicitar_Medicoes_Click);

    setTabOrder(data_medicoes_, solicitar);
    data_medicoes_->setFocus();
}

void Form6::Solicitar_Medicoes_Click() {
    variaveis_.Data_Solicitada = Para_1252(data_medicoes_->text());
    accept();
}

}  // namespace qx7
