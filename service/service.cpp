#include "service/service.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "service/service_password.h"
#include "station/base_dir.h"
#include "station/history_wiring.h"
#include "station/publication_wiring.h"

namespace qx7 {

Servico::Servico(const std::filesystem::path& diretorio_base)
    : arquivo_preferencias_(Arquivo_No_Diretorio(diretorio_base, Arquivo_Preferencias)),
      estacao_({.diretorio_base = diretorio_base, .porta = nullptr}) {
    connect(&estacao_, &Estacao::Linha_Log, this, [this](const std::string& linha, bool aviso) {
        diario_.Linha(linha, aviso ? Prioridade::Aviso : Prioridade::Informacao);
    });
    connect(&estacao_, &Estacao::Conexao_Mudou, this, &Servico::Mostrar_Conexao);
    connect(&sinais_, &Sinais_Sistema::Encerrar, this, &Servico::Encerrar);
    connect(&sinais_, &Sinais_Sistema::Recarregar, this, &Servico::Recarregar);
}

int Servico::Executar() {
    if (!Ler_Senha()) {
        return Saida_Servico_Configuracao;
    }
    // Ready before the port: waiting for a busy or absent port is the service at work.
    systemd_.Pronto();
    const Ganchos_Inicializacao ganchos{
        .abrir_configuracao = [this](const std::string& motivo) { return Esperar_Porta(motivo); },
        .confirmar_saida = [this] { return encerrando_; },
    };
    if (estacao_.Iniciar(ganchos) == Inicio_Canal::Sair) {
        return Saida_Servico_Normal;
    }
    estacao_.Iniciar_Historico(Intervalo_Padrao_Servico);
    estacao_.Iniciar_Publicacao();
    connect(estacao_.Publicacao(), &Publicacao_Programa::Estado_Mudou, this,
            &Servico::Mostrar_Estado);
    estacao_.Logica_Medidor().Abrir_Conexao_Click();  // connects by itself
    QCoreApplication::exec();
    return Saida_Servico_Normal;
}

bool Servico::Ler_Senha() {
    const Senha_Servico lida = Ler_Senha_Servico(arquivo_preferencias_);
    if (!lida.recusa.isEmpty()) {
        diario_.Texto(lida.recusa, Prioridade::Erro);
        return false;
    }
    if (!lida.senha) {
        diario_.Texto(QStringLiteral("Sem senha em [Servico] Senha de %1: a conexão usa a senha "
                                     "vazia")
                          .arg(arquivo_preferencias_),
                      Prioridade::Aviso);
    }
    estacao_.Sem_Janela().Definir_Senha(lida.senha.value_or(std::string()));
    return true;
}

// There is no configuration screen here: the reason goes to the journal once, and the port
// is tried again a while later, until it opens or the service is stopped.
bool Servico::Esperar_Porta(const std::string& motivo) {
    if (motivo != motivo_porta_) {
        motivo_porta_ = motivo;
        diario_.Texto(QStringLiteral("Porta serial não aberta: %1; nova tentativa a cada %2 s")
                          .arg(QString::fromStdString(motivo))
                          .arg(Espera_Porta_ms / 1000),
                      Prioridade::Aviso);
        systemd_.Estado(
            QStringLiteral("Aguardando a porta serial: %1").arg(QString::fromStdString(motivo)));
    }
    QEventLoop espera;
    QTimer::singleShot(Espera_Porta_ms, &espera, &QEventLoop::quit);
    connect(&sinais_, &Sinais_Sistema::Encerrar, &espera, &QEventLoop::quit);
    espera.exec();
    return !encerrando_;
}

void Servico::Encerrar() {
    if (encerrando_) {
        return;
    }
    encerrando_ = true;
    systemd_.Parando();
    diario_.Texto(QStringLiteral("Encerrando: linha liberada, histórico gravado"),
                  Prioridade::Informacao);
    estacao_.Encerrar();
    QCoreApplication::quit();
}

void Servico::Recarregar() {
    diario_.Texto(QStringLiteral("Relendo %1").arg(arquivo_preferencias_), Prioridade::Informacao);
    Ler_Senha();
    if (Historico_Programa* historico = estacao_.Historico()) {
        historico->Reler_Preferencias();
    }
    if (Publicacao_Programa* publicacao = estacao_.Publicacao()) {
        publicacao->Reler();
    }
}

void Servico::Mostrar_Conexao(Conexao conexao) {
    conexao_ = conexao;
    Mostrar_Estado();
}

void Servico::Mostrar_Estado() {
    QString texto =
        QStringLiteral("Medidor: %1")
            .arg(QString::fromLatin1(Texto_Conexao(conexao_).data(),
                                     static_cast<qsizetype>(Texto_Conexao(conexao_).size())));
    if (const Publicacao_Programa* publicacao = estacao_.Publicacao()) {
        const Estado_Publicacao estado = publicacao->Estado();
        if (estado.situacao != Situacao_Publicacao::Desligada) {
            texto += QStringLiteral("; publicação %1").arg(Texto_Estado_Publicacao(estado));
        }
    }
    systemd_.Estado(texto);
}

int Executar_Servico(int argc, char** argv) {
    const QCoreApplication aplicacao(argc, argv);
    Servico servico(Diretorio_Base_Padrao());
    return servico.Executar();
}

}  // namespace qx7
