#include "tests/e2e/program_session.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <optional>

#include "app/log_model.h"
#include "link/codepage.h"
#include "link/frame.h"
#include "station/base_dir.h"
#include "text/qt_1252.h"

namespace qx7::e2e {

namespace {

// A frame or acknowledgement character as the log shows it, by its payload.
QString Unidade(std::string_view bytes) {
    if (bytes == std::string_view(&ACK, 1)) {
        return QStringLiteral("ACK");
    }
    if (bytes == std::string_view(&NAK, 1)) {
        return QStringLiteral("NAK");
    }
    if (bytes.size() >= 3 && bytes.front() == STX) {
        const std::size_t fim = bytes.find(ETX);
        if (fim != std::string_view::npos) {
            return De_1252(bytes.substr(1, fim - 1));
        }
    }
    return De_1252(bytes);
}

// "Tam.Msg.TX= 008 Msg.TX= <frame>" is a transmission; "#Msg.=0003 Tam.Msg.RX= 009 Msg.RX= ..."
// a received unit. Queue lines of requests ("#Msg.=... Msg.TX= ID01") never reached the wire.
std::optional<QString> Unidade_No_Fio(std::string_view linha) {
    constexpr std::string_view Transmitida = "Tam.Msg.TX= ";
    constexpr std::string_view Recebida = " Msg.RX= ";
    if (linha.starts_with(Transmitida)) {
        const std::size_t inicio = linha.find(" Msg.TX= ");
        return QStringLiteral("TX ") + Unidade(linha.substr(inicio + 9));
    }
    if (linha.starts_with("#Msg.=")) {
        const std::size_t inicio = linha.find(Recebida);
        if (inicio != std::string_view::npos) {
            return QStringLiteral("RX ") + Unidade(linha.substr(inicio + Recebida.size()));
        }
    }
    return std::nullopt;
}

}  // namespace

Diretorio_Base_Teste::Diretorio_Base_Teste()
    : base(std::filesystem::path(diretorio.path().toStdString()) / "") {
    Gravar_Configuracao("COM1\r\n");
}

void Diretorio_Base_Teste::Gravar_Configuracao(const std::string& conteudo) const {
    std::ofstream(Arquivo_Configuracao(base), std::ios::binary | std::ios::trunc) << conteudo;
}

Sessao::Sessao(QStringList opcoes)
    : simulador_(std::make_unique<Processo_Simulador>(base_.base, 1, std::move(opcoes))) {
    if (!simulador_->Pronto()) {
        ADD_FAILURE() << "simulator not ready:\n" << simulador_->Saida().toStdString();
        return;
    }
    programa_ = std::make_unique<Programa>(base_.base);
    iniciada_ = programa_->Iniciar();
}

bool Sessao::Trocar_Simulador(QStringList opcoes) {
    simulador_.reset();
    simulador_ = std::make_unique<Processo_Simulador>(base_.base, 1, std::move(opcoes));
    return simulador_->Pronto();
}

QWidget& Sessao::Painel() {
    return programa_->Painel();
}

void Sessao::Clicar(const char* botao_utf8) {
    auto* botao = Achar<QAbstractButton>(botao_utf8);
    if (botao == nullptr || !botao->isEnabled()) {
        ADD_FAILURE() << botao_utf8 << (botao == nullptr ? " not found" : " disabled");
        return;
    }
    botao->click();
}

QString Sessao::Texto(const char* controle_utf8) {
    const QString nome = QString::fromUtf8(controle_utf8);
    if (auto* caixa = Painel().findChild<QLineEdit*>(nome)) {
        return caixa->text();
    }
    if (auto* rotulo = Painel().findChild<QLabel*>(nome)) {
        return rotulo->text();
    }
    ADD_FAILURE() << "no text control " << controle_utf8;
    return {};
}

void Sessao::Escrever(const char* caixa_utf8, const QString& texto) {
    auto* caixa = Achar<QLineEdit>(caixa_utf8);
    if (caixa == nullptr) {
        ADD_FAILURE() << "no box " << caixa_utf8;
        return;
    }
    caixa->setFocus();
    caixa->clear();
    QTest::keyClicks(caixa, texto);
}

bool Sessao::Habilitado(const char* controle_utf8) {
    auto* controle = Achar<QWidget>(controle_utf8);
    return controle != nullptr && controle->isEnabled();
}

bool Sessao::Conectar(const QString& senha, int espera_ms) {
    operador_.Quando(QStringLiteral("Form3"), [senha](QWidget& tela) {
        Digitar(tela, "Senha", senha);
        e2e::Clicar(tela, "Validar_Senha");
    });
    Clicar("Abrir_Conexão");
    return Esperar([this] { return Habilitado("Frame5"); }, espera_ms);
}

std::vector<std::string> Sessao::Log() {
    std::vector<std::string> linhas;
    auto* lista = Achar<QAbstractItemView>("Msg_Log");
    if (lista == nullptr || lista->model() == nullptr) {
        ADD_FAILURE() << "no Msg_Log list";
        return linhas;
    }
    const QAbstractItemModel& modelo = *lista->model();
    for (int i = 0; i < modelo.rowCount(); ++i) {
        const QByteArray bytes =
            modelo.data(modelo.index(i, 0), Modelo_Log::Papel_Bytes).toByteArray();
        linhas.emplace_back(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return linhas;
}

int Sessao::Linhas_Iguais(const char* linha_utf8) {
    const std::vector<std::string> linhas = Log();
    return static_cast<int>(std::count(linhas.begin(), linhas.end(), cp1252(linha_utf8)));
}

QStringList Sessao::Fio(int desde) {
    QStringList fio;
    const std::vector<std::string> linhas = Log();
    for (std::size_t i = static_cast<std::size_t>(std::max(desde, 0)); i < linhas.size(); ++i) {
        if (const auto unidade = Unidade_No_Fio(linhas[i])) {
            fio.append(*unidade);
        }
    }
    return fio;
}

std::string Texto_Do_Log(Programa& programa) {
    std::string texto;
    const Modelo_Log& log = programa.Painel().Log();
    for (int i = 0; i < log.rowCount(); ++i) {
        texto += De_1252(log.Linha(i)).toStdString() + "\n";
    }
    return texto;
}

bool Esperar_Linha(Sessao& sessao, const char* linha_utf8, int vezes, int ms) {
    return Esperar([&] { return sessao.Linhas_Iguais(linha_utf8) >= vezes; }, ms);
}

}  // namespace qx7::e2e
