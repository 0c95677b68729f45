#include "screens/history/link_tab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <cstdlib>

#include "gauge/alarms.h"
#include "history/queries.h"
#include "screens/history/table_cells.h"
#include "screens/publication/publication_dialog.h"
#include "widgets/colours.h"

namespace qx7 {

namespace {

constexpr int Intervalo_Publicacao_ms = 1000;

Estatisticas_Enlace Ler(const std::function<Estatisticas_Enlace()>& fonte) {
    return fonte ? fonte() : Estatisticas_Enlace{};
}

QTableView* Nova_Tabela(QWidget* pai, const char* nome, QStandardItemModel& modelo,
                        const QStringList& cabecalho) {
    auto* tabela = new QTableView(pai);
    tabela->setObjectName(QString::fromLatin1(nome));
    Preparar_Tabela(*tabela, modelo, cabecalho);
    return tabela;
}

}  // namespace

Aba_Enlace::Aba_Enlace(const Servicos_Historico& servicos, QWidget* parent)
    : Aba_Historico(servicos.arquivo, parent),
      servicos_(servicos),
      contadores_(new QStandardItemModel(this)),
      relogio_(new QStandardItemModel(this)),
      aviso_(new QLabel(this)),
      perdidos_(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    // The window alone (comunicacao-qx7 --historico) publishes nothing.
    if (servicos_.publicacao.estado) {
        auto* linha = new QHBoxLayout;
        publicacao_ = new QLabel(this);
        publicacao_->setObjectName(QStringLiteral("Estado_Publicacao"));
        publicacao_->setWordWrap(true);
        auto* abrir = new QPushButton(QStringLiteral("Publicação…"), this);
        abrir->setObjectName(QStringLiteral("Abrir_Publicacao"));
        linha->addWidget(publicacao_, 1);
        linha->addWidget(abrir);
        layout->addLayout(linha);
        connect(abrir, &QPushButton::clicked, this, &Aba_Enlace::Abrir_Publicacao);
        connect(&relogio_publicacao_, &QTimer::timeout, this, &Aba_Enlace::Mostrar_Publicacao);
        relogio_publicacao_.start(Intervalo_Publicacao_ms);
        Mostrar_Publicacao();
    }
    perdidos_->setObjectName(QStringLiteral("Registros_Perdidos"));
    Pintar_Texto(*perdidos_, Vermelho_Aviso);
    perdidos_->hide();
    layout->addWidget(perdidos_);
    layout->addWidget(new QLabel(QStringLiteral("Contadores do enlace:"), this));
    QTableView* contadores =
        Nova_Tabela(this, "Contadores", *contadores_,
                    {QStringLiteral("Contador"), QStringLiteral("Nesta sessão"),
                     QStringLiteral("Desde o início do histórico")});
    // The window alone (comunicacao-qx7 --historico) has no session.
    contadores->setColumnHidden(1, !servicos_.contadores_sessao);
    layout->addWidget(contadores, 3);
    layout->addWidget(new QLabel(QStringLiteral("Relógio do medidor:"), this));
    aviso_->setObjectName(QStringLiteral("Aviso_Relogio"));
    Pintar_Texto(*aviso_, Vermelho_Aviso);
    aviso_->hide();
    layout->addWidget(aviso_);
    layout->addWidget(
        Nova_Tabela(this, "Relogio", *relogio_,
                    {QStringLiteral("Hora do computador"), QStringLiteral("Hora do medidor"),
                     QStringLiteral("Data do medidor"), QStringLiteral("Dia"),
                     QStringLiteral("Diferença (s)")}),
        2);
}

void Aba_Enlace::Atualizar(QSqlDatabase* banco) {
    Preencher_Contadores(banco != nullptr ? Contadores_Gravados(*banco) : Estatisticas_Enlace{});
    Preencher_Relogio(banco);
    Mostrar_Perdidos();
}

void Aba_Enlace::Preencher_Contadores(const Estatisticas_Enlace& gravados) {
    const Estatisticas_Enlace sessao = Ler(servicos_.contadores_sessao);
    // Another file than the program's holds none of this session's counts.
    const Estatisticas_Enlace pendentes = Arquivo() == servicos_.arquivo
                                              ? Ler(servicos_.contadores_pendentes)
                                              : Estatisticas_Enlace{};
    Esvaziar(*contadores_);
    for (const Campo_Estatistica& campo : Campos_Estatisticas) {
        contadores_->appendRow(
            {Celula_Texto(QString::fromUtf8(campo.Rotulo)),
             Celula_Numero(static_cast<double>(sessao.*campo.Membro)),
             Celula_Numero(static_cast<double>(gravados.*campo.Membro + pendentes.*campo.Membro))});
    }
}

void Aba_Enlace::Preencher_Relogio(QSqlDatabase* banco) {
    const std::vector<Relogio_Historico> respostas =
        banco != nullptr ? Listar_Relogio(*banco) : std::vector<Relogio_Historico>{};
    Esvaziar(*relogio_);
    std::optional<qint64> ultima;  // the newest answer that was a time
    for (const Relogio_Historico& r : respostas) {
        relogio_->appendRow(
            {Celula_Instante(r.instante_ms), Celula_Texto(r.texto_hora), Celula_Texto(r.texto_data),
             Celula_Texto(r.texto_dia),
             r.deriva_s ? Celula_Numero(static_cast<double>(*r.deriva_s)) : Celula_Texto({})});
        if (!ultima) {
            ultima = r.deriva_s;
        }
    }
    // As the clock alarm judges it.
    const bool longe = ultima && std::llabs(*ultima) > Deriva_Maxima_Relogio_s;
    aviso_->setVisible(longe);
    if (longe) {
        aviso_->setText(
            QStringLiteral("Atenção: o relógio do medidor difere do computador em %1 minutos.")
                .arg(qRound(static_cast<double>(std::llabs(*ultima)) / 60.0)));
    }
}

QString Aba_Enlace::Titulo() const {
    return QStringLiteral("Enlace");
}

std::vector<Tabela_Aba> Aba_Enlace::Tabelas() const {
    return {{QStringLiteral("Contadores"), QStringLiteral("Contadores do enlace"), contadores_},
            {QStringLiteral("Relogio"), QStringLiteral("Relógio do medidor"), relogio_}};
}

void Aba_Enlace::Mostrar_Publicacao() {
    const Estado_Publicacao estado = servicos_.publicacao.estado();
    publicacao_->setText(QStringLiteral("Publicação: %1").arg(Texto_Estado_Publicacao(estado)));
    const bool falha = estado.situacao == Situacao_Publicacao::Recusada ||
                       estado.situacao == Situacao_Publicacao::Sem_Conexao;
    Pintar_Texto(*publicacao_, falha ? Vermelho_Aviso : palette().color(QPalette::WindowText));
}

void Aba_Enlace::Abrir_Publicacao() {
    Dialogo_Publicacao dialogo(servicos_.publicacao, this);
    dialogo.exec();
    Mostrar_Publicacao();
}

void Aba_Enlace::Mostrar_Perdidos() {
    const std::uint64_t perdidos = servicos_.perdidos ? servicos_.perdidos() : 0;
    perdidos_->setVisible(perdidos > 0);
    perdidos_->setText(
        QStringLiteral("Registros perdidos nesta sessão (o histórico não pôde gravá-los): %1")
            .arg(perdidos));
}

}  // namespace qx7
