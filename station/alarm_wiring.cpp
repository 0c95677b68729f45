#include "station/alarm_wiring.h"

#include <QDateTime>
#include <QMetaObject>

#include "gauge/numeric_text.h"
#include "history/alarm_queries.h"
#include "history/clock_drift.h"
#include "history/connection.h"
#include "station/alarm_settings.h"
#include "station/alarm_texts.h"
#include "station/station.h"
#include "station/user_name.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

qint64 Agora() {
    return QDateTime::currentMSecsSinceEpoch();
}

}  // namespace

Estado_Silencio Estado_Silencio_Da(Estacao& estacao) {
    const Medidor& medidor = estacao.Logica_Medidor();
    const Enlace& enlace = estacao.Enlace_Serial();
    const Conexao conexao = medidor.Estado_Conexao();
    const Estatisticas_Enlace& contagem = enlace.Estatisticas();
    return {
        .conectado = medidor.Operador_Conectou(),
        .esperando = !enlace.Fila_TX().Vazia() ||
                     enlace.Estado_Protocolo() == Enlace::Estado_Aguardando_ACK ||
                     conexao == Conexao::Porta_Fechada || conexao == Conexao::Medidor_Desligado,
        .respostas = contagem.ACKs_Recebidos + contagem.NAKs_Recebidos + contagem.ACKs_Enviados};
}

Alarmes_Estacao::Alarmes_Estacao(Ligacoes_Alarmes ligacoes, QObject* parent)
    : Sinais_Alarmes(parent), ligacoes_(std::move(ligacoes)) {
    Reler_Preferencias();
    // Read once the event loop runs, before any reading it will judge: the start of the window
    // or of the service is not held up by it.
    QMetaObject::invokeMethod(this, &Alarmes_Estacao::Carregar_Historico, Qt::QueuedConnection);
}

void Alarmes_Estacao::Carregar_Historico() {
    Conexao_Historico conexao(ligacoes_.arquivo, Modo_Conexao::Leitura);
    if (!conexao.Aberta()) {
        return;  // no history yet: nothing was open, nothing to forecast from
    }
    avaliador_.Restaurar(Alarmes_Abertos(conexao.Banco()));
    const qint64 agora = Agora();
    for (const Leitura_Valores& leitura :
         Leituras_Para_Previsao(conexao.Banco(), agora - Janela_Previsao_ms, agora)) {
        vigia_.Carregar(leitura);
    }
    emit Mudaram();
}

void Alarmes_Estacao::Leitura(const Leitura_Recebida& leitura, bool do_inventario) {
    ligacoes_.captura.Leitura(leitura, do_inventario);
    int tanque = 0;
    if (!Inteiro_Par(Valor_Numerico(leitura.tanque), tanque)) {
        return;
    }
    const Leitura_Valores valores{tanque, Agora(), Valor_Numerico_Exato(leitura.medido),
                                  Valor_Numerico_Exato(leitura.complementar)};
    QMetaObject::invokeMethod(
        this, [this, valores, peso = leitura.peso] { Avaliar(valores, peso); },
        Qt::QueuedConnection);
}

void Alarmes_Estacao::Relogio(const Relogio_Recebido& relogio) {
    ligacoes_.captura.Relogio(relogio);
    const qint64 agora = Agora();
    if (const std::optional<qint64> deriva = Deriva_Relogio_s(relogio, agora)) {
        QMetaObject::invokeMethod(
            this,
            [this, agora, deriva = static_cast<double>(*deriva)] {
                if (auto mudanca = avaliador_.Relogio(agora, deriva)) {
                    Contar(*mudanca);
                }
            },
            Qt::QueuedConnection);
    }
}

void Alarmes_Estacao::Avaliar(const Leitura_Valores& valores, bool peso) {
    const Resultado_Leitura resultado = vigia_.Leitura(valores);
    if (resultado.descarga) {
        ligacoes_.gravador.Enfileirar(Unidade_Descarga{valores.tanque, *resultado.descarga, peso});
        ligacoes_.log.Adicionar(Para_1252(Linha_Log_Descarga(valores.tanque, *resultado.descarga)));
    }
    for (const Mudanca_Alarme& mudanca : resultado.mudancas) {
        Contar(mudanca);
    }
}

// Into the history and the log; raises and clears are warnings, so the journal's warning
// priority carries them.
void Alarmes_Estacao::Contar(const Mudanca_Alarme& mudanca) {
    ligacoes_.gravador.Enfileirar(Unidade_Alarme{mudanca});
    const std::string linha = Para_1252(Linha_Log_Alarme(mudanca));
    if (mudanca.evento == Evento_Alarme::Reconhecido) {
        ligacoes_.log.Adicionar(linha);
    } else {
        ligacoes_.log.Adicionar_Aviso(linha);
    }
    if (mudanca.evento == Evento_Alarme::Levantado) {
        emit Levantado(QStringLiteral("%1: %2").arg(
            Texto_Alarme(mudanca.alarme), Texto_Valor(mudanca.alarme.tipo, mudanca.valor)));
    }
    emit Mudaram();
}

void Alarmes_Estacao::Segundo(const Estado_Silencio& estado) {
    const qint64 agora = Agora();
    if (const std::optional<Silencio_Medidor> silencio = silencio_.Tick(agora, estado)) {
        if (auto mudanca = avaliador_.Sem_Resposta(agora, silencio->minutos, silencio->respondeu)) {
            Contar(*mudanca);
        }
    }
}

// A key refused keeps its default, and the log says which and why.
void Alarmes_Estacao::Reler_Preferencias() {
    const Leitura_Config_Alarmes lida = Ler_Config_Alarmes(ligacoes_.preferencias);
    for (const QString& recusa : lida.recusas) {
        ligacoes_.log.Adicionar_Aviso(
            Para_1252(QStringLiteral("Preferencias.ini [Alarmes] %1: valor ignorado").arg(recusa)));
    }
    avaliador_.Definir_Config(lida.config);
}

QString Alarmes_Estacao::Definir_Config(const Config_Alarmes& config) {
    if (QString motivo = Motivo_Recusa(config); !motivo.isEmpty()) {
        return motivo;
    }
    if (!Gravar_Config_Alarmes(ligacoes_.preferencias, config)) {
        return QStringLiteral("não foi possível gravar %1").arg(ligacoes_.preferencias.fileName());
    }
    avaliador_.Definir_Config(config);
    return {};
}

bool Alarmes_Estacao::Reconhecer(Tipo_Alarme tipo, int tanque) {
    const auto mudanca =
        avaliador_.Reconhecer(tipo, tanque, Agora(), Nome_Do_Operador().toStdString());
    if (mudanca) {
        Contar(*mudanca);
    }
    return mudanca.has_value();
}

Servicos_Alarmes Alarmes_Estacao::Servicos() {
    return {.config = [this] { return Config(); },
            .definir_config = [this](const Config_Alarmes& c) { return Definir_Config(c); },
            .ativos = [this] { return Ativos(); },
            .reconhecer = [this](Tipo_Alarme tipo, int tanque) { return Reconhecer(tipo, tanque); },
            .sinais = this};
}

}  // namespace qx7
