#include "screens/history/history_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSysInfo>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "history/reader.h"
#include "screens/history/alarms_tab.h"
#include "screens/history/deliveries_tab.h"
#include "screens/history/forecast_view.h"
#include "screens/history/inventories_tab.h"
#include "screens/history/link_tab.h"
#include "screens/history/programmed_tab.h"
#include "screens/history/tanks_tab.h"
#include "widgets/centre_on_screen.h"
#include "widgets/colours.h"

namespace qx7 {

namespace {

constexpr int Intervalo_Inicial = 5;  // minutes offered while the reading is off
constexpr QSize Tamanho_Preferido(1100, 800);
// What the window manager adds around the window: its title bar and frame.
constexpr QSize Moldura(16, 40);

QPushButton* Novo_Botao(QWidget* pai, const QString& texto, const char* nome) {
    auto* botao = new QPushButton(texto, pai);
    botao->setObjectName(QString::fromLatin1(nome));
    return botao;
}

// A tab scrolls instead of forcing the window beyond the screen.
QScrollArea* Rolavel(QWidget* conteudo) {
    auto* area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(conteudo);
    return area;
}

QString Frase(const QString& texto) {
    return texto.left(1).toUpper() + texto.mid(1) + (texto.endsWith(QLatin1Char('.')) ? "" : ".");
}

}  // namespace

Janela_Historico::Janela_Historico(Servicos_Historico servicos, QWidget* parent)
    : QWidget(parent, Qt::Window), servicos_(std::move(servicos)), arquivo_(servicos_.arquivo) {
    setObjectName(QStringLiteral("Historico"));
    escolher_arquivo = [pasta = QFileInfo(arquivo_).absolutePath()](QWidget& janela) {
        return QFileDialog::getOpenFileName(
            &janela, QStringLiteral("Abrir arquivo de histórico"), pasta,
            QStringLiteral("Históricos (*.sqlite);;Todos os arquivos (*)"));
    };
    abas_ = new QTabWidget(this);
    abas_->setObjectName(QStringLiteral("Abas"));
    auto* tanques = new Aba_Tanques(arquivo_);
    tanques->Previsao().config = servicos_.alarmes.config;
    const struct {
        Aba_Historico* pagina;
        const char* nome;
        QString titulo;
        QString arquivo_csv;
    } abas[] = {
        {tanques, "Aba_Tanques", QStringLiteral("Tanques"),
         QStringLiteral("Historico_Tanques.csv")},
        {new Aba_Inventarios(arquivo_), "Aba_Inventarios", QStringLiteral("Inventários"),
         QStringLiteral("Historico_Inventarios.csv")},
        {new Aba_Programadas(arquivo_), "Aba_Programadas", QStringLiteral("Medições programadas"),
         QStringLiteral("Historico_Programadas.csv")},
        {new Aba_Enlace(servicos_), "Aba_Enlace", QStringLiteral("Enlace"),
         QStringLiteral("Historico_Enlace.csv")},
        {new Aba_Alarmes(servicos_), "Aba_Alarmes", QStringLiteral("Alarmes"),
         QStringLiteral("Historico_Alarmes.csv")},
        {new Aba_Descargas(arquivo_), "Aba_Descargas", QStringLiteral("Descargas"),
         QStringLiteral("Historico_Descargas.csv")},
    };
    for (const auto& aba : abas) {
        aba.pagina->setObjectName(QString::fromLatin1(aba.nome));
        abas_->addTab(Rolavel(aba.pagina), aba.titulo);
        paginas_.push_back({aba.pagina, aba.arquivo_csv});
    }
    aviso_ = new QLabel(this);
    aviso_->setObjectName(QStringLiteral("Aviso_Historico"));
    aviso_->setWordWrap(true);
    Pintar_Texto(*aviso_, Vermelho_Aviso);
    aviso_->hide();
    arquivo_aberto_ = new QLabel(this);
    arquivo_aberto_->setObjectName(QStringLiteral("Arquivo_Aberto"));
    arquivo_aberto_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(aviso_);
    layout->addWidget(arquivo_aberto_);
    layout->addWidget(abas_, 1);
    auto* rodape = new QHBoxLayout;
    rodape->addWidget(Montar_Leitura_Automatica());
    rodape->addStretch(1);
    rodape->addWidget(Montar_Botoes());
    layout->addLayout(rodape);
    Ajustar_A_Tela();
    Centralizar_Ao_Mostrar(*this);
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
    // The window alone has no automatic reading to set.
    grupo->setVisible(static_cast<bool>(servicos_.definir_intervalo));
    return grupo;
}

QWidget* Janela_Historico::Montar_Botoes() {
    auto* grupo = new QWidget(this);
    auto* linha = new QHBoxLayout(grupo);
    linha->setContentsMargins(0, 0, 0, 0);
    historico_atual_ =
        Novo_Botao(grupo, QStringLiteral("Voltar ao histórico atual"), "Historico_Atual");
    QPushButton* atualizar = Novo_Botao(grupo, QStringLiteral("Atualizar"), "Atualizar");
    QPushButton* abrir = Novo_Botao(grupo, QStringLiteral("Abrir arquivo…"), "Abrir_Arquivo");
    exportar_ = Novo_Botao(grupo, QStringLiteral("Exportar CSV"), "Exportar_CSV");
    QPushButton* imprimir = Novo_Botao(grupo, QStringLiteral("Imprimir"), "Imprimir");
    QPushButton* fechar = Novo_Botao(grupo, QStringLiteral("Fechar"), "Fechar");
    for (QPushButton* botao : {historico_atual_, atualizar, abrir, exportar_, imprimir, fechar}) {
        linha->addWidget(botao);
    }
    connect(historico_atual_, &QPushButton::clicked, this,
            [this] { Abrir_Arquivo(servicos_.arquivo); });
    connect(atualizar, &QPushButton::clicked, this, &Janela_Historico::Atualizar);
    connect(abrir, &QPushButton::clicked, this, [this] {
        if (const QString arquivo = escolher_arquivo(*this); !arquivo.isEmpty()) {
            Abrir_Arquivo(arquivo);
        }
    });
    connect(exportar_, &QPushButton::clicked, this, &Janela_Historico::Exportar_Click);
    connect(imprimir, &QPushButton::clicked, this, &Janela_Historico::Imprimir);
    connect(fechar, &QPushButton::clicked, this, &QWidget::close);
    return grupo;
}

void Janela_Historico::Ajustar_A_Tela() {
    const QScreen* tela = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    resize(tela == nullptr
               ? Tamanho_Preferido
               : Tamanho_Preferido.boundedTo(tela->availableGeometry().size() - Moldura));
}

Aba_Historico& Janela_Historico::Aba_Atual() const {
    return *paginas_[static_cast<std::size_t>(abas_->currentIndex())].aba;
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

void Janela_Historico::Abrir_Arquivo(const QString& arquivo) {
    arquivo_ = arquivo;
    Atualizar();
}

void Janela_Historico::Atualizar() {
    Leitor_Historico leitor(arquivo_);
    QSqlDatabase* banco = leitor.Aberto() ? &leitor.Banco() : nullptr;
    for (const Pagina& pagina : paginas_) {
        pagina.aba->Definir_Arquivo(arquivo_);
        pagina.aba->Atualizar(banco);
    }
    // The history a running program writes, rather than a file merely read.
    const bool do_programa = arquivo_ == servicos_.arquivo && servicos_.motivo_inativo;
    const QString motivo = do_programa ? servicos_.motivo_inativo() : QString();
    if (!motivo.isEmpty()) {
        Avisar(QStringLiteral("Gravação do histórico suspensa, nova tentativa em breve: %1.")
                   .arg(motivo));
    } else if (!QFileInfo::exists(arquivo_)) {
        Avisar(do_programa ? QStringLiteral("Ainda não há histórico gravado.")
                           : QStringLiteral("O arquivo %1 não existe.").arg(arquivo_));
    } else if (banco == nullptr) {
        Avisar(Frase(leitor.Erro()));
    } else {
        aviso_->hide();
    }
    Mostrar_Arquivo();
}

void Janela_Historico::Avisar(const QString& motivo) {
    aviso_->setText(motivo);
    aviso_->show();
}

void Janela_Historico::Mostrar_Arquivo() {
    const bool outro = arquivo_ != servicos_.arquivo;
    arquivo_aberto_->setText(QStringLiteral("Arquivo aberto só para leitura: %1")
                                 .arg(QDir::toNativeSeparators(arquivo_)));
    // Alone, the window reads a file no program writes: it says which.
    arquivo_aberto_->setVisible(outro || !servicos_.definir_intervalo);
    historico_atual_->setVisible(outro);
    setWindowTitle(outro ? QStringLiteral("Histórico — %1").arg(QFileInfo(arquivo_).fileName())
                         : QStringLiteral("Histórico"));
}

bool Janela_Historico::Exportar_Csv(const QString& caminho, QString& erro) {
    return Aba_Atual().Exportar_Csv(caminho, erro);
}

Resultado_Impressao Janela_Historico::Imprimir() {
    Relatorio relatorio = Aba_Atual().Montar_Relatorio();
    relatorio.cabecalho.prepend(
        QStringLiteral("Estação: %1    Arquivo: %2")
            .arg(QSysInfo::machineHostName(), QDir::toNativeSeparators(arquivo_)));
    return Imprimir_Relatorio(
        *this, meios_impressao,
        [relatorio](QPrinter& impressora) { return Desenhar_Relatorio(relatorio, impressora); },
        relatorio.paisagem ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void Janela_Historico::Exportar_Click() {
    const Pagina& pagina = paginas_[static_cast<std::size_t>(abas_->currentIndex())];
    const QString caminho =
        QFileDialog::getSaveFileName(this, QStringLiteral("Exportar CSV"), pagina.arquivo_csv,
                                     QStringLiteral("Arquivos CSV (*.csv)"));
    if (caminho.isEmpty()) {
        return;
    }
    if (auto* tanques = qobject_cast<Aba_Tanques*>(pagina.aba)) {
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
