#pragma once
// The serial-port component over QSerialPort. Port numbers name devices through
// Dispositivo_COM; events reach the OnComm handler on the thread that owns the object.

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "link/serial_port.h"

namespace qx7 {

// "9600,N,8,1": baud rate, parity (N, E, O, M or S), data bits (5 to 8), stop bits (1, 1.5, 2).
struct Parametros_Serial {
    enum class Parada { Um, Um_E_Meio, Dois };
    int baud = 9600;
    char paridade = 'N';
    int bits_dados = 8;
    Parada bits_parada = Parada::Um;
};
std::optional<Parametros_Serial> Interpretar_Settings(std::string_view texto);

// What the component samples on every poll of an open port, and the events a change raises:
// line changes give 3 (CTS), 4 (DSR), 5 (CD), 6 (RI); grown error counters give 1001
// (break), 1004 (framing), 1006 (overrun), 1009 (parity).
struct Linhas_Modem {
    bool cts = false;
    bool dsr = false;
    bool cd = false;
    bool ri = false;
};
struct Contadores_Erro {
    long brk = 0;
    long framing = 0;
    long overrun = 0;
    long paridade = 0;
};
std::vector<int> Eventos_Linhas(const Linhas_Modem& antes, const Linhas_Modem& agora);
std::vector<int> Eventos_Erros(const Contadores_Erro& antes, const Contadores_Erro& agora);

// How long the line needs for `bytes` characters with these settings, plus a margin for the
// UART's own buffer and the driver: the most that dropping RTS waits for the output to drain.
std::chrono::milliseconds Limite_Escoamento(qint64 bytes, const Parametros_Serial& parametros);
// Waits until `pendentes` reports nothing left or `limite` has passed, looking again every
// millisecond; true when the output drained.
bool Esperar_Escoamento(const std::function<qint64()>& pendentes, std::chrono::milliseconds limite);

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
