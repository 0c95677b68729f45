#include "screens/inventory/form2.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QWindow>

#include "gauge/number_format.h"
#include "gauge/numeric_text.h"
#include "screens/inventory/tank_frame.h"
#include "text/decimal_separator.h"
#include "widgets/centre_on_screen.h"
#include "widgets/colours.h"
#include "widgets/fonts.h"
#include "widgets/grid.h"
#include "widgets/twips.h"

namespace qx7 {

namespace {

constexpr int Campo_Tanque = 0;
constexpr int Campo_Medido = 1;
constexpr int Campo_Complementar = 2;
constexpr int Campo_Produto = 4;
constexpr int Campos_Mostrados = 7;
constexpr int Linhas_Produtos = 9;

struct Coluna {
    int largura;
    const char* titulo;
};

constexpr Coluna Colunas_Leitura[] = {{900, "Tanque"},    {900, "VolMed"},  {900, "VolCpl"},
                                      {900, "Densidade"}, {900, "Produto"}, {900, "Data"},
                                      {1000, "Hora"}};
constexpr Coluna Colunas_Inventario[] = {{1000, "Produto"}, {1000, "VolMed"}, {1000, "VolCpl"}};

QGroupBox* Novo_Quadro(QWidget* pai, const char* nome, const char* titulo, QRect onde) {
    auto* quadro = new QGroupBox(QString::fromUtf8(titulo), pai);
    quadro->setObjectName(QString::fromUtf8(nome));
    quadro->setFont(Sans_Serif(8.25, true));
    quadro->setGeometry(onde);
    return quadro;
}

Grade* Nova_Grade(QWidget* pai, const char* nome, QRect onde) {
    auto* grade = new Grade(pai);
    grade->setObjectName(QString::fromUtf8(nome));
    grade->setGeometry(onde);
    return grade;
}

template <std::size_t N>
void Preparar_Colunas(Grade& grade, const Coluna (&colunas)[N]) {
    for (int c = 0; c < static_cast<int>(N); ++c) {
        grade.ColWidth(c, colunas[c].largura);
        grade.TextMatrix(0, c, colunas[c].titulo);
    }
}

void Centrar_Colunas(Grade& grade) {
    for (int c = 0; c < grade.Cols(); ++c) {
        grade.ColAlignment(c, Alinhamento_Centro_Centro);
    }
}

bool So_Espacos(const std::string& texto) {
    return texto.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

Form2::Form2(const Variaveis_Programa& variaveis, QWidget* parent)
    : QDialog(parent), variaveis_(variaveis) {
    setWindowTitle(QStringLiteral("Sistema QX7 - Inventário de Produtos"));
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(Tamanho(10095, 9900));
    Centralizar_Ao_Mostrar(*this);
    Pintar_Fundo(*this, Qt::white);
    setFont(Sans_Serif(8.25, true));

    Montar_Tabelas();
    Montar_Botoes();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Form2::Foco_Mudou);
    for (int i = 0; i < Tanques_Inventario; ++i) {
        quadros_[static_cast<std::size_t>(i)] = new Quadro_Tanque(i, this);
    }
    const int fundo_produtos = Retangulo(6720, 120, 3255, 2535).bottom();
    for (QWidget* filho : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (filho->y() > fundo_produtos) {
            abaixo_do_inventario_.emplace_back(filho, filho->y());
        }
    }
}

void Form2::Montar_Tabelas() {
    QGroupBox* tanques =
        Novo_Quadro(this, "Frame3", "Medições dos Tanques", Retangulo(120, 120, 6615, 4455));
    leitura_ = Nova_Grade(tanques, "Leitura", Retangulo(120, 240, 6345, 4095));
    QGroupBox* produtos =
        Novo_Quadro(this, "Frame2", "Inventário de Produtos", Retangulo(6720, 120, 3255, 2535));
    inventario_ = Nova_Grade(produtos, "Inventário", Retangulo(120, 240, 3020, 2190));
    leitura_base_ = leitura_->geometry();
    inventario_base_ = inventario_->geometry();
    // Both grow to their contents (Ajustar_Ao_Conteudo): a scroll bar would only take room.
    for (Grade* grade : {leitura_, inventario_}) {
        grade->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grade->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

void Form2::Montar_Botoes() {
    auto* imprimir = new QPushButton(QStringLiteral("Imprimir"), this);
    imprimir->setObjectName(QStringLiteral("Imprimir"));
    imprimir->setGeometry(Retangulo(7080, 3240, 1215, 735));
    imprimir->setFont(Sans_Serif(9.75, true));
    connect(imprimir, &QPushButton::clicked, this, &Form2::Imprimir_Click);

    auto* retornar = new QPushButton(QStringLiteral("Retornar"), this);
    retornar->setObjectName(QStringLiteral("Retornar"));
    retornar->setGeometry(Retangulo(8520, 3240, 1215, 735));
    retornar->setFont(Fonte("Arial", 9.75, true));
    Pintar_Botao(*retornar, Azul_Claro);
    connect(retornar, &QPushButton::clicked, this, &QDialog::accept);
}

// Another window of this program took the focus: this screen was covered by it. Switching to
// another program leaves no focus window here, and coming back from it changes nothing.
void Form2::Foco_Mudou(QWindow* janela) {
    if (janela != nullptr && janela != windowHandle()) {
        coberta_ = true;
    }
}

bool Form2::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate && coberta_) {
        coberta_ = false;
        Atualizar();
    }
    return QDialog::event(evento);
}

void Form2::showEvent(QShowEvent* evento) {
    Atualizar();
    QDialog::showEvent(evento);
}

void Form2::Atualizar() {
    Inicializa_Tabela();
    Prepara_Tabela();
    Efetua_Inventario();
    Ajustar_Ao_Conteudo();
}

// Where the laid-out sizes cannot show every row and column, the grids grow. When the product
// table grows downwards, its frame, the buttons, the tank drawings and the window grow or move
// down with it, so nothing is covered and the drawings keep their places to each other.
void Form2::Ajustar_Ao_Conteudo() {
    const QSize leitura = leitura_->Tamanho_Conteudo().expandedTo(leitura_base_.size());
    leitura_->resize(leitura);
    const QSize inventario = inventario_->Tamanho_Conteudo().expandedTo(inventario_base_.size());
    inventario_->resize(inventario);
    const int descida = inventario.height() - inventario_base_.height();
    QWidget* produtos = inventario_->parentWidget();
    produtos->resize(produtos->width(), Retangulo(0, 0, 0, 2535).height() + descida);
    for (auto& [widget, topo] : abaixo_do_inventario_) {
        widget->move(widget->x(), topo + descida);
    }
    setFixedSize(Tamanho(10095, 9900) + QSize(0, descida));
}

void Form2::Inicializa_Tabela() {
    leitura_->Clear();
    inventario_->Clear();
    leitura_->Cols(Campos_Mostrados);
    leitura_->Rows(Tanques_Inventario + 1);
    inventario_->Cols(3);
    inventario_->Rows(Linhas_Produtos);
    Centrar_Colunas(*leitura_);
    Centrar_Colunas(*inventario_);
    Preparar_Colunas(*leitura_, Colunas_Leitura);
    Preparar_Colunas(*inventario_, Colunas_Inventario);
}

bool Form2::Tanque_Presente(int tanque) const {
    return !So_Espacos(variaveis_.Tabela_Tanques[static_cast<std::size_t>(tanque)][Campo_Tanque]);
}

void Form2::Prepara_Tabela() {
    const char separador = Separador_Decimal();
    for (int t = 1; t <= Tanques_Inventario; ++t) {
        Quadro_Tanque& quadro = *quadros_[static_cast<std::size_t>(t - 1)];
        quadro.hide();
        if (!Tanque_Presente(t)) {
            continue;
        }
        quadro.show();
        const auto& campos = variaveis_.Tabela_Tanques[static_cast<std::size_t>(t)];
        for (int c = 0; c < Campos_Mostrados; ++c) {
            leitura_->TextMatrix(t, c, campos[static_cast<std::size_t>(c)]);
        }
        quadro.Preencher(leitura_->TextMatrix(t, Campo_Medido),
                         leitura_->TextMatrix(t, Campo_Complementar), separador);
    }
}

void Form2::Efetua_Inventario() {
    std::array<bool, Tanques_Inventario + 1> pendente{};
    pendente.fill(true);
    int linha = 1;
    for (int t = 1; t <= Tanques_Inventario; ++t) {
        if (Tanque_Presente(t) && pendente[static_cast<std::size_t>(t)]) {
            Somar_Produto(t, pendente, linha);
            ++linha;
        }
    }
}

// One product row: the product of tank `tanque` summed over it and every later row that
// carries exactly the same text. A product beyond the last row gets a row of its own.
void Form2::Somar_Produto(int tanque, std::array<bool, Tanques_Inventario + 1>& pendente,
                          int linha) {
    const std::string produto = leitura_->TextMatrix(tanque, Campo_Produto);
    double medido = 0.0;
    float complementar = 0.0f;
    for (int k = tanque; k <= Tanques_Inventario; ++k) {
        if (leitura_->TextMatrix(k, Campo_Produto) != produto) {
            continue;
        }
        pendente[static_cast<std::size_t>(k)] = false;
        medido += Valor_Numerico(leitura_->TextMatrix(k, Campo_Medido));
        complementar =
            static_cast<float>(static_cast<double>(complementar) +
                               Valor_Numerico(leitura_->TextMatrix(k, Campo_Complementar)));
    }
    if (linha >= inventario_->Rows()) {
        inventario_->Rows(linha + 1);
    }
    const char separador = Separador_Decimal();
    inventario_->TextMatrix(linha, 0, produto);
    inventario_->TextMatrix(linha, 1, Formato_Geral(medido, 15, separador));
    inventario_->TextMatrix(linha, 2, Formato_Geral(complementar, 7, separador));
}

void Form2::Imprimir_Click() {
    Imprimir_Janela(*this, meios_impressao_);
}

}  // namespace qx7
