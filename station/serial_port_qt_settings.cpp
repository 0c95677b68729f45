#include "station/serial_port_qt_settings.h"

#include "link/system_error.h"

namespace qx7 {

namespace {

QSerialPort::Parity Paridade_Qt(char letra) {
    switch (letra) {
        case 'E':
            return QSerialPort::EvenParity;
        case 'O':
            return QSerialPort::OddParity;
        case 'M':
            return QSerialPort::MarkParity;
        case 'S':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits Parada_Qt(Parametros_Serial::Parada parada) {
    switch (parada) {
        case Parametros_Serial::Parada::Um_E_Meio:
            return QSerialPort::OneAndHalfStop;
        case Parametros_Serial::Parada::Dois:
            return QSerialPort::TwoStop;
        default:
            return QSerialPort::OneStop;
    }
}

}  // namespace

QString Motivo_Erro_Qt(QSerialPort::SerialPortError codigo, int erro_sistema) {
    switch (codigo) {
        case QSerialPort::DeviceNotFoundError:
            return QStringLiteral("o dispositivo não existe");
        case QSerialPort::PermissionError:
            return QStringLiteral("acesso negado: sem permissão ou em uso por outro programa");
        case QSerialPort::OpenError:
            return QStringLiteral("a porta já está aberta");
        case QSerialPort::NotOpenError:
            return QStringLiteral("a porta não está aberta");
        case QSerialPort::UnsupportedOperationError:
            return QStringLiteral("operação não suportada pelo dispositivo");
        case QSerialPort::TimeoutError:
            return QStringLiteral("tempo de espera esgotado");
        case QSerialPort::ResourceError:
            return QStringLiteral("o dispositivo foi removido ou deixou de responder");
        default:
            return erro_sistema != 0 ? QString::fromStdString(Descricao_Erro_Sistema(erro_sistema))
                                     : QStringLiteral("erro desconhecido da porta serial");
    }
}

bool Aplicar(QSerialPort& porta, const Parametros_Serial& p) {
    bool ok = porta.setBaudRate(p.baud);
    ok = porta.setParity(Paridade_Qt(p.paridade)) && ok;
    ok = porta.setDataBits(static_cast<QSerialPort::DataBits>(p.bits_dados)) && ok;
    ok = porta.setStopBits(Parada_Qt(p.bits_parada)) && ok;
    return ok;
}

std::optional<QSerialPort::FlowControl> Fluxo_Qt(int modo) {
    switch (modo) {
        case 0:
            return QSerialPort::NoFlowControl;
        case 1:
            return QSerialPort::SoftwareControl;
        case 2:
            return QSerialPort::HardwareControl;
        default:
            return std::nullopt;
    }
}

}  // namespace qx7
