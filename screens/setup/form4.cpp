#include "screens/setup/form4.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <limits>

#include "link/digits.h"
#include "station/com_number.h"
#include "text/qt_1252.h"
#include "widgets/centre_on_screen.h"
#include "widgets/colours.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

namespace qx7 {

namespace {

constexpr int Primeira_Porta = 1;
constexpr int Ultima_Porta = 31;
const QString Texto_Inicial = QStringLiteral("COMs");

QString Texto(const std::filesystem::path& caminho) {
    return QString::fromStdU16String(caminho.u16string());
}

// Maker, product, serial number and device: what tells two adapters apart to a person.
QString Identificacao(const Porta_Sistema& porta) {
    QStringList partes;
    for (const std::string* parte : {&porta.fabricante, &porta.produto}) {
        if (!parte->empty()) {
            partes.append(QString::fromStdString(*parte));
        }
    }
    QString texto = partes.join(QLatin1Char(' '));
    if (!porta.numero_serie.empty()) {
        texto += QStringLiteral(", nº de série %1").arg(QString::fromStdString(porta.numero_serie));
    }
    const QString dispositivo = QStringLiteral("(%1)").arg(Texto(porta.dispositivo));
    return texto.isEmpty() ? dispositivo : texto + QLatin1Char(' ') + dispositivo;
}

// The entry's text: the port, and why it cannot be used or could not be judged.
QString Texto_Da_Entrada(const QString& porta, const Juizo_Porta& juizo) {
    const QString motivo = QString::fromStdString(juizo.motivo);
    switch (juizo.situacao) {
        case Juizo_Porta::Situacao::Indisponivel:
            return QStringLiteral("%1 — indisponível: %2").arg(porta, motivo);
        case Juizo_Porta::Situacao::Incerto:
            return QStringLiteral("%1 — não verificada: %2").arg(porta, motivo);
        case Juizo_Porta::Situacao::Livre:
        case Juizo_Porta::Situacao::Ausente:
            break;
    }
    return porta;
}

Juizo_Porta Sem_Nome_Estavel() {
    return {.situacao = Juizo_Porta::Situacao::Indisponivel,
            .motivo =
                "o adaptador não tem número de série próprio e a porta USB em que está "
                "não é conhecida; por um nome do sistema (ttyUSB) ele poderia ser trocado "
                "por outro"};
}

// ttyS<k>: a serial port of the machine's own, COM(k+1). On Windows every port is COM<n>,
// its own number already.
std::optional<int> Numero_Do_Sistema(const std::string& nome) {
    if (const std::optional<int> n = Numero_Do_Nome_COM(nome)) {
        return n;
    }
    if (nome.size() < 5 || nome.rfind("ttyS", 0) != 0) {
        return std::nullopt;
    }
    const std::optional<int> k = Inteiro_Decimal(std::string_view(nome).substr(4));
    if (!k || *k == std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return *k + 1;
}

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

Form4::Form4(Variaveis_Programa& variaveis, Servicos_Form4 servicos, QWidget* parent)
    : QDialog(parent), variaveis_(variaveis), servicos_(std::move(servicos)) {
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
    const std::optional<std::string> campo = servicos_.ler_porta_configurada();
    if (campo) {
        cs_ativo_->setText(De_1252(*campo));
    }
}

void Form4::Localizar_COMs_Click() {
    def_coms_->clear();
    entradas_.clear();
    def_coms_->setEditText(Texto_Inicial);
    const std::vector<Porta_Sistema> presentes = servicos_.portas_presentes();
    com_do_sistema_.clear();
    for (const Porta_Sistema& porta : presentes) {
        if (const std::optional<int> n = Numero_Do_Sistema(porta.nome)) {
            com_do_sistema_.insert(*n);
        }
    }
    std::vector<bool> listadas(presentes.size(), false);
    Listar_Numeradas(presentes, listadas);
    Listar_Adaptadores(presentes, listadas);
    // The first entry added becomes current; the probe selects nothing.
    def_coms_->setCurrentIndex(-1);
    def_coms_->setEditText(Texto_Inicial);
    // The list is as wide as its longest entry, wider than the box itself.
    def_coms_->view()->setMinimumWidth(def_coms_->view()->sizeHintForColumn(0));
}

// COM1 to COM31: those that can be used, and those that cannot or could not be judged, with
// the reason; a number that leads nowhere is left out.
void Form4::Listar_Numeradas(const std::vector<Porta_Sistema>& presentes,
                             std::vector<bool>& listadas) {
    for (int numero = Primeira_Porta; numero <= Ultima_Porta; ++numero) {
        const Juizo_Porta juizo = servicos_.julgar_com(numero);
        if (juizo.situacao == Juizo_Porta::Situacao::Ausente) {
            continue;
        }
        std::size_t i = 0;
        while (i < presentes.size() && !servicos_.com_leva_a(numero, presentes[i].dispositivo)) {
            ++i;
        }
        QString texto = QStringLiteral("COM%1").arg(numero);
        if (i < presentes.size()) {
            listadas[i] = true;
            const Porta_Sistema& porta = presentes[i];
            if (!Numero_Do_Sistema(porta.nome)) {
                texto += QStringLiteral(" — ") + Identificacao(porta);
            } else if (juizo.situacao != Juizo_Porta::Situacao::Livre) {
                texto += QStringLiteral(" (%1)").arg(Texto(porta.dispositivo));
            }
        }
        Acrescentar(texto, juizo,
                    {.numero = numero, .alvo = {}, .impedimento = {}, .pela_porta_fisica = false});
    }
}

// Adapters the system reports that no COM number leads to yet, each by the name that will
// keep finding it: never the kernel's ttyUSB name, which may pass to another adapter.
void Form4::Listar_Adaptadores(const std::vector<Porta_Sistema>& presentes,
                               const std::vector<bool>& listadas) {
    for (std::size_t i = 0; i < presentes.size(); ++i) {
        const Porta_Sistema& porta = presentes[i];
        if (listadas[i] || Numero_Do_Sistema(porta.nome)) {
            continue;
        }
        QString texto = Identificacao(porta);
        if (porta.pela_porta_fisica) {
            texto += QStringLiteral(
                " — sem número de série próprio: será achado pela porta USB em que está");
        }
        const Juizo_Porta juizo = porta.nome_estavel.empty()
                                      ? Sem_Nome_Estavel()
                                      : servicos_.julgar_dispositivo(porta.dispositivo);
        Acrescentar(texto, juizo,
                    {.numero = std::nullopt,
                     .alvo = porta.nome_estavel,
                     .impedimento = {},
                     .pela_porta_fisica = porta.pela_porta_fisica});
    }
}

// An entry that cannot be used is listed with the reason and refused when picked; one that
// could not be judged may be picked.
void Form4::Acrescentar(const QString& texto, const Juizo_Porta& juizo, Entrada entrada) {
    if (juizo.situacao == Juizo_Porta::Situacao::Indisponivel) {
        entrada.impedimento = juizo.motivo;
    }
    def_coms_->addItem(Texto_Da_Entrada(texto, juizo), static_cast<int>(entradas_.size()));
    entradas_.push_back(std::move(entrada));
}

void Form4::Def_COMs_Click(int indice) {
    if (indice < 0 || indice >= def_coms_->count()) {
        return;
    }
    const std::optional<int> numero = Numero_Para(indice);
    if (!numero) {
        return;
    }
    variaveis_.Porta_Selecionada = "COM" + std::to_string(*numero);
    std::string erro;
    if (!servicos_.gravar_porta(variaveis_.Porta_Selecionada, erro)) {
        Avisar(QStringLiteral("Não foi possível gravar o arquivo de configuração %1: %2")
                   .arg(Texto(servicos_.arquivo_configuracao), QString::fromStdString(erro)));
        return;
    }
    escolheu_porta_ = true;
}

// The port number of the entry: the one it shows, or for an adapter the number of its COMn
// entry, made now when it has none. Nothing, after telling the operator why, when the entry
// cannot be used.
std::optional<int> Form4::Numero_Para(int indice) {
    const QVariant dado = def_coms_->itemData(indice);
    if (!dado.isValid()) {
        return servicos_.numero_porta(Para_1252(def_coms_->itemText(indice)));
    }
    Entrada& entrada = entradas_[static_cast<std::size_t>(dado.toInt())];
    if (!entrada.impedimento.empty()) {
        Avisar(QStringLiteral("Esta porta não pode ser usada: %1")
                   .arg(QString::fromStdString(entrada.impedimento)));
        return std::nullopt;
    }
    if (entrada.numero) {
        return entrada.numero;
    }
    const std::filesystem::path& base = variaveis_.Diretorio_Base;
    const std::optional<Numero_COM_Adaptador> com =
        servicos_.numero_com(entrada.alvo, com_do_sistema_, Ultima_Porta);
    if (!com) {
        Avisar(QStringLiteral("Não há número COM livre de COM%1 a COM%2 em %3.")
                   .arg(Primeira_Porta)
                   .arg(Ultima_Porta)
                   .arg(Texto(base)));
        return std::nullopt;
    }
    std::string erro;
    if (!com->existe && !servicos_.ligar_com(com->numero, entrada.alvo, erro)) {
        Avisar(QStringLiteral("Não foi possível criar a entrada COM%1 em %2: %3")
                   .arg(com->numero)
                   .arg(Texto(base), QString::fromStdString(erro)));
        return std::nullopt;
    }
    if (!com->existe && entrada.pela_porta_fisica) {
        Avisar(QStringLiteral("COM%1 foi ligada à porta USB em que o adaptador está (%2), "
                              "porque ele não tem número de série próprio. Deixe-o sempre nessa "
                              "mesma porta USB: em outra ele não será achado, e outro adaptador "
                              "posto nela seria usado como COM%1.")
                   .arg(com->numero)
                   .arg(Texto(entrada.alvo)));
    }
    entrada.numero = com->numero;
    def_coms_->setItemText(
        indice, QStringLiteral("COM%1 — %2").arg(com->numero).arg(def_coms_->itemText(indice)));
    return entrada.numero;
}

void Form4::Avisar(const QString& texto) {
    if (aviso_) {
        aviso_(texto);
        return;
    }
    QMessageBox::warning(this, windowTitle(), texto);
}

}  // namespace qx7
