#pragma once
// The serial-port component as the link sees it: the line control's properties and its one
// event. The program reaches a port only through this interface, so the link runs the same
// against a real port, a pseudo-terminal or a scripted test double.

#include <functional>
#include <string>
#include <string_view>

namespace qx7 {

// Event codes reported by CommEvent() inside the OnComm handler.
namespace evento {
inline constexpr int Transmissao_Livre = 1;  // transmit buffer below its threshold
inline constexpr int Recepcao = 2;           // characters received
inline constexpr int Mudou_CTS = 3;
inline constexpr int Mudou_DSR = 4;
inline constexpr int Mudou_CD = 5;
inline constexpr int Ring = 6;
inline constexpr int Recebeu_EOF = 7;
inline constexpr int Break = 1001;
inline constexpr int Timeout_CTS = 1002;
inline constexpr int Timeout_DSR = 1003;
inline constexpr int Erro_Framing = 1004;
inline constexpr int Overrun = 1006;
inline constexpr int Timeout_CD = 1007;
inline constexpr int Overflow_RX = 1008;
inline constexpr int Erro_Paridade = 1009;
inline constexpr int Transmissao_Cheia = 1010;
inline constexpr int Erro_DCB = 1011;
}  // namespace evento

class PortaSerial {
  public:
    virtual ~PortaSerial() = default;

    // Setters return false when the component refuses the value or the operation fails
    // (absent or busy port, number 0, bad settings text); Erro() then says why.
    virtual bool CommPort(int numero) = 0;
    virtual bool Settings(std::string_view texto) = 0;  // "9600,N,8,1"
    virtual bool InputLen(int n) = 0;
    virtual bool RThreshold(int n) = 0;
    virtual bool DTREnable(bool ligado) = 0;
    virtual bool RTSEnable(bool ligado) = 0;
    virtual bool PortOpen(bool abrir) = 0;
    virtual bool Handshaking(int modo) = 0;
    virtual std::string Erro() const = 0;

    virtual bool PortOpen() const = 0;
    virtual int InBufferCount() const = 0;
    virtual void Descartar_Entrada() = 0;  // InBufferCount = 0
    virtual int OutBufferCount() const = 0;
    virtual std::string Input() = 0;  // at most InputLen bytes; empty when nothing waits
    virtual void Output(std::string_view bytes) = 0;
    virtual bool CTSHolding() const = 0;
    virtual bool DSRHolding() const = 0;

    int CommEvent() const { return evento_; }

    // The handler runs once per event on the caller's thread; it may be re-entered when the
    // handler yields to the event loop, exactly like the line control's OnComm.
    void OnComm(std::function<void()> tratador) { tratador_ = std::move(tratador); }

  protected:
    void Disparar_OnComm(int codigo) {
        evento_ = codigo;
        if (tratador_) {
            tratador_();
        }
    }

  private:
    int evento_ = 0;
    std::function<void()> tratador_;
};

}  // namespace qx7
