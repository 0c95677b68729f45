#include "station/history_wiring.h"

#include <QDateTime>
#include <QDir>

#include "station/station.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

const QString Chave_Intervalo = QStringLiteral("Historico/LeituraAutomaticaMinutos");

QString Texto_Interrupcao(const Inventario_Interrompido& fim) {
    const QString onde = fim.ultimo_tanque.empty()
                             ? QStringLiteral("antes do primeiro tanque")
                             : QStringLiteral("depois do tanque %1 de %2")
                                   .arg(De_1252(fim.ultimo_tanque), De_1252(fim.num_tanques));
    return QStringLiteral(
               "Inventário interrompido: o medidor não respondeu por %1 s %2; as "
               "leituras recebidas ficam como leituras avulsas.")
        .arg(Vigia_Inventario::Silencio_Maximo_ms / 1000)
        .arg(onde);
}

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

Historico_Programa::Historico_Programa(const std::filesystem::path& diretorio_base,
                                       Estacao& estacao, int intervalo_padrao)
    : estacao_(estacao),
      intervalo_padrao_(intervalo_padrao),
      arquivo_(Arquivo_No_Diretorio(diretorio_base, Arquivo_Historico)),
      preferencias_(Arquivo_No_Diretorio(diretorio_base, Arquivo_Preferencias),
                    QSettings::IniFormat),
      gravador_({.arquivo = arquivo_,
                 .avisar =
                     [this](const Aviso_Historico& aviso) {
                         // Reported on the writer's thread; told on the station's.
                         QMetaObject::invokeMethod(
                             this, [this, aviso] { Avisar(aviso); }, Qt::QueuedConnection);
                     },
                 .pasta_copias = Arquivo_No_Diretorio(diretorio_base, Pasta_Copias)}),
      alarmes_({.captura = captura_,
                .gravador = gravador_,
                .log = estacao_.Log(),
                .preferencias = preferencias_,
                .arquivo = arquivo_}),
      automatica_([this] { estacao_.Logica_Medidor().MA_Cmd_Click(); }) {
    estacao_.Logica_Medidor().Definir_Historico(&alarmes_);
    Ler_Intervalo(intervalo_padrao_);
    connect(&segundo_, &QTimer::timeout, this, &Historico_Programa::Segundo);
    connect(&contadores_, &QTimer::timeout, this, &Historico_Programa::Gravar_Contadores);
    segundo_.start(1000);
    contadores_.start(Intervalo_Contadores_ms);
}

Historico_Programa::~Historico_Programa() {
    estacao_.Logica_Medidor().Definir_Historico(nullptr);
    Gravar_Contadores();
    gravador_.Encerrar();
}

// Unset, the station's own default applies, and the log says so: a service nobody configured
// still reads its tanks.
void Historico_Programa::Ler_Intervalo(int intervalo_padrao) {
    const QVariant guardado = preferencias_.value(Chave_Intervalo);
    if (guardado.isValid()) {
        automatica_.Definir_Intervalo(guardado.toInt());
        return;
    }
    automatica_.Definir_Intervalo(intervalo_padrao);
    if (intervalo_padrao > 0) {
        estacao_.Log().Adicionar(
            Para_1252(QStringLiteral("Leitura automática a cada %1 minutos ([Historico] "
                                     "LeituraAutomaticaMinutos não definido em %2)")
                          .arg(intervalo_padrao)
                          .arg(QString::fromLatin1(Arquivo_Preferencias))));
    }
}

void Historico_Programa::Reler_Preferencias() {
    preferencias_.sync();
    Ler_Intervalo(intervalo_padrao_);
    alarmes_.Reler_Preferencias();
}

// Every report is a line of the log, a failure's marked as such; a stop or a repair is also a
// message for the operator, one at a time, which a resume takes away: the log says the rest.
void Historico_Programa::Avisar(const Aviso_Historico& aviso) {
    // A resume that lost records is a failure too: it carries a message.
    const bool falha = aviso.tipo == Aviso_Historico::Tipo::Parado ||
                       aviso.tipo == Aviso_Historico::Tipo::Reparado ||
                       aviso.tipo == Aviso_Historico::Tipo::Copia_Falhou ||
                       !aviso.mensagem.isEmpty();
    if (falha) {
        estacao_.Log().Adicionar_Aviso(Para_1252(aviso.linha_log));
    } else {
        estacao_.Log().Adicionar(Para_1252(aviso.linha_log));
    }
    if (aviso.tipo == Aviso_Historico::Tipo::Retomado) {
        estacao_.Retirar_Mensagem(QString::fromLatin1(Chave_Mensagem));
    }
    if (!aviso.mensagem.isEmpty()) {
        estacao_.Informar(QString::fromLatin1(Chave_Mensagem), QStringLiteral("Histórico"),
                          aviso.mensagem);
    }
}

void Historico_Programa::Segundo() {
    const qint64 agora = QDateTime::currentMSecsSinceEpoch();
    Medidor& medidor = estacao_.Logica_Medidor();
    if (const std::optional<Inventario_Interrompido> fim = medidor.Vigiar_Inventario(agora)) {
        estacao_.Log().Adicionar_Aviso(Para_1252(Texto_Interrupcao(*fim)));
    }
    Enlace& enlace = estacao_.Enlace_Serial();
    const Estado_Linha estado{.conectada = medidor.Estado_Conexao() == Conexao::Conectado,
                              .ociosa = enlace.Estado_Protocolo() == Enlace::Estado_Ocioso &&
                                        enlace.Fila_TX().Vazia() && enlace.Fila_RX().Vazia(),
                              .inventario = medidor.Inventario_Em_Curso()};
    automatica_.Tick(agora, estado);
    alarmes_.Segundo(Estado_Silencio_Da(estacao_));
}

Estatisticas_Enlace Historico_Programa::Pendentes() const {
    return Diferenca(estacao_.Enlace_Serial().Estatisticas(), enfileiradas_);
}

void Historico_Programa::Gravar_Contadores() {
    const Estatisticas_Enlace pendentes = Pendentes();
    gravador_.Enfileirar(Unidade_Contadores{pendentes});
    enfileiradas_ = estacao_.Enlace_Serial().Estatisticas();
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
            [this] { return estacao_.Enlace_Serial().Estatisticas(); },
            [this] { return Pendentes(); },
            [this] { return gravador_.Motivo_Inativo(); },
            [this] { return automatica_.Intervalo(); },
            [this](int minutos) { return Definir_Intervalo(minutos); },
            [this] { return gravador_.Perdidos(); },
            alarmes_.Servicos()};
}

}  // namespace qx7
