#pragma once
// The publisher's thread: the connection with its back-off, what is sent next, the
// acknowledgements, the cursors written back, and the state and log lines reported. Nothing
// here is touched by another thread except through the publisher's lock.

#include <QByteArray>
#include <array>
#include <chrono>
#include <deque>
#include <optional>

#include "publish/mqtt_client.h"
#include "publish/outbox_file.h"
#include "publish/pending_messages.h"
#include "publish/publisher.h"
#include "publish/send_window.h"

namespace qx7 {

class Sessao_Publicacao {
  public:
    explicit Sessao_Publicacao(Publicador& publicador);

    void Executar();  // until asked to stop

  private:
    using Relogio = std::chrono::steady_clock;

    // What is sent next, and what its acknowledgement will stand for.
    struct Pronta {
        Mensagem_Mqtt mensagem;
        Origem_Mensagem origem;
    };
    // The rows read ahead of one stream.
    struct Leitura_Fluxo {
        std::deque<Linha_Fluxo> linhas;
        qint64 lida = 0;      // the last id read
        bool em_dia = false;  // nothing more until the next look
    };
    // The outage being followed, for its one line at each end.
    struct Queda {
        bool relatada = false;
        Relogio::time_point desde{};
        std::chrono::milliseconds espera{0};
        Relogio::time_point proxima{};
    };

    bool Parar();
    void Receber_Entrada();
    void Conectar();
    void Conectou();
    void Falhou(const Falha_Mqtt& falha, bool estava_conectada);
    void Abastecer();
    std::optional<Pronta> Proxima();
    std::optional<Pronta> Proxima_Linha();
    void Confirmada(int id);
    void Manter();
    void Consultar();
    void Abrir_Historico();
    void Gravar_Cursores(bool agora);
    void Esperar(Relogio::time_point ate);
    void Encerrar();
    void Relatar(Relato_Publicacao::Tipo tipo, const QString& linha);
    qint64 Pendentes();
    void Atualizar_Estado();

    Publicador& publicador_;
    const Opcoes_Publicador& opcoes_;
    const bool ao_vivo_;
    Cliente_Mqtt cliente_;
    Janela_Envio janela_;
    Saida_Historico saida_;
    Mensagens_Retidas retidas_;  // the link's counters
    Mensagens_Retidas tanques_;  // each tank's last reading, behind the rows
    Fila_Ao_Vivo ao_vivo_fila_;
    std::array<Leitura_Fluxo, Numero_Fluxos> fluxos_{};
    Cursores gravados_{};  // as last written to the file
    Relogio::time_point gravados_em_{};
    Relogio::time_point consultado_em_{};
    Relogio::time_point aberto_em_{};
    Relogio::time_point conectada_em_{};
    Queda queda_;
    Estado_Publicacao estado_;
    std::uint64_t descartadas_entrada_ = 0;
};

}  // namespace qx7
