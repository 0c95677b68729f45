#include "app/history_wiring.h"

#include <QDateTime>
#include <QDir>
#include <QMessageBox>

#include "app/main_panel.h"
#include "widgets/codepage.h"

namespace qx7 {

namespace {

const QString Chave_Intervalo = QStringLiteral("Historico/LeituraAutomaticaMinutos");

Estatisticas_Enlace Diferenca(const Estatisticas_Enlace& atual, const Estatisticas_Enlace& antes) {
    Estatisticas_Enlace d;
    for (const Campo_Estatistica& c : Campos_Estatisticas) {
        d.*c.Membro = atual.*c.Membro - antes.*c.Membro;
    }
    return d;
}

}  // namespace

QString Arquivo_No_Diretorio(const std::filesystem::path& base, const char* nome) {
    return QDir(QString::fromStdString(base.string())).filePath(QString::fromLatin1(nome));
}

Historico_Programa::Historico_Programa(const std::filesystem::path& diretorio_base, Form1& painel)
    : painel_(painel),
      arquivo_(Arquivo_No_Diretorio(diretorio_base, Arquivo_Historico)),
      preferencias_(Arquivo_No_Diretorio(diretorio_base, Arquivo_Preferencias),
                    QSettings::IniFormat),
      gravador_({arquivo_,
                 [this](const Aviso_Historico& aviso) {
                     // Reported on the writer's thread; told on the panel's.
                     QMetaObject::invokeMethod(
                         this, [this, aviso] { Avisar(aviso); }, Qt::QueuedConnection);
                 }}),
      automatica_([this] { painel_.Logica_Medidor().MA_Cmd_Click(); }) {
    painel_.Logica_Medidor().Definir_Historico(&captura_);
    automatica_.Definir_Intervalo(preferencias_.value(Chave_Intervalo, 0).toInt());
    connect(&segundo_, &QTimer::timeout, this, &Historico_Programa::Segundo);
    connect(&contadores_, &QTimer::timeout, this, &Historico_Programa::Gravar_Contadores);
    segundo_.start(1000);
    contadores_.start(Intervalo_Contadores_ms);
}

Historico_Programa::~Historico_Programa() {
    painel_.Logica_Medidor().Definir_Historico(nullptr);
    Gravar_Contadores();
    gravador_.Encerrar();
}

void Historico_Programa::Avisar(const Aviso_Historico& aviso) {
    painel_.Log_Registro().Adicionar(Para_1252(aviso.linha_log));
    auto* caixa = new QMessageBox(QMessageBox::Warning, QStringLiteral("Histórico"), aviso.mensagem,
                                  QMessageBox::Ok, &painel_);
    caixa->setObjectName(QStringLiteral("Aviso_Historico"));
    caixa->setAttribute(Qt::WA_DeleteOnClose);
    caixa->setModal(false);  // the line goes on while it is shown
    caixa->show();
}

void Historico_Programa::Segundo() {
    Enlace& enlace = painel_.Enlace_Serial();
    const Estado_Linha estado{painel_.Texto(Controle::Estado) == "ON-LINE",
                              enlace.Estado_Protocolo() == Enlace::Estado_Ocioso &&
                                  enlace.Fila_TX().Vazia() && enlace.Fila_RX().Vazia()};
    automatica_.Tick(QDateTime::currentMSecsSinceEpoch(), estado);
}

Estatisticas_Enlace Historico_Programa::Pendentes() const {
    return Diferenca(painel_.Enlace_Serial().Estatisticas(), enfileiradas_);
}

void Historico_Programa::Gravar_Contadores() {
    const Estatisticas_Enlace pendentes = Pendentes();
    gravador_.Enfileirar(Unidade_Contadores{pendentes});
    enfileiradas_ = painel_.Enlace_Serial().Estatisticas();
}

bool Historico_Programa::Definir_Intervalo(int minutos) {
    if (!automatica_.Definir_Intervalo(minutos)) {
        return false;
    }
    preferencias_.setValue(Chave_Intervalo, minutos);
    preferencias_.sync();
    return preferencias_.status() == QSettings::NoError;
}

Servicos_Historico Historico_Programa::Servicos() {
    return {arquivo_,
            [this] { return painel_.Enlace_Serial().Estatisticas(); },
            [this] { return Pendentes(); },
            [this] { return gravador_.Motivo_Inativo(); },
            [this] { return automatica_.Intervalo(); },
            [this](int minutos) { return Definir_Intervalo(minutos); },
            [this] { return gravador_.Perdidos(); }};
}

}  // namespace qx7
