#pragma once
// The station: the serial port, the link, the gauge logic, the program-wide tables, the three
// timers and the history, with no widget. The panel it drives is Estado_Painel (values with
// signals); the log leaves through Linha_Log; what the operator must be told without a modal
// box leaves through Mensagem. The window program and the service are two front ends over it:
// each shows the state its own way and forwards what the operator or the service asks for.

#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>

#include "gauge/medidor.h"
#include "gauge/modal_screens.h"
#include "gauge/session.h"
#include "gauge/shared_tables.h"
#include "link/link.h"
#include "link/log_sink.h"
#include "link/serial_port.h"
#include "publish/publisher.h"
#include "station/headless_screens.h"
#include "station/panel_state.h"
#include "station/platform_qt.h"
#include "station/startup.h"

namespace qx7 {

class Historico_Programa;
class Porta_Serial_Qt;
class Publicacao_Programa;

inline constexpr int Intervalo_Timer1_ms = 1000;
inline constexpr int Intervalo_Timer2_ms = 1000;
inline constexpr int Intervalo_Timer3_ms = 25;

struct Opcoes_Estacao {
    std::filesystem::path diretorio_base;
    // The port to drive; null: the station's own serial port, COMn resolved in the base
    // directory (tests give a scripted one).
    PortaSerial* porta = nullptr;
};

class Estacao : public QObject {
    Q_OBJECT
  public:
    explicit Estacao(Opcoes_Estacao opcoes, QObject* parent = nullptr);
    ~Estacao() override;

    // The opening: "OFF-LINE", the port (its failures through `ganchos`), the disconnected
    // state, the timers and the "ID02" request. Sair: nothing was started.
    Inicio_Canal Iniciar(const Ganchos_Inicializacao& ganchos);
    // The history over the base directory, with the automatic reading every
    // `intervalo_padrao` minutes where the preferences set none (0: off).
    void Iniciar_Historico(int intervalo_padrao);
    // Publishing to the broker of [Publicacao] (nothing without it): over the history when it
    // was started before, otherwise live over the readings. `tempos`: tests shorten them.
    void Iniciar_Publicacao(Tempos_Publicacao tempos = {});
    // Drops DTR and RTS and closes the port, in this order, with the timers stopped: nothing
    // is sent afterwards. The history is written out when the station goes.
    void Encerrar();
    bool Ativa() const { return Timer3_.isActive(); }

    // The modal screens of a window; null: none (the service), nothing opens or waits.
    void Definir_Telas(Telas* telas);
    Telas_Sem_Janela& Sem_Janela() { return sem_janela_; }

    Variaveis_Programa& Variaveis() { return variaveis_; }
    PortaSerial& Canal() { return canal_; }
    Estado_Painel& Painel() { return painel_; }
    Enlace& Enlace_Serial() { return enlace_; }
    Medidor& Logica_Medidor() { return medidor_; }
    Registro& Log() { return registro_; }
    Historico_Programa* Historico() { return historico_.get(); }  // null before Iniciar_Historico
    Publicacao_Programa* Publicacao() {
        return publicacao_.get();
    }  // null before Iniciar_Publicacao

    // The real port's reports; the station's own port is wired to them, a scripted one is
    // driven through them by its test.
    void Porta_Perdida(const QString& linha);
    void Porta_Reaberta(const QString& linha);
    void Aviso_Porta(const QString& linha);

    // Something the operator must read, besides its log line: a window shows it without
    // blocking, one message per `chave` (a later one replaces its text), until it is taken
    // away; the service has nobody to show it to.
    void Informar(const QString& chave, const QString& titulo, const QString& texto) {
        emit Mensagem(chave, titulo, texto);
    }
    void Retirar_Mensagem(const QString& chave) { emit Mensagem_Retirada(chave); }

  signals:
    // Every line of the communication log, in the line's code page, as it is written.
    void Linha_Log(const std::string& linha, bool aviso);
    void Conexao_Mudou(qx7::Conexao conexao);
    void Mensagem(const QString& chave, const QString& titulo, const QString& texto);
    void Mensagem_Retirada(const QString& chave);

  private:
    // The link and the gauge logic write their lines here; they leave through Linha_Log.
    class Registro_Estacao : public Registro {
      public:
        explicit Registro_Estacao(Estacao& estacao) : estacao_(estacao) {}
        void Adicionar(std::string linha) override { emit estacao_.Linha_Log(linha, false); }
        void Adicionar_Aviso(std::string linha) override { emit estacao_.Linha_Log(linha, true); }

      private:
        Estacao& estacao_;
    };

    // The gauge logic holds one Telas for good; this one passes each call to the front end's
    // screens or, without any, to Telas_Sem_Janela.
    class Telas_Encaminhadas : public Telas {
      public:
        explicit Telas_Encaminhadas(Telas& padrao) : atual_(&padrao) {}
        void Apontar(Telas& telas) { atual_ = &telas; }
        void Abrir_Senha() override { atual_->Abrir_Senha(); }
        bool Abrir_Data() override { return atual_->Abrir_Data(); }
        void Abrir_Resultados() override { atual_->Abrir_Resultados(); }
        void Abrir_Inventario() override { atual_->Abrir_Inventario(); }
        void Aviso(std::string_view texto, std::string_view titulo) override {
            atual_->Aviso(texto, titulo);
        }

      private:
        Telas* atual_;
    };

    void Ligar_Porta_Propria();
    void Aguardar_Dispositivo(const std::string& motivo);
    void Ligar_Timers();
    void Timer3_Tick();

    Variaveis_Programa variaveis_;
    std::unique_ptr<Porta_Serial_Qt> porta_propria_;
    PortaSerial& canal_;
    Estado_Painel painel_;
    Plataforma_Qt plataforma_;
    Registro_Estacao registro_{*this};
    Telas_Sem_Janela sem_janela_{variaveis_, registro_};
    Telas_Encaminhadas telas_{sem_janela_};
    Enlace enlace_{canal_, plataforma_, registro_, painel_};
    Medidor medidor_{variaveis_, painel_, telas_, enlace_, plataforma_};
    QTimer Timer1_{this};
    QTimer Timer2_{this};
    QTimer Timer3_{this};
    // Late, so it goes early: its counters and queue are written while the link still exists.
    std::unique_ptr<Historico_Programa> historico_;
    // Last, so it goes first: "offline" and its cursors written, its sink of live readings
    // taken from the gauge logic.
    std::unique_ptr<Publicacao_Programa> publicacao_;
};

}  // namespace qx7
