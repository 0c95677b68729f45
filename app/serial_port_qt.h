#pragma once
// The serial-port component over QSerialPort. Port numbers name devices through
// Dispositivo_COM; events reach the OnComm handler on the thread that owns the object.

#include <QObject>
#include <filesystem>
#include <memory>

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

private:
    struct Estado;
    std::unique_ptr<Estado> estado_;
};

}  // namespace qx7
