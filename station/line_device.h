#pragma once
// The calls on an open serial device that QSerialPort does not make for us, and that may block
// for seconds on a hung USB adapter (each is a USB control transfer there). The port thread
// calls them on a descriptor of its own (Trabalhador_Porta); tests put a scripted line there.
// The system's own are in serial_line_posix.cpp on Unix and serial_line_windows.cpp on Windows.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
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

// What QSerialPort::handle() gives: a file descriptor on Unix, a HANDLE on Windows.
#ifdef _WIN32
using Descritor_Linha = void*;
#else
using Descritor_Linha = int;
#endif

// Builds the line over `descritor` (which it then owns) of the device at `dispositivo`.
using Fabrica_Linha = std::function<std::unique_ptr<Linha_Serial>(
    Descritor_Linha descritor, const std::filesystem::path& dispositivo)>;

// The system's line over the descriptor.
std::unique_ptr<Linha_Serial> Criar_Linha_Sistema(Descritor_Linha descritor,
                                                  const std::filesystem::path& dispositivo);

// A descriptor of the port thread's own for the open device, not inherited by programs this
// one starts; nothing, with the system's reason in `motivo`, when the system refuses one.
std::optional<Descritor_Linha> Copiar_Descritor(Descritor_Linha descritor, std::string& motivo);

// QSerialPort restores the device's settings when it closes, a driver call that may wait on a
// hung adapter. Where the system allows, this makes QSerialPort's close touch nothing; the port
// thread's own descriptor keeps the device open until it closes it.
void Soltar_Descritor(Descritor_Linha descritor);

}  // namespace qx7
