#pragma once
// A serial-port component that passes everything to another one and records, with the time of
// each call, every byte handed to Output and every byte Input returned: the bytes on the wire
// both ways as the program saw them.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_port.h"

namespace qx7::bancada {

using Relogio = std::chrono::steady_clock;

struct Trafego {
    Relogio::time_point quando;
    bool enviado = false;  // false: received
    std::string bytes;
};

class Porta_Contadora : public PortaSerial {
  public:
    explicit Porta_Contadora(PortaSerial& porta);
    ~Porta_Contadora() override;

    bool CommPort(int numero) override { return porta_.CommPort(numero); }
    bool Settings(std::string_view texto) override { return porta_.Settings(texto); }
    bool InputLen(int n) override { return porta_.InputLen(n); }
    bool RThreshold(int n) override { return porta_.RThreshold(n); }
    bool DTREnable(bool ligado) override { return porta_.DTREnable(ligado); }
    bool RTSEnable(bool ligado) override { return porta_.RTSEnable(ligado); }
    bool PortOpen(bool abrir) override { return porta_.PortOpen(abrir); }
    bool Handshaking(int modo) override { return porta_.Handshaking(modo); }
    std::string Erro() const override { return porta_.Erro(); }

    bool PortOpen() const override { return porta_.PortOpen(); }
    int InBufferCount() const override { return porta_.InBufferCount(); }
    void Descartar_Entrada() override { porta_.Descartar_Entrada(); }
    int OutBufferCount() const override;
    std::string Input() override;
    void Output(std::string_view bytes) override;
    bool CTSHolding() const override { return porta_.CTSHolding(); }
    bool DSRHolding() const override { return porta_.DSRHolding(); }

    std::vector<Trafego> trafego;
    long enviados = 0;
    long recebidos = 0;
    // OutBufferCount calls (the transmit wait asks once per turn of its loop), and how many
    // found bytes still waiting.
    mutable long consultas_saida = 0;
    mutable long saida_pendente = 0;

  private:
    PortaSerial& porta_;
};

}  // namespace qx7::bancada
