#pragma once
// The serial-port component over QSerialPort. Port numbers name devices through
// Resolver_COM; events reach the OnComm handler on the thread that owns the object.

#include <QObject>
#include <QString>
#include <filesystem>
#include <memory>
#include <string_view>

#include "link/serial_port.h"

namespace qx7 {

class Porta_Serial_Qt : public QObject, public PortaSerial {
    Q_OBJECT
  public:
    explicit Porta_Serial_Qt(std::filesystem::path diretorio_base, QObject* parent = nullptr);
    ~Porta_Serial_Qt() override;

    bool CommPort(int numero) override;
    bool Settings(std::string_view texto) override;
    bool InputLen(int n) override;
    bool RThreshold(int n) override;
    bool DTREnable(bool ligado) override;
    bool RTSEnable(bool ligado) override;
    bool PortOpen(bool abrir) override;
    bool Handshaking(int modo) override;
    std::string Erro() const override;

    bool PortOpen() const override;
    int InBufferCount() const override;
    void Descartar_Entrada() override;
    int OutBufferCount() const override;
    std::string Input() override;
    void Output(std::string_view bytes) override;
    bool CTSHolding() const override;
    bool DSRHolding() const override;

    // The opening failed because the device is not there yet: try again as after a Falha,
    // without one; Reaberta tells when it opened.
    void Aguardar_Dispositivo();
    // The line is dead though its device is still there: closed as lost (Falha, with `motivo`)
    // and tried again as after an unplug.
    void Reiniciar(const QString& motivo);

  signals:
    // The open device went away (a USB adapter unplugged): the port has already been closed
    // and this is emitted once, with one line for the operator's log.
    void Falha(const QString& linha);
    // After a Falha the port is tried again about once a second, under the same COMn (its
    // entry resolved afresh) and with the same settings; this is emitted when it opened, with
    // one line for the log. Closing the port on purpose (PortOpen(false)) ends the attempts.
    void Reaberta(const QString& linha);

  private:
    void Ao_Receber();
    void Avisar_Recepcao();
    void Tentar_Reabrir();
    void Ao_Erro(int erro);
    void Sondar_Linhas();
    void Fechar();

    struct Estado;
    std::unique_ptr<Estado> estado_;
};

}  // namespace qx7
