#include "screens/history/history_window.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "history/connection.h"
#include "screens/history/inventories_tab.h"
#include "screens/history/link_tab.h"
#include "screens/history/programmed_tab.h"
#include "screens/history/tanks_tab.h"
#include "widgets/colours.h"

namespace qx7 {

namespace {

constexpr int Intervalo_Inicial = 5;  // minutes offered while the reading is off

QPushButton* Novo_Botao(QWidget* pai, const QString& texto, const char* nome) {
    auto* botao = new QPushButton(texto, pai);
    botao->setObjectName(QString::fromLatin1(nome));
    return botao;
}

}  // namespace

Janela_Historico::Janela_Historico(Servicos_Historico servicos, QWidget* parent)
    : QWidget(parent, Qt::Window), servicos_(std::move(servicos)) {
    setObjectName(QStringLiteral("Historico"));
    setWindowTitle(QStringLiteral("Histórico"));
    abas_ = new QTabWidget(this);
    abas_->setObjectName(QStringLiteral("Abas"));
    const struct {
        Aba_Historico* pagina;
        const char* nome;
        QString titulo;
    } abas[] = {
        {new Aba_Tanques(servicos_.arquivo), "Aba_Tanques", QStringLiteral("Tanques")},
        {new Aba_Inventarios(servicos_.arquivo), "Aba_Inventarios", QStringLiteral("Inventários")},
        {new Aba_Programadas(servicos_.arquivo), "Aba_Programadas",
         QStringLiteral("Medições programadas")},
        {new Aba_Enlace(servicos_), "Aba_Enlace", QStringLiteral("Enlace")},
    };
    for (const auto& aba : abas) {
        aba.pagina->setObjectName(QString::fromLatin1(aba.nome));
        abas_->addTab(aba.pagina, aba.titulo);
        paginas_.push_back(aba.pagina);
    }
    aviso_ = new QLabel(this);
    aviso_->setObjectName(QStringLiteral("Aviso_Historico"));
    Pintar_Texto(*aviso_, Vermelho_Aviso);
    aviso_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(aviso_);
    layout->addWidget(abas_, 1);
    auto* rodape = new QHBoxLayout;
    rodape->addWidget(Montar_Leitura_Automatica());
    rodape->addStretch(1);
    rodape->addWidget(Montar_Botoes());
    layout->addLayout(rodape);
    resize(1100, 800);
    Atualizar();
}

QWidget* Janela_Historico::Montar_Leitura_Automatica() {
    auto* grupo = new QWidget(this);
    auto* linha = new QHBoxLayout(grupo);
    linha->setContentsMargins(0, 0, 0, 0);
    automatica_ = new QCheckBox(QStringLiteral("Leitura automática a cada"), grupo);
    automatica_->setObjectName(QStringLiteral("Leitura_Automatica"));
    intervalo_ = new QSpinBox(grupo);
    intervalo_->setObjectName(QStringLiteral("Intervalo_Leitura"));
    intervalo_->setRange(1, 1440);
    intervalo_->setValue(Intervalo_Inicial);
    linha->addWidget(automatica_);
    linha->addWidget(intervalo_);
    linha->addWidget(new QLabel(QStringLiteral("minutos"), grupo));
    Mostrar_Intervalo(servicos_.intervalo ? servicos_.intervalo() : 0);
    connect(automatica_, &QCheckBox::toggled, this, &Janela_Historico::Intervalo_Mudou);
    connect(intervalo_, &QSpinBox::valueChanged, this, &Janela_Historico::Intervalo_Mudou);
    return grupo;
}

QWidget* Janela_Historico::Montar_Botoes() {
    auto* grupo = new QWidget(this);
    auto* linha = new QHBoxLayout(grupo);
    linha->setContentsMargins(0, 0, 0, 0);
    QPushButton* atualizar = Novo_Botao(grupo, QStringLiteral("Atualizar"), "Atualizar");
    QPushButton* exportar = Novo_Botao(grupo, QStringLiteral("Exportar CSV"), "Exportar_CSV");
    exportar_ = exportar;
    QPushButton* imprimir = Novo_Botao(grupo, QStringLiteral("Imprimir"), "Imprimir");
    QPushButton* fechar = Novo_Botao(grupo, QStringLiteral("Fechar"), "Fechar");
    for (QPushButton* botao : {atualizar, exportar, imprimir, fechar}) {
        linha->addWidget(botao);
    }
    connect(atualizar, &QPushButton::clicked, this, &Janela_Historico::Atualizar);
    connect(exportar, &QPushButton::clicked, this, &Janela_Historico::Exportar_Click);
    connect(imprimir, &QPushButton::clicked, this,
            [this] { Imprimir_Janela(*this, meios_impressao); });
    connect(fechar, &QPushButton::clicked, this, &QWidget::close);
    return grupo;
}

void Janela_Historico::Mostrar_Intervalo(int minutos) {
    const QSignalBlocker bloqueio_caixa(automatica_);
    const QSignalBlocker bloqueio_intervalo(intervalo_);
    automatica_->setChecked(minutos > 0);
    if (minutos > 0) {
        intervalo_->setValue(minutos);
    }
    intervalo_->setEnabled(minutos > 0);
}

void Janela_Historico::Intervalo_Mudou() {
    const int pedido = automatica_->isChecked() ? intervalo_->value() : 0;
    intervalo_->setEnabled(pedido > 0);
    if (servicos_.definir_intervalo && servicos_.definir_intervalo(pedido)) {
        return;
    }
    // Not kept: show what the program still uses.
    Mostrar_Intervalo(servicos_.intervalo ? servicos_.intervalo() : 0);
}

void Janela_Historico::Atualizar() {
    Conexao_Historico conexao(servicos_.arquivo, Modo_Conexao::Leitura);
    QSqlDatabase* banco = conexao.Aberta() ? &conexao.Banco() : nullptr;
    for (Aba_Historico* pagina : paginas_) {
        pagina->Atualizar(banco);
    }
    const QString motivo = servicos_.motivo_inativo ? servicos_.motivo_inativo() : QString();
    if (!motivo.isEmpty()) {
        Avisar(QStringLiteral("Histórico desativado nesta sessão: %1.").arg(motivo));
    } else if (!QFileInfo::exists(servicos_.arquivo)) {
        Avisar(QStringLiteral("Ainda não há histórico gravado."));
    } else if (banco == nullptr) {
        Avisar(conexao.Erro());
    } else {
        aviso_->hide();
    }
}

void Janela_Historico::Avisar(const QString& motivo) {
    aviso_->setText(motivo);
    aviso_->show();
}

bool Janela_Historico::Exportar_Csv(const QString& caminho, QString& erro) {
    return static_cast<Aba_Historico*>(abas_->currentWidget())->Exportar_Csv(caminho, erro);
}

void Janela_Historico::Exportar_Click() {
    const QString caminho = QFileDialog::getSaveFileName(
        this, QStringLiteral("Exportar CSV"),
        // "Aba_Tanques" suggests "Historico_Tanques.csv".
        QStringLiteral("Historico_%1.csv").arg(abas_->currentWidget()->objectName().mid(4)),
        QStringLiteral("Arquivos CSV (*.csv)"));
    if (caminho.isEmpty()) {
        return;
    }
    if (auto* tanques = qobject_cast<Aba_Tanques*>(abas_->currentWidget())) {
        Exportar_Em_Segundo_Plano(tanques->Tarefa_Exportar(caminho));
        return;
    }
    QString erro;
    if (!Exportar_Csv(caminho, erro)) {
        QMessageBox::warning(this, QStringLiteral("Exportar CSV"), erro);
    }
}

// The readings of a long period take seconds to write: on a thread of the pool, with the
// button off until the file is done.
void Janela_Historico::Exportar_Em_Segundo_Plano(std::function<bool(QString&)> tarefa) {
    exportar_->setEnabled(false);
    auto* vigia = new QFutureWatcher<QString>(this);
    connect(vigia, &QFutureWatcherBase::finished, this, [this, vigia] {
        exportar_->setEnabled(true);
        if (const QString erro = vigia->result(); !erro.isEmpty()) {
            QMessageBox::warning(this, QStringLiteral("Exportar CSV"), erro);
        }
        vigia->deleteLater();
    });
    vigia->setFuture(QtConcurrent::run([tarefa = std::move(tarefa)] {
        QString erro;
        if (!tarefa(erro) && erro.isEmpty()) {
            erro = QStringLiteral("não foi possível exportar as leituras");
        }
        return erro;
    }));
}

}  // namespace qx7
