// The serial line's calls made on a Windows communications handle. QSerialPort opens the device
// for overlapped I/O, and a duplicate shares that, so writes here are overlapped too: the
// driver takes the bytes at once and the write completes when they are out of its hands.

#include <windows.h>

#include <QString>
#include <QtGlobal>
#include <string>

#include "station/line_device.h"

namespace qx7 {

namespace {

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
        : porta_(porta), dispositivo_(std::move(dispositivo)) {
        escrita_.hEvent = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
    }

    ~Linha_Windows() override {
        if (em_curso_) {
            // The driver writes from pendente_ until the write is cancelled and done.
            ::CancelIoEx(porta_, &escrita_);
            DWORD escritos = 0;
            ::GetOverlappedResult(porta_, &escrita_, &escritos, TRUE);
        }
        ::CloseHandle(escrita_.hEvent);
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

    // One write in flight at a time: while it is, the driver takes nothing more.
    Leitura<std::size_t> Escrever(std::string_view bytes) override {
        if (em_curso_ && !Escrita_Concluida()) {
            return {Resultado_Linha::Feito, 0};
        }
        pendente_.assign(bytes);
        ::ResetEvent(escrita_.hEvent);
        if (!::WriteFile(porta_, pendente_.data(), static_cast<DWORD>(pendente_.size()), nullptr,
                         &escrita_) &&
            ::GetLastError() != ERROR_IO_PENDING) {
            return {Resultado_Linha::Falhou, 0};
        }
        em_curso_ = true;
        return {Resultado_Linha::Feito, pendente_.size()};
    }

    void Esperar_Escrita(int ms) override {
        if (em_curso_) {
            ::WaitForSingleObject(escrita_.hEvent, static_cast<DWORD>(ms));
        }
    }

    Resultado_Linha Descartar_Saida() override {
        return Resultado_Windows(::PurgeComm(porta_, PURGE_TXABORT | PURGE_TXCLEAR));
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

    // The device's name stays in the object manager while it is plugged in.
    bool Dispositivo_Presente() override {
        const std::wstring caminho = dispositivo_.wstring();
        const std::wstring nome = caminho.substr(caminho.find_last_of(L'\\') + 1);
        wchar_t alvo[MAX_PATH];
        return ::QueryDosDeviceW(nome.c_str(), alvo, MAX_PATH) != 0;
    }

  private:
    bool Escrita_Concluida() {
        DWORD escritos = 0;
        if (!::GetOverlappedResult(porta_, &escrita_, &escritos, FALSE) &&
            ::GetLastError() == ERROR_IO_INCOMPLETE) {
            return false;
        }
        em_curso_ = false;
        return true;
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
    OVERLAPPED escrita_{};
    std::string pendente_;  // what the write in flight reads from
    bool em_curso_ = false;
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
