#include "app/main_panel.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <utility>

#include "app/log_view.h"
#include "app/main_panel_layout.h"
#include "app/modal_screens_qt.h"
#include "widgets/centre_on_screen.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

namespace qx7 {

Form1::Form1(Estacao& estacao, Servicos_Form1 servicos, QWidget* parent)
    : QWidget(parent), estacao_(estacao), servicos_(std::move(servicos)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Titulo_Form1);
    setFont(Sans_Serif(Pontos_Form1));
    setFixedSize(Tamanho(Largura_Form1, Altura_Form1));
    Centralizar_Ao_Mostrar(*this);
    Montar_Controles();
    registro_ = std::make_unique<Registro_Log>(modelo_log_, *msg_log_);
    if (servicos_.telas == nullptr) {
        telas_proprias_ = std::make_unique<Telas_Qt>(estacao_.Variaveis(), this);
        servicos_.telas = telas_proprias_.get();
    }
    estacao_.Definir_Telas(servicos_.telas);
    Mostrar_Estado();
    atalho_historico_.setObjectName(QStringLiteral("Atalho_Historico"));
    connect(&atalho_historico_, &QShortcut::activated, this, &Form1::Historico_Click);
    atalho_publicacao_.setObjectName(QStringLiteral("Atalho_Publicacao"));
    connect(&atalho_publicacao_, &QShortcut::activated, this, &Form1::Publicacao_Click);
    connect(&estacao_, &Estacao::Linha_Log, this,
            [this](const std::string& linha, bool) { registro_->Adicionar(linha); });
    connect(&estacao_, &Estacao::Mensagem, this, &Form1::Mostrar_Mensagem);
    connect(&estacao_, &Estacao::Mensagem_Retirada, this, &Form1::Retirar_Mensagem);
}

Form1::~Form1() {
    estacao_.Definir_Telas(nullptr);  // the screens go with the panel
}

bool Form1::Form_Load() {
    const Ganchos_Inicializacao ganchos{
        [this](const std::string&) { return servicos_.abrir_configuracao(this); },
        [this] { return servicos_.confirmar_saida(this); },
    };
    return estacao_.Iniciar(ganchos) != Inicio_Canal::Sair;
}

void Form1::Configuracao_Click() {
    servicos_.abrir_configuracao(this);
}

void Form1::Limpar_Log_Click() {
    modelo_log_.Limpar();
    msg_log_->Redesenhar_Agora();
}

void Form1::Sair_Click() {
    estacao_.Encerrar();
    servicos_.encerrar();
}

// Told without blocking: the line goes on while it is shown. One box per key; a later message
// replaces the text of the one still open.
void Form1::Mostrar_Mensagem(const QString& chave, const QString& titulo, const QString& texto) {
    QPointer<QMessageBox>& caixa = mensagens_[chave];
    if (caixa == nullptr) {
        caixa = new QMessageBox(QMessageBox::Warning, titulo, texto, QMessageBox::Ok, this);
        caixa->setObjectName(QStringLiteral("Aviso_") + chave);
        caixa->setAttribute(Qt::WA_DeleteOnClose);
        caixa->setModal(false);
    }
    caixa->setText(texto);
    caixa->show();
}

void Form1::Retirar_Mensagem(const QString& chave) {
    if (const auto achada = mensagens_.find(chave); achada != mensagens_.end() && achada->second) {
        achada->second->close();
    }
}

// Closing the window by its close box leaves the line as "Sair" does, and a port that went away
// is not tried again.
void Form1::closeEvent(QCloseEvent* evento) {
    if (estacao_.Canal().PortOpen() || estacao_.Ativa()) {
        estacao_.Encerrar();
    }
    QWidget::closeEvent(evento);
}

}  // namespace qx7
