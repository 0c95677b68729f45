#pragma once
// What Porta_Serial_Qt keeps, shared by the files that implement it: the component's
// operations (serial_port_qt.cpp) and the loss and reopen loop (serial_port_reopen.cpp).

#include <QSerialPort>
#include <QTimer>
#include <cerrno>
#include <optional>
#include <string>

#include "link/serial_settings.h"
#include "station/port_worker.h"
#include "station/reopen_backoff.h"
#include "station/serial_port_qt.h"
#include "station/serial_port_qt_settings.h"

namespace qx7 {

// The attempts to open the port again after it was lost.
struct Reabertura {
    explicit Reabertura(const Preferencias_Porta& preferencias) : espera(preferencias) {
        temporizador.setSingleShot(true);
    }

    QTimer temporizador;
    Espera_Reabertura espera;
    bool ativa = false;
    bool confirmando = false;  // open; the first sample of its line decides
    int tentativas = 0;
    QString motivo;  // the last reason told
};

struct Porta_Serial_Qt::Estado {
    explicit Estado(const Preferencias_Porta& p) : preferencias(p), reabertura(p) {}

    std::filesystem::path base;
    Preferencias_Porta preferencias;
    Fabrica_Linha fabrica;
    QSerialPort porta;
    QTimer vigia;  // asks for samples and watches the port thread's calls
    std::unique_ptr<Trabalhador_Porta> trabalhador;
    int sessao = 0;  // one per opening; reports of an earlier one are dropped
    bool amostra_pendente = false;
    bool confirmacao_pendente = false;
    QString motivo_erro;  // of the error being confirmed
    bool aviso_recepcao_pendente = false;
    bool rs485_avisado = false;
    Reabertura reabertura;

    int numero = 1;
    Parametros_Serial parametros;
    int input_len = 0;
    int rthreshold = 0;
    bool dtr = false;
    bool rts = false;
    QSerialPort::FlowControl fluxo = QSerialPort::NoFlowControl;
    std::string recebidos;
    QString erro;
    std::optional<Trabalhador_Porta::Amostra> amostra;  // the last of this opening

    QString Nome() const { return QStringLiteral("COM%1").arg(numero); }

    bool Recusar(const QString& motivo) {
        erro = motivo;
        return false;
    }

    void Puxar_Recebidos() {
        const QByteArray novos = porta.readAll();
        recebidos.append(novos.constData(), static_cast<std::size_t>(novos.size()));
    }

    // Takes the error just reported and clears it, in Portuguese.
    QString Tomar_Motivo_Erro_Qt() {
        const QString motivo = Motivo_Erro_Qt(porta.error(), errno);
        porta.clearError();
        return motivo;
    }
};

}  // namespace qx7
