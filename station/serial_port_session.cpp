// One opening's port thread seen from the window's thread: starting it, asking it for samples
// and watching its calls, turning its reports into line events, and closing it.
#include <QMetaObject>
#include <utility>
#include <vector>

#include "link/line_changes.h"
#include "station/line_device.h"
#include "station/serial_port_qt.h"
#include "station/serial_port_qt_state.h"

namespace qx7 {

void Porta_Serial_Qt::Iniciar_Sessao(Descritor_Linha descritor, const QString& dispositivo) {
    Estado& e = *estado_;
    const int sessao = ++e.sessao;
    e.amostra.reset();
    e.confirmacao_pendente = false;
    e.amostra_pendente = true;
    // Reports come on the port thread and are handled on this one.
    Trabalhador_Porta::Ouvintes ouvintes{
        .amostra =
            [this, sessao](const std::optional<Trabalhador_Porta::Amostra>& amostra) {
                QMetaObject::invokeMethod(
                    this, [this, sessao, amostra] { Ao_Amostra(sessao, amostra); },
                    Qt::QueuedConnection);
            },
        .confirmacao =
            [this, sessao](bool perdida) {
                QMetaObject::invokeMethod(
                    this, [this, sessao, perdida] { Ao_Confirmacao(sessao, perdida); },
                    Qt::QueuedConnection);
            },
        .rs485_recusado =
            [this] {
                QMetaObject::invokeMethod(
                    this, [this] { Ao_RS485_Recusado(); }, Qt::QueuedConnection);
            },
    };
    e.trabalhador = std::make_unique<Trabalhador_Porta>(
        e.fabrica(descritor, dispositivo.toStdU16String()),
        Trabalhador_Porta::Configuracao{.parametros = e.parametros,
                                        .rs485 = e.preferencias.rs485_automatico,
                                        .limite_chamada = e.preferencias.limite_chamada},
        std::move(ouvintes));
    e.trabalhador->Definir_DTR(e.dtr);
    if (e.fluxo != QSerialPort::HardwareControl) {
        e.trabalhador->Definir_RTS(e.rts);
    }
    e.trabalhador->Amostrar();
    e.vigia.start();
}

// A read that fails may be an unplugged adapter; the port thread looks whether the terminal
// was hung up or its device node is gone before the port is given up.
void Porta_Serial_Qt::Ao_Erro(int erro) {
    Estado& e = *estado_;
    const auto codigo = static_cast<QSerialPort::SerialPortError>(erro);
    const bool suspeito = codigo == QSerialPort::ResourceError ||
                          codigo == QSerialPort::ReadError || codigo == QSerialPort::WriteError;
    if (!suspeito || !e.trabalhador || e.confirmacao_pendente) {
        return;
    }
    e.motivo_erro = Motivo_Erro_Qt(codigo, errno);
    e.confirmacao_pendente = true;
    e.trabalhador->Confirmar_Perda();
}

void Porta_Serial_Qt::Ao_Confirmacao(int sessao, bool perdida) {
    Estado& e = *estado_;
    if (sessao != e.sessao || !e.trabalhador) {
        return;
    }
    e.confirmacao_pendente = false;
    if (perdida) {
        Perder(e.motivo_erro);
    }
}

void Porta_Serial_Qt::Vigiar() {
    Estado& e = *estado_;
    if (!e.trabalhador) {
        return;
    }
    const int falhas = e.trabalhador->Falhas();
    if (falhas >= e.preferencias.falhas_ate_perda) {
        Perder(
            QStringLiteral("%1 pedidos seguidos à porta falharam ou não terminaram").arg(falhas));
        return;
    }
    if (!e.amostra_pendente) {
        e.amostra_pendente = true;
        e.trabalhador->Amostrar();
    }
}

void Porta_Serial_Qt::Ao_Amostra(int sessao,
                                 const std::optional<Trabalhador_Porta::Amostra>& amostra) {
    Estado& e = *estado_;
    if (sessao != e.sessao || !e.trabalhador) {
        return;
    }
    e.amostra_pendente = false;
    if (!amostra) {
        if (e.reabertura.confirmando) {
            Tentativa_Falhou(QStringLiteral("a porta abriu, mas não respondeu"));
        }
        return;  // counted by the port thread; the next sample may answer
    }
    const std::optional<Trabalhador_Porta::Amostra> antes = std::exchange(e.amostra, *amostra);
    if (e.reabertura.confirmando) {
        Concluir_Reabertura();
        return;
    }
    if (!antes) {
        return;  // the first sample of an opening is what changes are counted from
    }
    std::vector<int> eventos;
    if (antes->contadores && amostra->contadores) {
        eventos = Eventos_Erros(*antes->contadores, *amostra->contadores);
    }
    if (antes->linhas && amostra->linhas) {
        const std::vector<int> mudancas = Eventos_Linhas(*antes->linhas, *amostra->linhas);
        eventos.insert(eventos.end(), mudancas.begin(), mudancas.end());
    }
    // The state is already up to date, so a handler that yields and lets the next sample in
    // sees no change twice; one that closes the port ends the events.
    for (const int codigo : eventos) {
        if (sessao != e.sessao || !PortOpen()) {
            return;
        }
        Disparar_OnComm(codigo);
    }
}

void Porta_Serial_Qt::Ao_RS485_Recusado() {
    Estado& e = *estado_;
    if (!std::exchange(e.rs485_avisado, true)) {
        emit Aviso(QStringLiteral("A porta serial %1 não aceita o modo RS-485 automático; o "
                                  "programa comanda o RTS em cada transmissão")
                       .arg(e.Nome()));
    }
}

// This thread's descriptor goes first, so that the device's last close, and the discarding
// of what it still had to send, happen on the port thread after the line changes queued.
void Porta_Serial_Qt::Fechar() {
    Estado& e = *estado_;
    e.vigia.stop();
    if (e.porta.isOpen()) {
        if (e.trabalhador) {
            Soltar_Descritor(e.porta.handle());
        }
        e.porta.close();
    }
    if (e.trabalhador) {
        e.trabalhador->Encerrar();
        e.trabalhador.reset();
    }
    e.amostra.reset();
    e.amostra_pendente = false;
    e.confirmacao_pendente = false;
    e.recebidos.clear();
    e.porta.clearError();
}

}  // namespace qx7
