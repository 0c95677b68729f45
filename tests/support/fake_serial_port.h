#pragma once
// A scripted serial-port component. The test pushes the bytes the far end sends, raises
// events, sets the CTS and DSR lines and may hold the transmit buffer full; the double records
// every setting, every Output with the RTS state of that moment and every change of DTR and
// RTS. Refusals can be scripted per port number for start-up and port-probe tests.
//
//     Porta_Falsa porta;
//     Enlace enlace(porta, ...);             // installs its handler through OnComm(...)
//     porta.Receber("\x06");                 // one ACK arrives: event 2, the handler reads it
//     porta.dsr = false;                     // next DSR read sees the line off
//     porta.Disparar(evento::Erro_Paridade); // any event code

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_port.h"

namespace qx7::teste {

class Porta_Falsa : public PortaSerial {
  public:
    // One Output call, with the RTS line as it stood when the bytes were handed over.
    struct Escrita {
        std::string bytes;
        bool rts = false;
    };

    bool CommPort(int numero) override;
    bool Settings(std::string_view texto) override;
    bool InputLen(int n) override;
    bool RThreshold(int n) override;
    bool DTREnable(bool ligado) override;
    bool RTSEnable(bool ligado) override;
    bool PortOpen(bool abrir) override;
    bool Handshaking(int modo) override;
    std::string Erro() const override { return erro_; }

    bool PortOpen() const override { return aberta_; }
    int InBufferCount() const override { return static_cast<int>(entrada_.size()); }
    void Descartar_Entrada() override;
    int OutBufferCount() const override;
    std::string Input() override;  // InputLen bytes at most (0: everything waiting)
    void Output(std::string_view bytes) override;
    bool CTSHolding() const override { return cts; }
    bool DSRHolding() const override { return dsr; }

    // --- Far end and events ---
    void Colocar_Entrada(std::string_view bytes);  // bytes wait in the buffer, no event
    void Receber(std::string_view bytes);          // bytes arrive in one burst: one event 2
    void Receber_Um_A_Um(std::string_view bytes);  // one byte, one event 2, for each byte
    void Disparar(int codigo) { Disparar_OnComm(codigo); }
    void Mudar_CTS(bool ligado);  // sets cts and raises event 3
    void Mudar_DSR(bool ligado);  // sets dsr and raises event 4

    // --- Transmit buffer ---
    // False (default): every Output drains at once. True: the bytes written meanwhile stay
    // in OutBufferCount() until Esvaziar_Saida(), so a transmit wait never ends by itself:
    // a test that holds it drains it or ticks Timer2 from Plataforma_Falsa::ao_processar.
    bool reter_saida = false;
    void Esvaziar_Saida() { pendentes_ = 0; }

    // All bytes written, in order, as one text.
    std::string Saida() const;

    // --- Line states read by the component's user ---
    bool cts = false;
    bool dsr = true;

    // --- Scripted refusals, keyed by port number, with the error text Erro() reports ---
    // CommPort(n) fails for n < 1 and for numbers in recusa_commport; PortOpen(true) fails
    // while the selected number is in recusa_abertura (absent or busy port).
    std::map<int, std::string> recusa_commport;
    std::map<int, std::string> recusa_abertura;

    // --- Record ---
    // Every setter call in order, e.g. "CommPort=3", "Settings=9600,N,8,1", "InputLen=1",
    // "RThreshold=1", "DTREnable=True", "RTSEnable=False", "PortOpen=True", "Handshaking=0",
    // "InBufferCount=0"; refused calls are recorded too, with " (recusado)" appended.
    std::vector<std::string> operacoes;
    std::vector<Escrita> escritas;
    std::vector<bool> historico_dtr;  // every DTREnable value, in order
    std::vector<bool> historico_rts;  // every RTSEnable value, in order
    int porta = 0;                    // last number CommPort accepted
    std::string settings;
    int input_len = 1;
    int rthreshold = 0;
    int handshaking = 0;
    bool dtr = false;
    bool rts = false;
    int leituras = 0;  // Input() calls, empty reads included

  private:
    bool Registrar(const std::string& operacao, bool aceita, std::string erro = {});

    std::string entrada_;
    int pendentes_ = 0;
    bool aberta_ = false;
    std::string erro_;
};

}  // namespace qx7::teste
