#include "app/modal_screens_qt.h"

#include <QMessageBox>

#include "screens/inventory/form2.h"
#include "screens/measurements/form5.h"
#include "screens/measurements/form6.h"
#include "screens/setup/form3.h"
#include "text/qt_1252.h"

namespace qx7 {

void Telas_Qt::Abrir_Senha() {
    Form3 tela(variaveis_, pai_);
    tela.exec();
}

bool Telas_Qt::Abrir_Data() {
    Form6 tela(variaveis_, pai_);
    return tela.exec() == QDialog::Accepted;
}

void Telas_Qt::Abrir_Resultados() {
    Form5 tela(variaveis_, pai_);
    tela.exec();
}

void Telas_Qt::Abrir_Inventario() {
    if (inventario_ != nullptr) {
        inventario_->Atualizar();
        return;
    }
    Form2 tela(variaveis_, pai_);
    inventario_ = &tela;
    tela.exec();
    inventario_ = nullptr;
}

void Telas_Qt::Aviso(std::string_view texto, std::string_view titulo) {
    QMessageBox::information(pai_, De_1252(titulo), De_1252(texto), QMessageBox::Ok);
}

}  // namespace qx7
