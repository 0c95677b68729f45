// The serial line's calls made on a Windows communications handle. QSerialPort opens the device
// for overlapped I/O, and a duplicate shares that, so writes here are overlapped too: the
// driver takes the bytes at once and a write completes only when they are on the line. Several
// are kept in flight, up to about what a Unix driver buffers, so that a frame never waits for
// the one before it to be sent.

#include <windows.h>

#include <QString>
#include <QtGlobal>
#include <deque>
#include <memory>
#include <string>

#include "station/line_device.h"
#include "station/port_discovery.h"

namespace qx7 {

namespace {

constexpr std::size_t Limite_Em_Voo = 4096;

Resultado_Linha Resultado_Windows(BOOL feito) {
    if (feito) {
        return Resultado_Linha::Feito;
    }
    const DWORD erro = ::GetLastError();
    return erro == ERROR_INVALID_FUNCTION || erro == ERROR_NOT_SUPPORTED
               ? Resultado_Linha::Nao_Suportado
               : Resultado_Linha::Falhou;
}

class Linha_Windows final : public Linha_Serial {
  public:
    Linha_Windows(HANDLE porta, std::filesystem::path dispositivo)
        : porta_(porta), dispositivo_(std::move(dispositivo)) {}

    // The driver reads each write's buffer until the write is cancelled and done.
    ~Linha_Windows() override {
        for (const std::unique_ptr<Escrita>& escrita : escritas_) {
            ::CancelIoEx(porta_, &escrita->sobreposta);
            DWORD escritos = 0;
            ::GetOverlappedResult(porta_, &escrita->sobreposta, &escritos, TRUE);
        }
        ::CloseHandle(porta_);
    }

    Linha_Windows(const Linha_Windows&) = delete;
    Linha_Windows& operator=(const Linha_Windows&) = delete;

    Leitura<Linhas_Modem> Ler_Linhas() override {
        DWORD bits = 0;
        const Resultado_Linha r = Resultado_Windows(::GetCommModemStatus(porta_, &bits));
        return {r, Linhas_Modem{(bits & MS_CTS_ON) != 0, (bits & MS_DSR_ON) != 0,
                                (bits & MS_RLSD_ON) != 0, (bits & MS_RING_ON) != 0}};
    }

    // Windows reports which errors happened since it was last asked, not how many: each
    // report counts one, taken wherever the driver's status is read.
    Leitura<Contadores_Erro> Ler_Contadores() override {
        COMSTAT estado{};
        return {Ler_Estado(estado), contadores_};
    }

    Leitura<int> Fila_Saida() override {
        COMSTAT estado{};
        const Resultado_Linha r = Ler_Estado(estado);
        return {r, static_cast<int>(estado.cbOutQue)};
    }

    Leitura<bool> Transmissor_Vazio() override { return {Resultado_Linha::Nao_Suportado, true}; }

    Resultado_Linha Definir(Sinal_Saida sinal, bool ligado) override {
        const DWORD funcao =
            sinal == Sinal_Saida::RTS ? (ligado ? SETRTS : CLRRTS) : (ligado ? SETDTR : CLRDTR);
        return Resultado_Windows(::EscapeCommFunction(porta_, funcao));
    }

    Leitura<std::size_t> Escrever(std::string_view bytes) override {
        if (!Recolher()) {
            return {Resultado_Linha::Falhou, 0};
        }
        if (Em_Voo() >= Limite_Em_Voo) {
            return {Resultado_Linha::Feito, 0};
        }
        auto escrita = std::make_unique<Escrita>(bytes);
        if (escrita->sobreposta.hEvent == nullptr) {
            return {Resultado_Linha::Falhou, 0};
        }
        if (!::WriteFile(porta_, escrita->bytes.data(), static_cast<DWORD>(escrita->bytes.size()),
                         nullptr, &escrita->sobreposta) &&
            ::GetLastError() != ERROR_IO_PENDING) {
            return {Resultado_Linha::Falhou, 0};
        }
        escritas_.push_back(std::move(escrita));
        return {Resultado_Linha::Feito, bytes.size()};
    }

    void Esperar_Escrita(int ms) override {
        if (!escritas_.empty()) {
            ::WaitForSingleObject(escritas_.front()->sobreposta.hEvent, static_cast<DWORD>(ms));
        }
    }

    // The writes it aborts end at once, and are let go of without counting as failed.
    Resultado_Linha Descartar_Saida() override {
        const Resultado_Linha r =
            Resultado_Windows(::PurgeComm(porta_, PURGE_TXABORT | PURGE_TXCLEAR));
        if (r == Resultado_Linha::Feito) {
            for (const std::unique_ptr<Escrita>& escrita : escritas_) {
                DWORD escritos = 0;
                ::GetOverlappedResult(porta_, &escrita->sobreposta, &escritos, TRUE);
            }
            escritas_.clear();
        }
        return r;
    }

    // The driver's own RTS toggling would be undone by QSerialPort's next flow-control
    // setting; the program switches RTS itself.
    Resultado_Linha Ativar_RS485() override { return Resultado_Linha::Nao_Suportado; }

    // Windows does not wait for unsent output when the last handle closes.
    Resultado_Linha Fechar_Sem_Esperar() override { return Resultado_Linha::Feito; }

    bool Terminal_Vivo() override {
        DCB modo{};
        modo.DCBlength = sizeof modo;
        return ::GetCommState(porta_, &modo) != 0;
    }

    bool Dispositivo_Presente() override {
        return Julgar_Dispositivo(Descoberta_Portas{}, dispositivo_).situacao !=
               Juizo_Porta::Situacao::Ausente;
    }

  private:
    struct Escrita {
        explicit Escrita(std::string_view texto) : bytes(texto) {
            sobreposta.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        }
        ~Escrita() {
            if (sobreposta.hEvent != nullptr) {
                ::CloseHandle(sobreposta.hEvent);
            }
        }
        Escrita(const Escrita&) = delete;
        Escrita& operator=(const Escrita&) = delete;

        OVERLAPPED sobreposta{};
        std::string bytes;  // the driver reads them until the write is done
    };

    // Lets go of the writes done, oldest first; false when one of them failed or was cut
    // short (the device went away, or its output was discarded).
    bool Recolher() {
        bool inteiras = true;
        while (!escritas_.empty()) {
            Escrita& escrita = *escritas_.front();
            DWORD escritos = 0;
            if (!::GetOverlappedResult(porta_, &escrita.sobreposta, &escritos, FALSE)) {
                if (::GetLastError() == ERROR_IO_INCOMPLETE) {
                    break;
                }
                inteiras = false;
            } else if (escritos < escrita.bytes.size()) {
                inteiras = false;
            }
            escritas_.pop_front();
        }
        return inteiras;
    }

    std::size_t Em_Voo() const {
        std::size_t total = 0;
        for (const std::unique_ptr<Escrita>& escrita : escritas_) {
            total += escrita->bytes.size();
        }
        return total;
    }

    Resultado_Linha Ler_Estado(COMSTAT& estado) {
        DWORD erros = 0;
        const Resultado_Linha r = Resultado_Windows(::ClearCommError(porta_, &erros, &estado));
        contadores_.brk += (erros & CE_BREAK) != 0 ? 1 : 0;
        contadores_.framing += (erros & CE_FRAME) != 0 ? 1 : 0;
        contadores_.overrun += (erros & (CE_OVERRUN | CE_RXOVER)) != 0 ? 1 : 0;
        contadores_.paridade += (erros & CE_RXPARITY) != 0 ? 1 : 0;
        return r;
    }

    HANDLE porta_;
    std::filesystem::path dispositivo_;
    std::deque<std::unique_ptr<Escrita>> escritas_;  // in flight, oldest first
    Contadores_Erro contadores_{};
};

}  // namespace

std::unique_ptr<Linha_Serial> Criar_Linha_Sistema(Descritor_Linha descritor,
                                                  const std::filesystem::path& dispositivo) {
    return std::make_unique<Linha_Windows>(descritor, dispositivo);
}

std::optional<Descritor_Linha> Copiar_Descritor(Descritor_Linha descritor, std::string& motivo) {
    HANDLE copia = nullptr;
    const HANDLE processo = ::GetCurrentProcess();
    if (!::DuplicateHandle(processo, descritor, processo, &copia, 0, FALSE,
                           DUPLICATE_SAME_ACCESS)) {
        motivo = qt_error_string(static_cast<int>(::GetLastError())).toStdString();
        return std::nullopt;
    }
    return copia;
}

// Windows has no way to let go of QSerialPort's handle without closing the device; its close
// is left as it is.
void Soltar_Descritor(Descritor_Linha) {}

}  // namespace qx7
