#pragma once
// The serial-port component over QSerialPort. Port numbers name devices through
// Resolver_COM; events reach the OnComm handler on the thread that owns the object. Every call
// that may block on the device runs on a port thread of each opening (Trabalhador_Porta), so
// the owning thread never waits for a hung adapter: line changes, writes and samples keep
// their order, RTS drops only once the bytes written before can have left the line, and
// CTSHolding()/DSRHolding() answer from the last sample (off until the first of an opening).

#include <QObject>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "link/serial_port.h"
#include "station/line_device.h"
#include "station/port_preferences.h"
#include "station/port_worker.h"

namespace qx7 {

class Porta_Serial_Qt : public QObject, public PortaSerial {
    Q_OBJECT
  public:
    // `fabrica` builds the line calls over the port thread's descriptor; the system's own
    // (Criar_Linha_Sistema) when empty.
    explicit Porta_Serial_Qt(std::filesystem::path diretorio_base,
                             const Preferencias_Porta& preferencias = {},
                             Fabrica_Linha fabrica = {}, QObject* parent = nullptr);
    ~Porta_Serial_Qt() override;

    bool CommPort(int numero) override;
    bool Settings(std::string_view texto) override;
    bool InputLen(int n) override;
    bool RThreshold(int n) override;
    bool DTREnable(bool ligado) override;  // queued: returns at once
    bool RTSEnable(bool ligado) override;  // queued; lowered once the output left the line
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

    // CommPort and Settings given, the opening failed because the device is not there yet:
    // the reopen attempts start as after a Falha (without one), and Reaberta tells when it is.
    void Aguardar_Dispositivo();
    // The line is dead though still plugged: closed as lost, output discarded, Falha emitted
    // with a line carrying `motivo`, and the reopen attempts started.
    void Reiniciar(const QString& motivo);

  signals:
    // The open device went away (unplugged, or its calls kept failing): the port has already
    // been closed, its output discarded, and this is emitted once, with one line for the log.
    void Falha(const QString& linha);
    // After a Falha the port is tried again under the same COMn (its entry resolved afresh)
    // and with the same settings, waiting 1 s, then twice as long after each failed attempt
    // up to 30 s; this is emitted once it is open and its line answers. Closing the port on
    // purpose (PortOpen(false)) ends the attempts.
    void Reaberta(const QString& linha);
    // One line for the log: the reason the reopen attempts fail, the first time and whenever
    // it changes, with the number of attempts; and once, when the RS-485 mode was refused.
    void Aviso(const QString& linha);

  private:
    std::optional<QString> Abrir();  // the reason when the port did not open
    QString Motivo_Abertura(const QString& dispositivo);
    void Iniciar_Sessao(Descritor_Linha descritor, const QString& dispositivo);
    void Ao_Receber();
    void Avisar_Recepcao();
    void Ao_Erro(int erro);
    void Vigiar();
    void Ao_Amostra(int sessao, const std::optional<Trabalhador_Porta::Amostra>& amostra);
    void Ao_Confirmacao(int sessao, bool perdida);
    void Ao_RS485_Recusado();
    void Fechar();

    void Perder(const QString& motivo);
    void Iniciar_Reabertura();
    void Parar_Reabertura();
    void Tentar_Reabrir();
    void Tentativa_Falhou(const QString& motivo);
    void Concluir_Reabertura();

    struct Estado;
    std::unique_ptr<Estado> estado_;
};

}  // namespace qx7
