#pragma once
// "Configuração do Programa": shows the configured port, finds the serial ports that can be
// opened (COM1 to COM31) with a component of its own, and writes the one the operator picks
// from the list to the configuration file. It never touches the main panel's port; the pick
// counts from the next start of the program.

#include <QDialog>
#include <functional>
#include <memory>

#include "gauge/shared_tables.h"
#include "link/serial_port.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qx7 {

class Form4 : public QDialog {
    Q_OBJECT

  public:
    using Fabrica_Porta = std::function<std::unique_ptr<PortaSerial>()>;
    // Tells the operator that the file could not be written; the screen stays open.
    using Aviso = std::function<void(const QString& texto)>;

    Form4(Variaveis_Programa& variaveis, Fabrica_Porta criar_porta, QWidget* parent = nullptr);
    ~Form4() override;

    // True once a pick has been written to the configuration file during this opening.
    bool Escolheu_Porta() const { return escolheu_porta_; }

    // Replaces the warning message box (tests).
    void Definir_Aviso(Aviso aviso) { aviso_ = std::move(aviso); }

    void done(int resultado) override;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void Mostrar_Porta_Configurada();
    void Localizar_COMs_Click();
    void Def_COMs_Click(int indice);
    bool Porta_Abre(int numero);
    void Avisar(const QString& texto);

    Variaveis_Programa& variaveis_;
    Fabrica_Porta criar_porta_;
    std::unique_ptr<PortaSerial> canal_serial_;
    Aviso aviso_;
    QComboBox* def_coms_ = nullptr;
    QLineEdit* cs_ativo_ = nullptr;
    bool escolheu_porta_ = false;
};

}  // namespace qx7
