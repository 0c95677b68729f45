#include "station/publication_wiring.h"

#include <QDateTime>

#include "station/publication_settings.h"
#include "station/station.h"
#include "text/qt_1252.h"

namespace qx7 {

Publicacao_Programa::Publicacao_Programa(Estacao& estacao, QString arquivo_preferencias,
                                         QString arquivo_historico, Tempos_Publicacao tempos)
    : estacao_(estacao),
      arquivo_preferencias_(std::move(arquivo_preferencias)),
      arquivo_historico_(std::move(arquivo_historico)),
      tempos_(tempos),
      inicio_ms_(QDateTime::currentMSecsSinceEpoch()) {
    connect(&contadores_, &QTimer::timeout, this, &Publicacao_Programa::Contadores);
    contadores_.start(Intervalo_Enlace_ms);
    if (arquivo_historico_.isEmpty()) {
        estacao_.Logica_Medidor().Definir_Historico(&ao_vivo_);
    }
    Aplicar(Ler_Publicacao(arquivo_preferencias_));
}

Publicacao_Programa::~Publicacao_Programa() {
    if (arquivo_historico_.isEmpty()) {
        estacao_.Logica_Medidor().Definir_Historico(nullptr);
    }
    publicador_.reset();
}

void Publicacao_Programa::Reler() {
    const Leitura_Publicacao leitura = Ler_Publicacao(arquivo_preferencias_);
    if (leitura.config == config_ && leitura.recusa == parada_.ultimo_erro) {
        return;
    }
    Aplicar(leitura);
}

// The old publisher ends (its "offline" and cursors written) before the new one starts.
void Publicacao_Programa::Aplicar(const Leitura_Publicacao& leitura) {
    publicador_.reset();
    config_ = leitura.config;
    parada_ = {};
    if (!leitura.recusa.isEmpty()) {
        parada_ = {.situacao = Situacao_Publicacao::Recusada, .ultimo_erro = leitura.recusa};
        estacao_.Log().Adicionar_Aviso(
            Para_1252(QStringLiteral("Publicação recusada: %1").arg(leitura.recusa)));
    }
    if (!leitura.aviso.isEmpty()) {
        estacao_.Log().Adicionar_Aviso(
            Para_1252(QStringLiteral("Publicação: %1").arg(leitura.aviso)));
    }
    if (config_) {
        publicador_ = std::make_unique<Publicador>(Opcoes_Publicador{
            .config = *config_,
            .arquivo_historico = arquivo_historico_,
            .relatar =
                [this](const Relato_Publicacao& relato) {
                    // Reported on the publisher's thread; told on the station's.
                    QMetaObject::invokeMethod(
                        this, [this, relato] { Relatado(relato); }, Qt::QueuedConnection);
                },
            .tempos = tempos_,
        });
        Contadores();
    }
    emit Estado_Mudou();
}

void Publicacao_Programa::Relatado(const Relato_Publicacao& relato) {
    switch (relato.tipo) {
        case Relato_Publicacao::Tipo::Linha:
            estacao_.Log().Adicionar(Para_1252(relato.linha));
            break;
        case Relato_Publicacao::Tipo::Aviso:
            estacao_.Log().Adicionar_Aviso(Para_1252(relato.linha));
            break;
        case Relato_Publicacao::Tipo::Estado:
            emit Estado_Mudou();
            break;
    }
}

void Publicacao_Programa::Contadores() {
    if (publicador_) {
        publicador_->Contadores_Enlace(estacao_.Enlace_Serial().Estatisticas(), inicio_ms_,
                                       QDateTime::currentMSecsSinceEpoch());
    }
}

void Publicacao_Programa::Leituras_Ao_Vivo::Leitura(const Leitura_Recebida& leitura, bool) {
    if (dono_.publicador_) {
        dono_.publicador_->Leitura_Ao_Vivo(leitura, QDateTime::currentMSecsSinceEpoch());
    }
}

Estado_Publicacao Publicacao_Programa::Estado() const {
    return publicador_ ? publicador_->Estado() : parada_;
}

Servicos_Publicacao Publicacao_Programa::Servicos() {
    return {.estado = [this] { return Estado(); },
            .arquivo_preferencias = arquivo_preferencias_,
            .reler = [this] { Reler(); }};
}

}  // namespace qx7
