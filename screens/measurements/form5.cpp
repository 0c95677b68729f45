#include "screens/measurements/form5.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <string>

#include "gauge/fields.h"
#include "screens/measurements/result_text.h"
#include "screens/measurements/table_pages.h"
#include "text/qt_1252.h"
#include "widgets/centre_on_screen.h"
#include "widgets/colours.h"
#include "widgets/fonts.h"
#include "widgets/grid.h"
#include "widgets/twips.h"

namespace qx7 {

namespace {

constexpr int Colunas_Resultados = 5;
constexpr int Linhas_Resultados = 120;
constexpr int Largura_Coluna = 900;
constexpr const char* Titulos[Colunas_Resultados] = {"No.", "Tanque", "Volume", "Data", "Hora"};

// Columns of Resultados_Medicoes.
constexpr std::size_t Coluna_Data = 0;
constexpr std::size_t Coluna_Hora = 1;
constexpr std::size_t Coluna_Volume = 2;
constexpr std::size_t Coluna_Tanque = 3;

QLabel* Novo_Rotulo(QWidget* pai, const char* nome, const char* texto, QRect onde) {
    auto* rotulo = new QLabel(QString::fromUtf8(texto), pai);
    rotulo->setObjectName(QString::fromUtf8(nome));
    rotulo->setGeometry(onde);
    rotulo->setFont(Sans_Serif(8.25, true));
    rotulo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return rotulo;
}

QPushButton* Novo_Botao(QWidget* pai, const char* nome, QRect onde) {
    auto* botao = new QPushButton(QString::fromUtf8(nome), pai);
    botao->setObjectName(QString::fromUtf8(nome));
    botao->setGeometry(onde);
    botao->setFont(Sans_Serif(8.25, true));
    return botao;
}

}  // namespace

Form5::Form5(const Variaveis_Programa& variaveis, QWidget* parent)
    : QDialog(parent), variaveis_(variaveis) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Medições na data "));
    setFixedSize(Tamanho(5175, 8850));
    Centralizar_Ao_Mostrar(*this);
    Pintar_Fundo(*this, Qt::white);
    Montar_Controles();
    Abrir();
}

void Form5::Montar_Controles() {
    Novo_Rotulo(this, "Label1", "Medições :", Retangulo(120, 120, 1335, 255));
    resultados_ = new Grade(this);
    resultados_->setObjectName(QStringLiteral("Resultados_MedProg"));
    resultados_->setGeometry(Retangulo(120, 360, 4935, 7335));
    erro_ = Novo_Rotulo(this, "Erro", "Sem medições para a data", Retangulo(240, 8040, 1815, 495));
    erro_->setWordWrap(true);
    QPalette paleta = erro_->palette();
    paleta.setColor(QPalette::WindowText, Qt::black);
    erro_->setPalette(paleta);

    QPushButton* imprimir = Novo_Botao(this, "Imprimir", Retangulo(2400, 7920, 1215, 735));
    connect(imprimir, &QPushButton::clicked, this, &Form5::Imprimir_Click);
    QPushButton* retornar = Novo_Botao(this, "Retornar", Retangulo(3840, 7920, 1215, 735));
    paleta = retornar->palette();
    paleta.setColor(QPalette::Button, QColor(192, 192, 255));
    retornar->setPalette(paleta);
    connect(retornar, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(retornar, resultados_);
    setTabOrder(resultados_, imprimir);
    retornar->setFocus();
}

void Form5::Abrir() {
    erro_->hide();
    const QString data = De_1252(Em_Pares(variaveis_.Data_Solicitada, '/'));
    setWindowTitle(windowTitle() + data);
    if (variaveis_.Num_Medicoes != 0) {
        Inicializa_Tabela();
        Prepara_Tabela();
        return;
    }
    erro_->setText(erro_->text() + QLatin1Char(' ') + data + QLatin1Char('.'));
    erro_->show();
}

void Form5::Inicializa_Tabela() {
    resultados_->Clear();
    resultados_->Cols(Colunas_Resultados);
    resultados_->Rows(Linhas_Resultados);
    for (int c = 0; c < resultados_->Cols(); ++c) {
        resultados_->ColAlignment(c, Alinhamento_Centro_Centro);
    }
    for (int c = 0; c < Colunas_Resultados; ++c) {
        resultados_->ColWidth(c, Largura_Coluna);
        resultados_->TextMatrix(0, c, Titulos[c]);
    }
}

// A count beyond the stored rows (or the grid) shows the rows there are.
void Form5::Prepara_Tabela() {
    const int n = std::min<int>({variaveis_.Num_Medicoes, Linhas_Medicoes, Linhas_Resultados - 1});
    linhas_preenchidas_ = std::max(n, 0);
    for (int i = 1; i <= n; ++i) {
        const auto& registro = variaveis_.Resultados_Medicoes[static_cast<std::size_t>(i - 1)];
        resultados_->TextMatrix(i, 0, std::to_string(i));
        resultados_->TextMatrix(i, 1, registro[Coluna_Tanque]);
        resultados_->TextMatrix(i, 2, registro[Coluna_Volume]);
        resultados_->TextMatrix(i, 3, Dividir_Em_Tres(Seis_Digitos(registro[Coluna_Data]), '/'));
        resultados_->TextMatrix(i, 4, Dividir_Em_Tres(registro[Coluna_Hora], ':'));
    }
}

// The rows the grid cannot show are printed too, on further pages.
void Form5::Imprimir_Click() {
    Imprimir_Janela(*this, meios_impressao_, [this](QPrinter& impressora) {
        return Desenhar_Em_Paginas(*this, *resultados_, linhas_preenchidas_, impressora);
    });
}

}  // namespace qx7
