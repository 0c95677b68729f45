#include "app/main_panel.h"
#include "screens/history/history_window.h"
#include "screens/publication/publication_dialog.h"

namespace qx7 {

void Form1::Definir_Historico(Servicos_Historico servicos) {
    servicos_historico_ = std::move(servicos);
    Ligar_Alarmes();
}

// One window at a time: a second click or Ctrl+H brings it forward.
void Form1::Historico_Click() {
    if (!servicos_historico_) {
        return;
    }
    if (janela_historico_ == nullptr) {
        janela_historico_ = new Janela_Historico(*servicos_historico_, this);
        janela_historico_->setAttribute(Qt::WA_DeleteOnClose);
    }
    janela_historico_->show();
    janela_historico_->raise();
    janela_historico_->activateWindow();
}

void Form1::Publicacao_Click() {
    if (!servicos_historico_ || servicos_historico_->publicacao.arquivo_preferencias.isEmpty()) {
        return;
    }
    Dialogo_Publicacao dialogo(servicos_historico_->publicacao, this);
    dialogo.exec();
}

}  // namespace qx7
