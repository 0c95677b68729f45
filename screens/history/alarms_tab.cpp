#include "screens/history/alarms_tab.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "history/alarm_queries.h"
#include "screens/history/alarm_settings_editor.h"
#include "screens/history/table_cells.h"
#include "station/alarm_texts.h"

namespace qx7 {

namespace {

QTableView* Nova_Tabela(QWidget* pai, const char* nome, QStandardItemModel& modelo,
                        const QStringList& cabecalho) {
    auto* tabela = new QTableView(pai);
    tabela->setObjectName(QString::fromLatin1(nome));
    Preparar_Tabela(*tabela, modelo, cabecalho);
    return tabela;
}

QStandardItem* Instante_Ou_Nada(std::optional<qint64> instante_ms) {
    return instante_ms ? Celula_Instante(*instante_ms) : Celula_Texto({});
}

// The columns both tables share: when, what, its values and their unit.
QList<QStandardItem*> Celulas(const Alarme& a) {
    return {Celula_Instante(a.levantado_ms), Celula_Texto(Texto_Alarme(a)), Celula_Numero(a.valor),
            Celula_Numero(a.limite), Celula_Texto(QString::fromUtf8(Descrever(a.tipo).unidade))};
}

const QStringList Colunas_Comuns = {QStringLiteral("Levantado em"), QStringLiteral("Alarme"),
                                    QStringLiteral("Valor"), QStringLiteral("Limite"),
                                    QStringLiteral("Unidade")};

}  // namespace

Aba_Alarmes::Aba_Alarmes(const Servicos_Historico& servicos, QWidget* parent)
    : Aba_Historico(servicos.arquivo, parent),
      servicos_(servicos),
      ativos_(new QStandardItemModel(this)),
      registro_(new QStandardItemModel(this)),
      releitura_(new QTimer(this)) {
    auto* layout = new QVBoxLayout(this);
    configuracao_ = new QGroupBox(QStringLiteral("Configuração ([Alarmes] em Preferencias.ini)"));
    editor_ = new Editor_Alarmes(servicos_.alarmes, configuracao_);
    (new QVBoxLayout(configuracao_))->addWidget(editor_);
    configuracao_->setVisible(static_cast<bool>(servicos_.alarmes.definir_config));
    layout->addWidget(configuracao_, 2);

    grupo_ativos_ = new QGroupBox(QStringLiteral("Alarmes ativos"));
    tabela_ativos_ = Nova_Tabela(grupo_ativos_, "Alarmes_Ativos", *ativos_,
                                 Colunas_Comuns + QStringList{QStringLiteral("Reconhecido em"),
                                                              QStringLiteral("Reconhecido por")});
    reconhecer_ = new QPushButton(QStringLiteral("Reconhecer"), grupo_ativos_);
    reconhecer_->setObjectName(QStringLiteral("Reconhecer"));
    connect(reconhecer_, &QPushButton::clicked, this, &Aba_Alarmes::Reconhecer_Click);
    auto* linha = new QHBoxLayout(grupo_ativos_);
    linha->addWidget(tabela_ativos_, 1);
    linha->addWidget(reconhecer_, 0, Qt::AlignTop);
    layout->addWidget(grupo_ativos_, 1);

    layout->addWidget(new QLabel(QStringLiteral("Registro de alarmes:"), this));
    layout->addWidget(Nova_Tabela(this, "Registro_Alarmes", *registro_,
                                  Colunas_Comuns + QStringList{QStringLiteral("Normalizado em"),
                                                               QStringLiteral("Reconhecido em"),
                                                               QStringLiteral("Reconhecido por")}),
                      2);

    releitura_->setSingleShot(true);
    releitura_->setInterval(Espera_Registro_ms);
    connect(releitura_, &QTimer::timeout, this, &Aba_Alarmes::Reler);
    if (servicos_.alarmes.sinais != nullptr) {
        connect(servicos_.alarmes.sinais, &Sinais_Alarmes::Mudaram, this, [this] {
            Mostrar_Ativos();
            if (Do_Programa()) {
                releitura_->start();
            }
        });
    }
}

// The running program's file, whose active alarms the program holds.
bool Aba_Alarmes::Do_Programa() const {
    return Arquivo() == servicos_.arquivo && static_cast<bool>(servicos_.alarmes.ativos);
}

void Aba_Alarmes::Atualizar(QSqlDatabase* banco) {
    Mostrar_Ativos();
    Esvaziar(*registro_);
    if (banco == nullptr) {
        return;
    }
    for (const Alarme_Historico& h : Listar_Alarmes(*banco)) {
        QList<QStandardItem*> linha = Celulas(h.alarme);
        linha << Instante_Ou_Nada(h.normalizado_ms) << Instante_Ou_Nada(h.alarme.reconhecido_ms)
              << Celula_Texto(QString::fromStdString(h.alarme.reconhecido_por));
        registro_->appendRow(linha);
    }
}

void Aba_Alarmes::Mostrar_Ativos() {
    grupo_ativos_->setVisible(Do_Programa());
    lista_ativos_ = Do_Programa() ? servicos_.alarmes.ativos() : std::vector<Alarme>{};
    Esvaziar(*ativos_);
    for (const Alarme& a : lista_ativos_) {
        QList<QStandardItem*> linha = Celulas(a);
        linha << Instante_Ou_Nada(a.reconhecido_ms)
              << Celula_Texto(QString::fromStdString(a.reconhecido_por));
        ativos_->appendRow(linha);
    }
    reconhecer_->setEnabled(static_cast<bool>(servicos_.alarmes.reconhecer) &&
                            !lista_ativos_.empty());
}

void Aba_Alarmes::Reconhecer_Click() {
    std::vector<Alarme> escolhidos;
    for (const QModelIndex& linha : tabela_ativos_->selectionModel()->selectedRows()) {
        escolhidos.push_back(lista_ativos_[static_cast<std::size_t>(linha.row())]);
    }
    for (const Alarme& a : escolhidos) {
        servicos_.alarmes.reconhecer(a.tipo, a.tanque);
    }
}

QString Aba_Alarmes::Titulo() const {
    return QStringLiteral("Alarmes");
}

std::vector<Tabela_Aba> Aba_Alarmes::Tabelas() const {
    std::vector<Tabela_Aba> tabelas;
    if (Do_Programa()) {
        tabelas.push_back({QStringLiteral("Ativos"), QStringLiteral("Alarmes ativos"), ativos_});
    }
    tabelas.push_back(
        {QStringLiteral("Registro"), QStringLiteral("Registro de alarmes"), registro_});
    return tabelas;
}

}  // namespace qx7
