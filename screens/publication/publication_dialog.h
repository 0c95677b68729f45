#pragma once
// "Publicação": the [Publicacao] settings of Preferencias.ini, edited and checked as the station
// checks them; "Testar conexão" tries them against the broker off the window's thread and says
// what failed, in Portuguese; "Gravar" writes them (readable by the owner only when they hold a
// password) and has the station read them again.

#include <QDialog>
#include <QFutureWatcher>

#include "publish/mqtt_failure.h"
#include "station/publication_services.h"
#include "station/publication_settings.h"

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qx7 {

class Dialogo_Publicacao : public QDialog {
    Q_OBJECT

  public:
    // `servicos` outlives the dialog.
    explicit Dialogo_Publicacao(const Servicos_Publicacao& servicos, QWidget* parent = nullptr);

  private:
    // `arquivo`: a "…" button beside it picks a file.
    QLineEdit* Campo(const char* nome, const QString& rotulo, const QString& dica,
                     bool arquivo = false);
    void Preencher(const Campos_Publicacao& campos);
    Campos_Publicacao Campos() const;
    // The fields as the station would take them; the reason shown when it would not.
    std::optional<Configuracao_Mqtt> Validar();
    void Testar();
    void Testado();
    void Gravar();
    void Mostrar(const QString& texto, bool falha);

    const Servicos_Publicacao& servicos_;
    QFormLayout* formulario_ = nullptr;
    QLineEdit* servidor_ = nullptr;
    QLineEdit* usuario_ = nullptr;
    QLineEdit* senha_ = nullptr;
    QLineEdit* ca_ = nullptr;
    QLineEdit* certificado_ = nullptr;
    QLineEdit* chave_ = nullptr;
    QLineEdit* estacao_ = nullptr;
    QLineEdit* prefixo_ = nullptr;
    QCheckBox* sem_tls_ = nullptr;
    QPushButton* testar_ = nullptr;
    QLabel* resultado_ = nullptr;
    QFutureWatcher<Falha_Mqtt> teste_;
    QString testado_;  // the server under test
};

}  // namespace qx7
