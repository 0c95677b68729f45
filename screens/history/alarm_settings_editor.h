#pragma once
// The alarms' settings as the history window edits them, under the keys of Preferencias.ini:
// the levels of every tank ("Padrão") and of each tank over them, an empty cell leaving the level
// unset, and the settings of every tank. "Gravar" hands them to the station, which keeps them
// and puts them in force, or refuses them with the reason shown here.

#include <QWidget>
#include <optional>

#include "gauge/alarms.h"
#include "station/alarm_services.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace qx7 {

class Editor_Alarmes : public QWidget {
    Q_OBJECT

  public:
    // `servicos` outlives the editor.
    explicit Editor_Alarmes(const Servicos_Alarmes& servicos, QWidget* parent = nullptr);

    // The settings in force, shown again.
    void Mostrar();
    void Gravar_Click();

  private:
    void Preencher(const Config_Alarmes& config);
    // What the fields say; none, and the reason, when one of them is not a number.
    std::optional<Config_Alarmes> Lida(QString& motivo) const;
    void Resultado(const QString& texto, bool recusado);

    const Servicos_Alarmes& servicos_;
    QTableWidget* niveis_ = nullptr;  // row 0 the defaults, row t tank t
    std::vector<QLineEdit*> gerais_;  // by Chaves_Gerais
    QLabel* resultado_ = nullptr;
};

}  // namespace qx7
