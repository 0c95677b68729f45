#include "screens/setup/form4.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "app/base_dir.h"
#include "app/codepage.h"
#include "app/config_file.h"
#include "app/fonts.h"
#include "app/twips.h"
#include "screens/centre_on_screen.h"
#include "screens/colours.h"

namespace qx7 {

namespace {

constexpr int Primeira_Porta = 1;
constexpr int Ultima_Porta = 31;
const QString Texto_Inicial = QStringLiteral("COMs");

QLabel* Rotulo(const char* nome, const QString& texto, const QRect& posicao, QWidget* pai) {
    auto* rotulo = new QLabel(texto, pai);
    rotulo->setObjectName(QString::fromLatin1(nome));
    rotulo->setFont(Sans_Serif(8.25, true));
    rotulo->setGeometry(posicao);
    return rotulo;
}

QPushButton* Botao(const char* nome, const QString& texto, const QRect& posicao, QWidget* pai) {
    auto* botao = new QPushButton(texto, pai);
    botao->setObjectName(QString::fromLatin1(nome));
    botao->setFont(Sans_Serif(8.25, true));
    botao->setGeometry(posicao);
    // Enter typed in the combo box's text must not press a button.
    botao->setAutoDefault(false);
    return botao;
}

QComboBox* Caixa_Portas(QWidget* pai) {
    auto* caixa = new QComboBox(pai);
    caixa->setObjectName(QStringLiteral("Def_COMs"));
    caixa->setFont(Sans_Serif());
    caixa->setGeometry(Retangulo(360, 360, 1095, 315));
    caixa->setEditable(true);
    // Typed text is never an entry nor a pick: no insertion, no completion (Enter is kept
    // from the edit field by Form4::eventFilter).
    caixa->setInsertPolicy(QComboBox::NoInsert);
    caixa->setCompleter(nullptr);
    caixa->setEditText(Texto_Inicial);
    return caixa;
}

}  // namespace

Form4::Form4(Variaveis_Programa& variaveis, Fabrica_Porta criar_porta, QWidget* parent)
    : QDialog(parent), variaveis_(variaveis), criar_porta_(std::move(criar_porta)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Configuração do Programa"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(Tamanho(4680, 1785));
    Centralizar_Ao_Mostrar(*this);
    setFont(Sans_Serif());

    Rotulo("Label2", QStringLiteral("Verificar"), Retangulo(360, 120, 975, 255), this);
    def_coms_ = Caixa_Portas(this);
    Rotulo("Label1", QStringLiteral("Canal Serial"), Retangulo(1920, 120, 1095, 255), this);

    cs_ativo_ = new QLineEdit(this);
    cs_ativo_->setObjectName(QStringLiteral("CS_Ativo"));
    cs_ativo_->setFont(Sans_Serif());
    cs_ativo_->setGeometry(Retangulo(1920, 360, 975, 315));

    QPushButton* localizar = Botao("Localizar_COMs", QStringLiteral("Localizar COMs"),
                                   Retangulo(1800, 960, 1215, 735), this);
    QPushButton* retornar =
        Botao("Retornar", QStringLiteral("Retornar"), Retangulo(3360, 960, 1215, 735), this);
    Pintar_Botao(*retornar, Azul_Claro);
    retornar->setAutoFillBackground(true);

    connect(localizar, &QPushButton::clicked, this, &Form4::Localizar_COMs_Click);
    connect(retornar, &QPushButton::clicked, this, &QDialog::reject);
    // activated: a choice from the list by mouse, arrow keys or wheel, the same entry again
    // included; typing in the edit field never raises it.
    connect(def_coms_, &QComboBox::activated, this, &Form4::Def_COMs_Click);
    def_coms_->lineEdit()->installEventFilter(this);

    setTabOrder(def_coms_, localizar);
    setTabOrder(localizar, retornar);
    setTabOrder(retornar, cs_ativo_);
    def_coms_->setFocus();

    Mostrar_Porta_Configurada();
}

Form4::~Form4() = default;

void Form4::done(int resultado) {
    // Discarding the component closes a port that a failed probe step left open.
    canal_serial_.reset();
    QDialog::done(resultado);
}

// Enter in the combo box's edit field would pick the entry whose text was typed.
bool Form4::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == def_coms_->lineEdit() && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void Form4::Mostrar_Porta_Configurada() {
    const std::optional<std::string> campo =
        Ler_Primeiro_Campo(Arquivo_Configuracao(variaveis_.Diretorio_Base));
    if (campo) {
        cs_ativo_->setText(De_1252(*campo));
    }
}

void Form4::Localizar_COMs_Click() {
    def_coms_->clear();
    def_coms_->setEditText(Texto_Inicial);
    if (!canal_serial_ && criar_porta_) {
        canal_serial_ = criar_porta_();
    }
    if (!canal_serial_) {
        return;
    }
    QStringList abertas;
    for (int numero = Primeira_Porta; numero <= Ultima_Porta; ++numero) {
        if (Porta_Abre(numero)) {
            abertas.append(QStringLiteral("COM%1").arg(numero));
        }
    }
    def_coms_->addItems(abertas);
    // The first entry added becomes current; the probe selects nothing.
    def_coms_->setCurrentIndex(-1);
    def_coms_->setEditText(Texto_Inicial);
}

// Every step is tried even after one failed; only a port whose every step succeeded counts,
// and only that one is closed again.
bool Form4::Porta_Abre(int numero) {
    PortaSerial& canal = *canal_serial_;
    bool falhou = false;
    const auto passo = [&falhou](bool aceito) { falhou = falhou || !aceito; };
    passo(canal.CommPort(numero));
    passo(canal.Settings("9600,N,8,1"));
    passo(canal.InputLen(1));
    passo(canal.RThreshold(1));
    passo(canal.DTREnable(true));
    passo(canal.RTSEnable(true));
    passo(canal.PortOpen(true));
    if (falhou) {
        return false;
    }
    canal.PortOpen(false);
    return true;
}

void Form4::Def_COMs_Click(int indice) {
    if (indice < 0 || indice >= def_coms_->count()) {
        return;
    }
    variaveis_.Porta_Selecionada = Para_1252(def_coms_->itemText(indice));
    const std::filesystem::path arquivo = Arquivo_Configuracao(variaveis_.Diretorio_Base);
    std::string erro;
    if (!Gravar_Configuracao(arquivo, variaveis_.Porta_Selecionada, erro)) {
        Avisar(QStringLiteral("Não foi possível gravar o arquivo de configuração %1: %2")
                   .arg(QString::fromStdU16String(arquivo.u16string()), De_1252(erro)));
        return;
    }
    escolheu_porta_ = true;
}

void Form4::Avisar(const QString& texto) {
    if (aviso_) {
        aviso_(texto);
        return;
    }
    QMessageBox::warning(this, windowTitle(), texto);
}

}  // namespace qx7
