#pragma once
// The calls on an open serial device that QSerialPort does not make for us, and that may block
// for seconds on a hung USB adapter (each is a USB control transfer there). The port thread
// calls them on a descriptor of its own (Trabalhador_Porta); tests put a scripted line there.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "link/line_changes.h"

namespace qx7 {

// Nao_Suportado: the device has no such thing (a pseudo-terminal has no modem lines), which
// proves it answers. Falhou: the device refused or did not answer.
enum class Resultado_Linha { Feito, Nao_Suportado, Falhou };

template <typename T>
struct Leitura {
    Resultado_Linha resultado = Resultado_Linha::Falhou;
    T valor{};
};

enum class Sinal_Saida { DTR, RTS };

class Linha_Serial {
  public:
    virtual ~Linha_Serial() = default;  // closes the descriptor

    virtual Leitura<Linhas_Modem> Ler_Linhas() = 0;
    virtual Leitura<Contadores_Erro> Ler_Contadores() = 0;
    // Bytes in the kernel's output queue: the driver's count, never asked of the device.
    virtual Leitura<int> Fila_Saida() = 0;
    // The UART's shift register; plain serial ports tell, most USB adapters do not.
    virtual Leitura<bool> Transmissor_Vazio() = 0;
    virtual Resultado_Linha Definir(Sinal_Saida sinal, bool ligado) = 0;
    // What the driver took now (possibly nothing), without waiting.
    virtual Leitura<std::size_t> Escrever(std::string_view bytes) = 0;
    // Until the driver can take more or `ms` passed.
    virtual void Esperar_Escrita(int ms) = 0;
    virtual Resultado_Linha Descartar_Saida() = 0;
    // The kernel switches the RS-485 driver around each transmission by itself.
    virtual Resultado_Linha Ativar_RS485() = 0;
    // Closing does not wait for unsent output (Nao_Suportado where only root may ask).
    virtual Resultado_Linha Fechar_Sem_Esperar() = 0;
    // A device that was unplugged is hung up: it refuses even to report its settings.
    virtual bool Terminal_Vivo() = 0;
    virtual bool Dispositivo_Presente() = 0;
};

// Builds the line over `descritor` (which it then owns) of the device at `dispositivo`.
using Fabrica_Linha = std::function<std::unique_ptr<Linha_Serial>(
    int descritor, const std::filesystem::path& dispositivo)>;

}  // namespace qx7
