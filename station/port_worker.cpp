#include "station/port_worker.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string_view>
#include <thread>
#include <type_traits>
#include <variant>

#include "link/output_drain.h"

namespace qx7 {

namespace {

constexpr int Intervalo_Escrita_ms = 10;  // how long a full driver is waited on at a time

struct Escrita {
    std::string bytes;
};

struct Mudanca_Linha {
    Sinal_Saida sinal;
    bool ligado;
};

struct Pedido_Amostra {};
struct Pedido_Confirmacao {};

using Comando = std::variant<Escrita, Mudanca_Linha, Pedido_Amostra, Pedido_Confirmacao>;

Resultado_Linha Resultado_De(Resultado_Linha resultado) {
    return resultado;
}

template <typename T>
Resultado_Linha Resultado_De(const Leitura<T>& leitura) {
    return leitura.resultado;
}

}  // namespace

struct Trabalhador_Porta::Comum {
    mutable std::mutex mutex;
    std::condition_variable acordar;
    std::deque<Comando> fila;
    bool encerrar = false;
    std::int64_t bytes_na_fila = 0;
    // When the last byte handed to the driver can have left the line, at the earliest.
    Relogio_Linha::time_point fim_no_fio{};
    Parametros_Serial parametros;
    // The thread has a command in hand (or is preparing the line); while it has none and
    // nothing is queued, the window's thread may write and read the kernel's queue itself.
    bool ocupado = true;
    int fila_kernel = 0;  // the kernel's output queue after the thread's last write
    int falhas_seguidas = 0;
    std::optional<Relogio_Linha::time_point> chamada_desde;
    std::chrono::milliseconds limite_chamada{1000};
    Ouvintes ouvintes;

    // The thread's, or the window's thread's while the thread is idle (see ocupado).
    std::unique_ptr<Linha_Serial> linha;
    bool rs485_pedido = false;
    bool rs485_ativo = false;
};

namespace {

using Comum = Trabalhador_Porta::Comum;

void Enfileirar(Comum& c, Comando comando) {
    {
        const std::lock_guard trava(c.mutex);
        if (c.encerrar) {
            return;
        }
        c.fila.push_back(std::move(comando));
    }
    c.acordar.notify_all();
}

std::optional<Comando> Proximo(Comum& c) {
    std::unique_lock trava(c.mutex);
    c.ocupado = false;
    c.acordar.wait(trava, [&c] { return !c.fila.empty() || c.encerrar; });
    if (c.fila.empty()) {
        return std::nullopt;
    }
    c.ocupado = true;
    Comando comando = std::move(c.fila.front());
    c.fila.pop_front();
    return comando;
}

bool Ociosa(const Comum& c) {
    return !c.ocupado && c.fila.empty() && !c.encerrar;
}

bool Encerrando(const Comum& c) {
    const std::lock_guard trava(c.mutex);
    return c.encerrar;
}

// False when the port is closing: waits end at once then.
bool Dormir_Ate(Comum& c, Relogio_Linha::time_point instante) {
    std::unique_lock trava(c.mutex);
    return !c.acordar.wait_until(trava, instante, [&c] { return c.encerrar; });
}

// One call on the device, timed for the window's watch and counted: an answer of any kind
// clears the run of failures.
template <typename Funcao>
auto Chamar(Comum& c, Funcao&& funcao) {
    {
        const std::lock_guard trava(c.mutex);
        c.chamada_desde = Relogio_Linha::now();
    }
    auto resultado = funcao(*c.linha);
    const std::lock_guard trava(c.mutex);
    c.chamada_desde.reset();
    if constexpr (!std::is_same_v<decltype(resultado), bool>) {
        const bool falhou = Resultado_De(resultado) == Resultado_Linha::Falhou;
        c.falhas_seguidas = falhou ? c.falhas_seguidas + 1 : 0;
    }
    return resultado;
}

template <typename Chamada>
void Relatar(Comum& c, Chamada&& chamada) {
    const std::lock_guard trava(c.mutex);
    chamada(c.ouvintes);
}

// With the mutex held: `bytes` handed to the driver just now.
void Marcar_No_Fio(Comum& c, std::size_t bytes) {
    const auto tempo = Tempo_Linha(static_cast<std::int64_t>(bytes), c.parametros);
    c.fim_no_fio = std::max(c.fim_no_fio, Relogio_Linha::now()) + tempo;
}

void Registrar_No_Fio(Comum& c, std::size_t bytes) {
    const std::lock_guard trava(c.mutex);
    Marcar_No_Fio(c, bytes);
    c.bytes_na_fila -= static_cast<std::int64_t>(bytes);
}

void Escrever_Tudo(Comum& c, std::string_view resto) {
    auto progresso = Relogio_Linha::now();
    while (!resto.empty() && !Encerrando(c)) {
        const Leitura<std::size_t> escrita =
            Chamar(c, [resto](Linha_Serial& l) { return l.Escrever(resto); });
        if (escrita.resultado != Resultado_Linha::Feito) {
            break;
        }
        if (escrita.valor > 0) {
            Registrar_No_Fio(c, escrita.valor);
            resto.remove_prefix(std::min(escrita.valor, resto.size()));
            progresso = Relogio_Linha::now();
        } else if (Relogio_Linha::now() - progresso >= c.limite_chamada) {
            const std::lock_guard trava(c.mutex);
            ++c.falhas_seguidas;  // the driver took nothing for a whole limit
            break;
        } else {
            c.linha->Esperar_Escrita(Intervalo_Escrita_ms);
        }
    }
    const Leitura<int> fila = Chamar(c, [](Linha_Serial& l) { return l.Fila_Saida(); });
    const std::lock_guard trava(c.mutex);
    c.fila_kernel = fila.resultado == Resultado_Linha::Feito ? fila.valor : 0;
    c.bytes_na_fila =
        std::max<std::int64_t>(c.bytes_na_fila - static_cast<std::int64_t>(resto.size()), 0);
}

std::int64_t Pendentes_Kernel(Comum& c) {
    const Leitura<int> fila = Chamar(c, [](Linha_Serial& l) { return l.Fila_Saida(); });
    const Leitura<bool> vazio = Chamar(c, [](Linha_Serial& l) { return l.Transmissor_Vazio(); });
    std::int64_t pendentes = fila.resultado == Resultado_Linha::Feito ? fila.valor : 0;
    if (vazio.resultado == Resultado_Linha::Feito && !vazio.valor) {
        ++pendentes;
    }
    return pendentes;
}

// An RS-485 adapter turns its driver around on RTS: the frame's last bit must be out first.
// USB adapters report an empty queue as soon as the chip took the bytes, so the line time is
// waited for whatever they say, and their reports can only make the wait longer.
void Esperar_Linha_Livre(Comum& c) {
    Relogio_Linha::time_point nao_antes;
    Parametros_Serial parametros;
    {
        const std::lock_guard trava(c.mutex);
        parametros = c.parametros;
        nao_antes = c.fim_no_fio + Tempo_Linha(1, parametros);
    }
    const Ambiente_Escoamento ambiente{
        .agora = [] { return Relogio_Linha::now(); },
        .dormir_ate = [&c](Relogio_Linha::time_point t) { return Dormir_Ate(c, t); },
        .pendentes = [&c] { return Pendentes_Kernel(c); },
    };
    Esperar_Escoamento(ambiente, nao_antes, parametros);
}

std::optional<Trabalhador_Porta::Amostra> Ler_Amostra(Comum& c) {
    const Leitura<Linhas_Modem> linhas = Chamar(c, [](Linha_Serial& l) { return l.Ler_Linhas(); });
    if (linhas.resultado == Resultado_Linha::Falhou) {
        return std::nullopt;
    }
    const Leitura<Contadores_Erro> contadores =
        Chamar(c, [](Linha_Serial& l) { return l.Ler_Contadores(); });
    if (contadores.resultado == Resultado_Linha::Falhou) {
        return std::nullopt;
    }
    Trabalhador_Porta::Amostra amostra;
    if (linhas.resultado == Resultado_Linha::Feito) {
        amostra.linhas = linhas.valor;
    }
    if (contadores.resultado == Resultado_Linha::Feito) {
        amostra.contadores = contadores.valor;
    }
    return amostra;
}

void Amostrar_Linhas(Comum& c) {
    const std::optional<Trabalhador_Porta::Amostra> amostra = Ler_Amostra(c);
    Relatar(c, [&amostra](const Trabalhador_Porta::Ouvintes& o) {
        if (o.amostra) {
            o.amostra(amostra);
        }
    });
}

void Confirmar(Comum& c) {
    const bool perdida =
        Chamar(c, [](Linha_Serial& l) { return !l.Terminal_Vivo() || !l.Dispositivo_Presente(); });
    Relatar(c, [perdida](const Trabalhador_Porta::Ouvintes& o) {
        if (o.confirmacao) {
            o.confirmacao(perdida);
        }
    });
}

struct Execucao {
    Comum& c;

    void operator()(const Escrita& escrita) const { Escrever_Tudo(c, escrita.bytes); }

    void operator()(const Mudanca_Linha& mudanca) const {
        const bool rts = mudanca.sinal == Sinal_Saida::RTS;
        if (rts && c.rs485_ativo) {
            return;  // the kernel switches the driver itself
        }
        if (rts && !mudanca.ligado) {
            Esperar_Linha_Livre(c);
        }
        Chamar(c, [&mudanca](Linha_Serial& l) { return l.Definir(mudanca.sinal, mudanca.ligado); });
    }

    void operator()(const Pedido_Amostra&) const { Amostrar_Linhas(c); }
    void operator()(const Pedido_Confirmacao&) const { Confirmar(c); }
};

void Preparar(Comum& c) {
    Chamar(c, [](Linha_Serial& l) { return l.Fechar_Sem_Esperar(); });
    if (!c.rs485_pedido) {
        return;
    }
    c.rs485_ativo =
        Chamar(c, [](Linha_Serial& l) { return l.Ativar_RS485(); }) == Resultado_Linha::Feito;
    if (!c.rs485_ativo) {
        Relatar(c, [](const Trabalhador_Porta::Ouvintes& o) {
            if (o.rs485_recusado) {
                o.rs485_recusado();
            }
        });
    }
}

void Rodar(const std::shared_ptr<Comum>& c) {
    Preparar(*c);
    while (const std::optional<Comando> comando = Proximo(*c)) {
        std::visit(Execucao{*c}, *comando);
    }
    Chamar(*c, [](Linha_Serial& l) { return l.Descartar_Saida(); });
    c->linha.reset();  // the last close of the device, however long its driver takes
}

}  // namespace

Trabalhador_Porta::Trabalhador_Porta(std::unique_ptr<Linha_Serial> linha,
                                     const Configuracao& configuracao, Ouvintes ouvintes)
    : comum_(std::make_shared<Comum>()) {
    comum_->linha = std::move(linha);
    comum_->parametros = configuracao.parametros;
    comum_->rs485_pedido = configuracao.rs485;
    comum_->limite_chamada = std::max(configuracao.limite_chamada, std::chrono::milliseconds(1));
    comum_->ouvintes = std::move(ouvintes);
    std::thread(Rodar, comum_).detach();
}

Trabalhador_Porta::~Trabalhador_Porta() {
    Encerrar();
}

void Trabalhador_Porta::Escrever(std::string bytes) {
    if (bytes.empty()) {
        return;
    }
    Comum& c = *comum_;
    {
        const std::lock_guard trava(c.mutex);
        if (c.encerrar) {
            return;
        }
        // Everything asked before is done, so the bytes may go now; a write never waits (the
        // descriptor is non-blocking), so this thread makes it, in line with what came before.
        if (Ociosa(c)) {
            const Leitura<std::size_t> escrita = c.linha->Escrever(bytes);
            if (escrita.resultado == Resultado_Linha::Falhou) {
                ++c.falhas_seguidas;
                return;
            }
            if (escrita.valor > 0) {
                Marcar_No_Fio(c, escrita.valor);
                bytes.erase(0, std::min(escrita.valor, bytes.size()));
            }
            if (bytes.empty()) {
                return;
            }
        }
        c.bytes_na_fila += static_cast<std::int64_t>(bytes.size());
        c.fila.push_back(Escrita{std::move(bytes)});
    }
    c.acordar.notify_all();
}

void Trabalhador_Porta::Definir_DTR(bool ligado) {
    Enfileirar(*comum_, Mudanca_Linha{Sinal_Saida::DTR, ligado});
}

void Trabalhador_Porta::Definir_RTS(bool ligado) {
    Enfileirar(*comum_, Mudanca_Linha{Sinal_Saida::RTS, ligado});
}

void Trabalhador_Porta::Amostrar() {
    Enfileirar(*comum_, Pedido_Amostra{});
}

void Trabalhador_Porta::Confirmar_Perda() {
    Enfileirar(*comum_, Pedido_Confirmacao{});
}

void Trabalhador_Porta::Definir_Parametros(const Parametros_Serial& parametros) {
    const std::lock_guard trava(comum_->mutex);
    comum_->parametros = parametros;
}

void Trabalhador_Porta::Encerrar() {
    {
        const std::lock_guard trava(comum_->mutex);
        if (comum_->encerrar) {
            return;
        }
        comum_->encerrar = true;
        comum_->ouvintes = {};
        std::erase_if(comum_->fila,
                      [](const Comando& c) { return !std::holds_alternative<Mudanca_Linha>(c); });
        comum_->bytes_na_fila = 0;
    }
    comum_->acordar.notify_all();
}

// The kernel's queue is the driver's own count, never asked of the device, so reading it here
// cannot wait; while the thread is busy its last reading stands in.
int Trabalhador_Porta::Saida_Pendente() const {
    Comum& c = *comum_;
    const std::lock_guard trava(c.mutex);
    int kernel = c.fila_kernel;
    if (Ociosa(c)) {
        const Leitura<int> fila = c.linha->Fila_Saida();
        kernel = fila.resultado == Resultado_Linha::Feito ? fila.valor : 0;
    }
    return static_cast<int>(c.bytes_na_fila) + kernel;
}

int Trabalhador_Porta::Falhas() const {
    const std::lock_guard trava(comum_->mutex);
    int falhas = comum_->falhas_seguidas;
    if (comum_->chamada_desde) {
        falhas += static_cast<int>((Relogio_Linha::now() - *comum_->chamada_desde) /
                                   comum_->limite_chamada);
    }
    return falhas;
}

}  // namespace qx7
