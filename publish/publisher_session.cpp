#include "publish/publisher_session.h"

#include <QDateTime>
#include <algorithm>

#include "publish/payloads.h"

namespace qx7 {

namespace {

using namespace std::chrono_literals;

// mosquitto_loop's wait: a new row or a stop is seen within it.
constexpr int Espera_Laco_ms = 100;
constexpr int Lote_Linhas = 256;
// Rarer streams first: an alarm is not held behind a week of readings.
constexpr std::array<Fluxo, Numero_Fluxos> Ordem_Fluxos = {Fluxo::Alarmes, Fluxo::Descargas,
                                                           Fluxo::Inventarios, Fluxo::Leituras};

qint64 Agora_ms() {
    return QDateTime::currentMSecsSinceEpoch();
}

QString Duracao(std::chrono::milliseconds d) {
    const auto minutos = std::chrono::duration_cast<std::chrono::minutes>(d).count();
    if (minutos < 1) {
        return QStringLiteral("%1 s").arg(
            std::chrono::duration_cast<std::chrono::seconds>(d).count());
    }
    if (minutos < 60) {
        return QStringLiteral("%1 min").arg(minutos);
    }
    return QStringLiteral("%1 h %2 min")
        .arg(minutos / 60)
        .arg(minutos % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

Sessao_Publicacao::Sessao_Publicacao(Publicador& publicador)
    : publicador_(publicador),
      opcoes_(publicador.opcoes_),
      ao_vivo_(opcoes_.arquivo_historico.isEmpty()),
      cliente_({.config = opcoes_.config,
                .identificador = {},
                .em_voo = static_cast<int>(opcoes_.janela),
                .confirmada = [this](int id) { Confirmada(id); }}),
      janela_(opcoes_.janela),
      saida_(opcoes_.arquivo_historico),
      ao_vivo_fila_(opcoes_.capacidade_ao_vivo) {
    estado_.servidor = opcoes_.config.Servidor();
    estado_.situacao = Situacao_Publicacao::Conectando;
}

bool Sessao_Publicacao::Parar() {
    const std::lock_guard trava(publicador_.mutex_);
    return publicador_.entrada_.parar;
}

void Sessao_Publicacao::Executar() {
    Atualizar_Estado();
    Abrir_Historico();
    while (!Parar()) {
        Receber_Entrada();
        if (!cliente_.Conectado()) {
            if (Relogio::now() < queda_.proxima) {
                Esperar(std::min(queda_.proxima, Relogio::now() + opcoes_.tempos.consulta));
                Manter();
                continue;
            }
            Conectar();
            continue;
        }
        Abastecer();
        if (const Falha_Mqtt falha = cliente_.Processar(Espera_Laco_ms)) {
            Falhou(falha, true);
            continue;
        }
        Manter();
    }
    Encerrar();
}

// Live readings become messages here, off the caller's thread.
void Sessao_Publicacao::Receber_Entrada() {
    std::deque<std::pair<qint64, Leitura_Recebida>> leituras;
    std::optional<QByteArray> enlace;
    {
        const std::lock_guard trava(publicador_.mutex_);
        leituras.swap(publicador_.entrada_.leituras);
        enlace.swap(publicador_.entrada_.enlace);
        descartadas_entrada_ = publicador_.entrada_.descartadas;
    }
    const QByteArray topico = opcoes_.config.Topico(QStringLiteral("leituras")).toUtf8();
    for (const auto& [instante, recebida] : leituras) {
        const Leitura_Historico leitura = Leitura_Ao_Vivo(recebida, instante);
        const QByteArray conteudo = Json_Leitura(leitura);
        ao_vivo_fila_.Enfileirar({.topico = topico, .conteudo = conteudo, .retida = false});
        tanques_.Definir(opcoes_.config.Topico(Topico_Tanque(leitura.tanque)).toUtf8(), conteudo);
    }
    if (enlace) {
        retidas_.Definir(opcoes_.config.Topico(QStringLiteral("enlace")).toUtf8(), *enlace);
    }
}

void Sessao_Publicacao::Conectar() {
    const Falha_Mqtt falha = cliente_.Conectar(
        opcoes_.tempos.prazo_conexao, [this] { return Parar(); },
        Mensagem_Mqtt{.topico = opcoes_.config.Topico(QStringLiteral("estado")).toUtf8(),
                      .conteudo = Json_Estado(false, std::nullopt),
                      .retida = true});
    if (falha) {
        Falhou(falha, false);
    } else {
        Conectou();
    }
}

// Everything that was out is sent again: rows from the cursors, the rest as it was.
void Sessao_Publicacao::Conectou() {
    janela_.Esquecer();
    retidas_.Esquecer();
    tanques_.Esquecer();
    ao_vivo_fila_.Esquecer();
    for (Fluxo fluxo : Todos_Fluxos) {
        fluxos_[Janela_Envio::Indice(fluxo)] = {
            .linhas = {}, .lida = janela_.Cursor(fluxo), .em_dia = false};
    }
    const QByteArray estado = opcoes_.config.Topico(QStringLiteral("estado")).toUtf8();
    if (const std::optional<int> id = cliente_.Publicar(
            {.topico = estado, .conteudo = Json_Estado(true, Agora_ms()), .retida = true})) {
        janela_.Enviada(*id, {.tipo = Origem_Mensagem::Tipo::Retida, .topico = estado});
    }
    const QString versao = cliente_.Versao() == Versao_Mqtt_5 ? QStringLiteral("MQTT 5")
                                                              : QStringLiteral("MQTT 3.1.1");
    if (queda_.relatada) {
        Relatar(Relato_Publicacao::Tipo::Linha,
                QStringLiteral("Publicação: conexão com %1 restabelecida após %2 (%3); %4 "
                               "registros à espera são publicados agora")
                    .arg(estado_.servidor,
                         Duracao(std::chrono::duration_cast<std::chrono::milliseconds>(
                             Relogio::now() - queda_.desde)),
                         versao)
                    .arg(Pendentes()));
    } else {
        Relatar(Relato_Publicacao::Tipo::Linha,
                QStringLiteral("Publicação: conectada a %1 (%2)").arg(estado_.servidor, versao));
    }
    queda_.relatada = false;
    conectada_em_ = Relogio::now();
    estado_.situacao = Situacao_Publicacao::Conectada;
    estado_.versao_mqtt = cliente_.Versao();
    Atualizar_Estado();
}

// Told once per outage, whether the connection dropped or the first attempt failed; the
// attempts that follow only update the state.
void Sessao_Publicacao::Falhou(const Falha_Mqtt& falha, bool estava_conectada) {
    Gravar_Cursores(true);
    const Relogio::time_point agora = Relogio::now();
    // A connection that drops soon after it came (another station taking the same client
    // identifier, say) goes on backing off instead of starting over every second.
    const bool estavel =
        estava_conectada && agora - conectada_em_ >= opcoes_.tempos.conexao_estavel;
    queda_.espera = estavel || queda_.espera.count() == 0
                        ? opcoes_.tempos.primeira_espera
                        : std::min(2 * queda_.espera, opcoes_.tempos.maior_espera);
    queda_.proxima = agora + queda_.espera;
    if (!queda_.relatada && !Parar()) {
        queda_.relatada = true;
        queda_.desde = agora;
        Relatar(
            Relato_Publicacao::Tipo::Aviso,
            QStringLiteral("Publicação: %1 %2: %3; novas tentativas a partir de %4 s, "
                           "até a cada %5 min")
                .arg(estava_conectada ? QStringLiteral("conexão perdida com")
                                      : QStringLiteral("sem conexão com"),
                     estado_.servidor, falha.texto)
                .arg(opcoes_.tempos.primeira_espera.count() / 1000.0)
                .arg(std::chrono::duration_cast<std::chrono::minutes>(opcoes_.tempos.maior_espera)
                         .count()));
    }
    estado_.situacao = Situacao_Publicacao::Sem_Conexao;
    estado_.ultimo_erro = falha.texto;
    estado_.versao_mqtt = 0;
    Atualizar_Estado();
}

void Sessao_Publicacao::Abastecer() {
    while (!janela_.Cheia()) {
        std::optional<Pronta> pronta = Proxima();
        if (!pronta) {
            return;
        }
        const std::optional<int> id = cliente_.Publicar(pronta->mensagem);
        if (!id) {
            return;  // the connection is gone: Processar says why
        }
        janela_.Enviada(*id, std::move(pronta->origem));
    }
}

std::optional<Sessao_Publicacao::Pronta> Sessao_Publicacao::Proxima() {
    if (std::optional<Mensagem_Mqtt> m = retidas_.Tomar()) {
        return Pronta{*m, {.tipo = Origem_Mensagem::Tipo::Retida, .topico = m->topico}};
    }
    if (auto vivo = ao_vivo_fila_.Tomar()) {
        return Pronta{
            vivo->second,
            {.tipo = Origem_Mensagem::Tipo::Ao_Vivo, .numero = static_cast<qint64>(vivo->first)}};
    }
    if (std::optional<Pronta> linha = Proxima_Linha()) {
        return linha;
    }
    // A tank's retained reading goes once the rows are out: during a backlog only the newest
    // of each tank is sent.
    if (std::optional<Mensagem_Mqtt> m = tanques_.Tomar()) {
        return Pronta{*m, {.tipo = Origem_Mensagem::Tipo::Retida, .topico = m->topico}};
    }
    return std::nullopt;
}

std::optional<Sessao_Publicacao::Pronta> Sessao_Publicacao::Proxima_Linha() {
    if (!saida_.Aberta()) {
        return std::nullopt;
    }
    for (Fluxo fluxo : Ordem_Fluxos) {
        Leitura_Fluxo& f = fluxos_[Janela_Envio::Indice(fluxo)];
        if (f.linhas.empty() && !f.em_dia) {
            std::vector<Linha_Fluxo> lote;
            saida_.Ler(fluxo, f.lida, Lote_Linhas, lote);
            f.em_dia = std::ssize(lote) < Lote_Linhas;
            f.linhas.insert(f.linhas.end(), std::make_move_iterator(lote.begin()),
                            std::make_move_iterator(lote.end()));
            f.lida = f.linhas.empty() ? f.lida : f.linhas.back().id;
        }
        if (f.linhas.empty()) {
            continue;
        }
        Linha_Fluxo linha = std::move(f.linhas.front());
        f.linhas.pop_front();
        if (linha.tanque > 0) {
            tanques_.Definir(opcoes_.config.Topico(Topico_Tanque(linha.tanque)).toUtf8(),
                             linha.conteudo);
        }
        return Pronta{
            {.topico = opcoes_.config.Topico(QLatin1String(Definicao(fluxo).topico)).toUtf8(),
             .conteudo = std::move(linha.conteudo),
             .retida = false},
            {.tipo = Origem_Mensagem::Tipo::Linha, .fluxo = fluxo, .numero = linha.id}};
    }
    return std::nullopt;
}

void Sessao_Publicacao::Confirmada(int id) {
    const std::optional<Origem_Mensagem> origem = janela_.Confirmada(id);
    if (!origem) {
        return;
    }
    switch (origem->tipo) {
        case Origem_Mensagem::Tipo::Linha:
            ++estado_.publicadas;
            break;
        case Origem_Mensagem::Tipo::Ao_Vivo:
            ++estado_.publicadas;
            ao_vivo_fila_.Confirmada(static_cast<std::uint64_t>(origem->numero));
            break;
        case Origem_Mensagem::Tipo::Retida:
            retidas_.Confirmada(origem->topico);
            tanques_.Confirmada(origem->topico);
            break;
    }
}

// Between network passes: the cursors written back, new rows looked for, the file reopened.
void Sessao_Publicacao::Manter() {
    Gravar_Cursores(false);
    const Relogio::time_point agora = Relogio::now();
    if (agora - consultado_em_ >= opcoes_.tempos.consulta) {
        Consultar();
    }
}

void Sessao_Publicacao::Consultar() {
    consultado_em_ = Relogio::now();
    const bool nada_fora = janela_.Em_Voo() == 0 &&
                           std::all_of(fluxos_.begin(), fluxos_.end(),
                                       [](const Leitura_Fluxo& f) { return f.linhas.empty(); });
    if (!ao_vivo_ && (!saida_.Aberta() ||
                      (nada_fora && consultado_em_ - aberto_em_ >= opcoes_.tempos.reabrir))) {
        Abrir_Historico();
    }
    for (Leitura_Fluxo& f : fluxos_) {
        f.em_dia = false;
    }
    Atualizar_Estado();
}

// A file replaced meanwhile (repaired, or started anew) has its own cursors.
void Sessao_Publicacao::Abrir_Historico() {
    if (ao_vivo_) {
        return;
    }
    Gravar_Cursores(true);
    aberto_em_ = Relogio::now();
    if (!saida_.Abrir()) {
        return;
    }
    const Cursores cursores = saida_.Ler_Cursores();
    janela_.Definir_Cursores(cursores);
    gravados_ = cursores;
    for (Fluxo fluxo : Todos_Fluxos) {
        fluxos_[Janela_Envio::Indice(fluxo)] = {
            .linhas = {}, .lida = janela_.Cursor(fluxo), .em_dia = false};
    }
}

// Written every half window of rows, or every interval: after a crash no more than that is
// sent again.
void Sessao_Publicacao::Gravar_Cursores(bool agora) {
    const Cursores& atual = janela_.Cursor();
    if (ao_vivo_ || !saida_.Aberta() || atual == gravados_) {
        return;
    }
    bool devido = agora || Relogio::now() - gravados_em_ >= opcoes_.tempos.gravar_cursores;
    for (std::size_t i = 0; i < Numero_Fluxos && !devido; ++i) {
        devido = atual[i] - gravados_[i] >= static_cast<qint64>(janela_.Limite() / 2);
    }
    if (devido && saida_.Gravar_Cursores(atual)) {
        gravados_ = atual;
        gravados_em_ = Relogio::now();
    }
}

void Sessao_Publicacao::Esperar(Relogio::time_point ate) {
    std::unique_lock trava(publicador_.mutex_);
    publicador_.acordar_.wait_until(trava, ate, [this] { return publicador_.entrada_.parar; });
}

// "offline" first, then a moment for what is out to be acknowledged, so the cursors written
// last are as far as they can be.
void Sessao_Publicacao::Encerrar() {
    if (cliente_.Conectado()) {
        const QByteArray estado = opcoes_.config.Topico(QStringLiteral("estado")).toUtf8();
        if (const std::optional<int> id = cliente_.Publicar(
                {.topico = estado, .conteudo = Json_Estado(false, Agora_ms()), .retida = true})) {
            janela_.Enviada(*id, {.tipo = Origem_Mensagem::Tipo::Retida, .topico = estado});
        }
        const Relogio::time_point fim = Relogio::now() + opcoes_.tempos.encerramento;
        while (janela_.Em_Voo() > 0 && Relogio::now() < fim &&
               !cliente_.Processar(Espera_Laco_ms / 10)) {
        }
        cliente_.Desconectar();
    }
    Gravar_Cursores(true);
    saida_.Fechar();
}

void Sessao_Publicacao::Relatar(Relato_Publicacao::Tipo tipo, const QString& linha) {
    if (opcoes_.relatar) {
        opcoes_.relatar({.tipo = tipo, .linha = linha});
    }
}

qint64 Sessao_Publicacao::Pendentes() {
    return ao_vivo_ ? static_cast<qint64>(ao_vivo_fila_.Tamanho())
                    : saida_.Pendentes(janela_.Cursor());
}

void Sessao_Publicacao::Atualizar_Estado() {
    estado_.pendentes = Pendentes();
    estado_.descartadas = ao_vivo_fila_.Descartadas() + descartadas_entrada_;
    {
        const std::lock_guard trava(publicador_.mutex_);
        if (publicador_.estado_ == estado_) {
            return;
        }
        publicador_.estado_ = estado_;
    }
    Relatar(Relato_Publicacao::Tipo::Estado, {});
}

}  // namespace qx7
