#pragma once
// "Configuração do Programa": shows the configured port, finds the serial ports that can be
// used (COM1 to COM31) without opening any (an opening raises DTR and RTS, which resets what
// hangs on the line), lists besides them every serial adapter the system reports and every
// port that cannot be used or could not be judged, with the reason, and writes the one the
// operator picks from the list to the configuration file. An adapter picked gets a COMn entry
// in the base directory that leads to its stable name. It never touches the main panel's
// port; the pick counts from the next start of the program.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "gauge/shared_tables.h"
#include "screens/setup/form4_services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qx7 {

class Form4 : public QDialog {
    Q_OBJECT

  public:
    // Tells the operator that the file could not be written; the screen stays open.
    using Aviso = std::function<void(const QString& texto)>;

    Form4(Variaveis_Programa& variaveis, Servicos_Form4 servicos, QWidget* parent = nullptr);
    ~Form4() override;

    // True once a pick has been written to the configuration file during this opening.
    bool Escolheu_Porta() const { return escolheu_porta_; }

    // Replaces the warning message box (tests).
    void Definir_Aviso(Aviso aviso) { aviso_ = std::move(aviso); }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    // One list entry: a port number or an adapter still without one, with why it cannot be
    // picked (UTF-8; empty when it can).
    struct Entrada {
        std::optional<int> numero;
        std::filesystem::path alvo;
        std::string impedimento;
        bool pela_porta_fisica = false;  // alvo names the USB socket, not the adapter
    };

    void Mostrar_Porta_Configurada();
    void Listar_Numeradas(const std::vector<Porta_Sistema>& presentes, std::vector<bool>& listadas);
    void Listar_Adaptadores(const std::vector<Porta_Sistema>& presentes,
                            const std::vector<bool>& listadas);
    void Acrescentar(const QString& texto, const Juizo_Porta& juizo, Entrada entrada);
    std::optional<int> Numero_Para(int indice);
    void Localizar_COMs_Click();
    void Def_COMs_Click(int indice);
    void Avisar(const QString& texto);

    Variaveis_Programa& variaveis_;
    Servicos_Form4 servicos_;
    Aviso aviso_;
    std::vector<Entrada> entradas_;
    std::set<int> com_do_sistema_;  // n of every /dev/ttyS(n-1) the system reports
    QComboBox* def_coms_ = nullptr;
    QLineEdit* cs_ativo_ = nullptr;
    bool escolheu_porta_ = false;
};

}  // namespace qx7
