#include "screens/history/alarm_settings_editor.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "screens/history/table_cells.h"
#include "station/alarm_settings.h"
#include "widgets/colours.h"

namespace qx7 {

namespace {

constexpr int Colunas_Gerais = 3;  // label and field pairs in a row

// In the regional form, without thousands separators, so it reads back as typed.
QString Texto(std::optional<double> valor) {
    if (!valor) {
        return {};
    }
    QLocale regional;
    regional.setNumberOptions(QLocale::OmitGroupSeparator);
    return regional.toString(*valor, 'g', 15);
}

// A field as typed: none when empty; `motivo` filled when it is not a number.
std::optional<double> Campo(const QString& texto, const QString& chave, QString& motivo) {
    if (texto.trimmed().isEmpty()) {
        return std::nullopt;
    }
    const std::optional<double> numero = Numero_Preferencia(texto);
    if (!numero && motivo.isEmpty()) {
        motivo = Motivo_Nao_Numero(chave, texto);
    }
    return numero;
}

}  // namespace

Editor_Alarmes::Editor_Alarmes(const Servicos_Alarmes& servicos, QWidget* parent)
    : QWidget(parent), servicos_(servicos) {
    niveis_ =
        new QTableWidget(Maximo_Tanques_Alarme + 1, static_cast<int>(Chaves_Nivel.size()), this);
    niveis_->setObjectName(QStringLiteral("Niveis_Alarmes"));
    QStringList colunas, linhas{QStringLiteral("Padrão")};
    for (const Chave_Nivel& c : Chaves_Nivel) {
        colunas << QLatin1String(c.nome) + QStringLiteral(" (%)");
    }
    for (int t = 1; t <= Maximo_Tanques_Alarme; ++t) {
        linhas << QStringLiteral("Tanque%1").arg(t);
    }
    niveis_->setHorizontalHeaderLabels(colunas);
    niveis_->setVerticalHeaderLabels(linhas);
    niveis_->verticalHeader()->setDefaultSectionSize(Altura_Linha(*niveis_));
    niveis_->setMinimumHeight(Altura_Linha(*niveis_) * 6);

    auto* gerais = new QGridLayout;
    for (std::size_t i = 0; i < Chaves_Gerais.size(); ++i) {
        auto* campo = new QLineEdit(this);
        campo->setObjectName(QLatin1String(Chaves_Gerais[i].nome));
        const int linha = static_cast<int>(i) / Colunas_Gerais;
        const int coluna = 2 * (static_cast<int>(i) % Colunas_Gerais);
        gerais->addWidget(new QLabel(QLatin1String(Chaves_Gerais[i].nome), this), linha, coluna);
        gerais->addWidget(campo, linha, coluna + 1);
        gerais_.push_back(campo);
    }
    auto* gravar = new QPushButton(QStringLiteral("Gravar"), this);
    gravar->setObjectName(QStringLiteral("Gravar_Alarmes"));
    connect(gravar, &QPushButton::clicked, this, &Editor_Alarmes::Gravar_Click);
    resultado_ = new QLabel(this);
    resultado_->setObjectName(QStringLiteral("Resultado_Alarmes"));
    resultado_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(niveis_, 1);
    layout->addLayout(gerais);
    auto* rodape = new QHBoxLayout;
    rodape->addWidget(resultado_, 1);
    rodape->addWidget(gravar);
    layout->addLayout(rodape);
    Mostrar();
}

void Editor_Alarmes::Mostrar() {
    Preencher(servicos_.config ? servicos_.config() : Config_Alarmes{});
}

void Editor_Alarmes::Preencher(const Config_Alarmes& config) {
    for (int t = 0; t <= Maximo_Tanques_Alarme; ++t) {
        const auto proprios = config.tanques.find(t);
        const Limites_Nivel limites = t == 0                             ? config.padrao
                                      : proprios != config.tanques.end() ? proprios->second
                                                                         : Limites_Nivel{};
        for (std::size_t c = 0; c < Chaves_Nivel.size(); ++c) {
            niveis_->setItem(t, static_cast<int>(c),
                             new QTableWidgetItem(Texto(limites.*Chaves_Nivel[c].membro)));
        }
    }
    for (std::size_t i = 0; i < Chaves_Gerais.size(); ++i) {
        const Chave_Geral& c = Chaves_Gerais[i];
        gerais_[i]->setText(
            Texto(c.real != nullptr ? config.*c.real : static_cast<double>(config.*c.inteiro)));
    }
}

std::optional<Config_Alarmes> Editor_Alarmes::Lida(QString& motivo) const {
    Config_Alarmes config;
    for (int t = 0; t <= Maximo_Tanques_Alarme; ++t) {
        Limites_Nivel limites;
        for (std::size_t c = 0; c < Chaves_Nivel.size(); ++c) {
            const QTableWidgetItem* celula = niveis_->item(t, static_cast<int>(c));
            limites.*Chaves_Nivel[c].membro = Campo(celula != nullptr ? celula->text() : QString(),
                                                    Nome_Chave(t, Chaves_Nivel[c].nome), motivo);
        }
        if (t == 0) {
            config.padrao = limites;
        } else if (limites != Limites_Nivel{}) {
            config.tanques[t] = limites;
        }
    }
    for (std::size_t i = 0; i < Chaves_Gerais.size(); ++i) {
        const Chave_Geral& c = Chaves_Gerais[i];
        const QString nome = QLatin1String(c.nome);
        const std::optional<double> valor = Campo(gerais_[i]->text(), nome, motivo);
        if (!valor && motivo.isEmpty()) {
            motivo = QStringLiteral("%1: falta o valor").arg(nome);
        }
        if (valor && motivo.isEmpty()) {
            motivo = Motivo_Chave_Geral(c, *valor);
        }
        if (valor && c.real != nullptr) {
            config.*c.real = *valor;
        } else if (valor) {
            config.*c.inteiro = static_cast<int>(*valor);
        }
    }
    return motivo.isEmpty() ? std::optional(config) : std::nullopt;
}

void Editor_Alarmes::Gravar_Click() {
    QString motivo;
    const std::optional<Config_Alarmes> config = Lida(motivo);
    if (!config) {
        Resultado(motivo, true);
        return;
    }
    motivo = servicos_.definir_config(*config);
    if (!motivo.isEmpty()) {
        Resultado(motivo, true);
        return;
    }
    Resultado(QStringLiteral("Gravado em Preferencias.ini e em vigor."), false);
    Mostrar();
}

void Editor_Alarmes::Resultado(const QString& texto, bool recusado) {
    resultado_->setText(recusado ? QStringLiteral("Não gravado: %1").arg(texto) : texto);
    Pintar_Texto(*resultado_, recusado ? Vermelho_Aviso : palette().color(QPalette::WindowText));
}

}  // namespace qx7
