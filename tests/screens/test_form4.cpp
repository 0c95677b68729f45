#include "screens/setup/form4.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "app/setup_services.h"
#include "station/base_dir.h"
#include "station/serial_port_qt.h"
#include "tests/support/pty.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

namespace qx7 {
namespace {

// A system that reports no serial device, so the machine's own ports stay out of the tests;
// its lock folders are the system's.
class Sem_Portas_Do_Sistema : public Descoberta_Portas {
  public:
    std::vector<Porta_Sistema> Listar() const override { return {}; }
};

std::string Conteudo(const std::filesystem::path& arquivo) {
    std::ifstream entrada(arquivo, std::ios::binary);
    return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
}

QStringList Entradas(const QComboBox& caixa) {
    QStringList entradas;
    for (int i = 0; i < caixa.count(); ++i) {
        entradas.append(caixa.itemText(i));
    }
    return entradas;
}

// COM2 and COM5 are free pseudo-terminals, COM7 one that this program already holds open
// (with the lock the opening leaves); every other number up to 31 names a device that does
// not exist.
class Tela_Configuracao : public ::testing::Test {
  protected:
    Tela_Configuracao() {
        variaveis.Diretorio_Base = base;
        for (int n = 1; n <= 31; ++n) {
            const std::filesystem::path entrada = base / ("COM" + std::to_string(n));
            const auto pty = portas.find(n);
            std::filesystem::create_symlink(
                pty != portas.end() ? std::filesystem::path(pty->second->Caminho_Escravo())
                                    : base / "ausente",
                entrada);
        }
        ocupante.CommPort(7);
        ocupante.PortOpen(true);
    }

    std::unique_ptr<Form4> Abrir() {
        auto tela = std::make_unique<Form4>(
            variaveis, Servicos_Configuracao(base, std::make_shared<Sem_Portas_Do_Sistema>()));
        tela->Definir_Aviso([this](const QString& texto) { avisos.append(texto); });
        tela->show();
        return tela;
    }

    void Escrever_Arquivo(std::string_view conteudo) {
        std::ofstream saida(arquivo, std::ios::binary);
        saida.write(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
    }

    static QComboBox& Caixa(Form4& tela) {
        return *tela.findChild<QComboBox*>(QStringLiteral("Def_COMs"));
    }
    static QPushButton& Botao(Form4& tela, const char* nome) {
        return *tela.findChild<QPushButton*>(QString::fromLatin1(nome));
    }
    static QLineEdit& Canal_Ativo(Form4& tela) {
        return *tela.findChild<QLineEdit*>(QStringLiteral("CS_Ativo"));
    }

    QTemporaryDir temporario;
    std::filesystem::path base{temporario.path().toStdU16String()};
    std::filesystem::path arquivo = Arquivo_Configuracao(base);
    teste::Pseudo_Terminal com2, com5, com7;
    std::map<int, teste::Pseudo_Terminal*> portas{{2, &com2}, {5, &com5}, {7, &com7}};
    Porta_Serial_Qt ocupante{base};
    Variaveis_Programa variaveis;
    QStringList avisos;
};

TEST_F(Tela_Configuracao, JanelaEControles) {
    auto tela = Abrir();
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("Configuração do Programa"));
    EXPECT_EQ(tela->size(), Tamanho(4680, 1785));

    struct Esperado {
        const char* nome;
        QString texto;
        QRect posicao;
    };
    const Esperado rotulos[] = {
        {"Label2", QStringLiteral("Verificar"), Retangulo(360, 120, 975, 255)},
        {"Label1", QStringLiteral("Canal Serial"), Retangulo(1920, 120, 1095, 255)}};
    for (const Esperado& e : rotulos) {
        const auto* rotulo = tela->findChild<QLabel*>(QString::fromLatin1(e.nome));
        ASSERT_NE(rotulo, nullptr) << e.nome;
        EXPECT_EQ(rotulo->text(), e.texto);
        EXPECT_EQ(rotulo->geometry(), e.posicao) << e.nome;
        EXPECT_EQ(rotulo->font(), Sans_Serif(8.25, true)) << e.nome;
    }
    const Esperado botoes[] = {
        {"Localizar_COMs", QStringLiteral("Localizar COMs"), Retangulo(1800, 960, 1215, 735)},
        {"Retornar", QStringLiteral("Retornar"), Retangulo(3360, 960, 1215, 735)}};
    for (const Esperado& e : botoes) {
        const QPushButton& botao = Botao(*tela, e.nome);
        EXPECT_EQ(botao.text(), e.texto);
        EXPECT_EQ(botao.geometry(), e.posicao) << e.nome;
        EXPECT_EQ(botao.font(), Sans_Serif(8.25, true)) << e.nome;
    }
    EXPECT_EQ(Botao(*tela, "Retornar").palette().color(QPalette::Button), QColor(192, 192, 255));

    QComboBox& caixa = Caixa(*tela);
    EXPECT_TRUE(caixa.isEditable());
    EXPECT_EQ(caixa.currentText(), QStringLiteral("COMs"));
    EXPECT_EQ(caixa.count(), 0);
    EXPECT_EQ(caixa.geometry(), Retangulo(360, 360, 1095, 315));
    EXPECT_EQ(Canal_Ativo(*tela).geometry(), Retangulo(1920, 360, 975, 315));

    tela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tela.get()));
    caixa.setFocus();
    const QWidget* ordem[] = {&Botao(*tela, "Localizar_COMs"), &Botao(*tela, "Retornar"),
                              &Canal_Ativo(*tela), &caixa};
    for (const QWidget* proximo : ordem) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* foco = QApplication::focusWidget();
        EXPECT_TRUE(foco == proximo || foco->parentWidget() == proximo)
            << foco->objectName().toStdString();
    }
}

struct Arquivo_Mostrado {
    const char* conteudo;  // nullptr: no file
    const char* mostrado;  // UTF-8
};

class Porta_Configurada : public Tela_Configuracao,
                          public ::testing::WithParamInterface<Arquivo_Mostrado> {};

TEST_P(Porta_Configurada, CsAtivoMostraOPrimeiroCampo) {
    if (GetParam().conteudo != nullptr) {
        Escrever_Arquivo(GetParam().conteudo);
    }
    auto tela = Abrir();
    EXPECT_EQ(Canal_Ativo(*tela).text(), QString::fromUtf8(GetParam().mostrado));
    EXPECT_TRUE(avisos.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Configuracao, Porta_Configurada,
                         ::testing::Values(Arquivo_Mostrado{"COM3\r\n", "COM3"},
                                           Arquivo_Mostrado{" COM4,9\r\n", "COM4"},
                                           Arquivo_Mostrado{"COM 7\r\n", "COM 7"},
                                           Arquivo_Mostrado{"C\xd4M5\r\n", "CÔM5"},
                                           Arquivo_Mostrado{"", ""},
                                           Arquivo_Mostrado{nullptr, ""}));

const QStringList Listadas{"COM2", "COM5", "COM7 — indisponível: em uso por este programa"};

TEST_F(Tela_Configuracao, LocalizarListaAsPortasLivresEAOcupadaComOMotivo) {
    auto tela = Abrir();
    QTest::mouseClick(&Botao(*tela, "Localizar_COMs"), Qt::LeftButton);
    QComboBox& caixa = Caixa(*tela);
    EXPECT_EQ(Entradas(caixa), Listadas);
    EXPECT_EQ(caixa.currentIndex(), -1);
    EXPECT_EQ(caixa.currentText(), QStringLiteral("COMs"));
    EXPECT_TRUE(ocupante.PortOpen());

    // The port in use is refused when picked.
    caixa.activated(2);
    EXPECT_FALSE(std::filesystem::exists(arquivo));
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].startsWith(QStringLiteral("Esta porta não pode ser usada")));
}

// Opening a terminal raises its DTR and RTS, which resets what hangs on the line: the probe
// judges the ports without any open() of them.
TEST_F(Tela_Configuracao, LocalizarNaoAbreNenhumaPorta) {
    const int observador = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(observador, 0);
    for (const auto& [n, pty] : portas) {
        ASSERT_GE(::inotify_add_watch(observador, pty->Caminho_Escravo().c_str(), IN_OPEN), 0) << n;
    }
    auto tela = Abrir();
    QTest::mouseClick(&Botao(*tela, "Localizar_COMs"), Qt::LeftButton);
    EXPECT_EQ(Entradas(Caixa(*tela)), Listadas);

    char eventos[4096];
    EXPECT_EQ(::read(observador, eventos, sizeof eventos), -1);
    EXPECT_EQ(errno, EAGAIN);
    ::close(observador);
}

TEST_F(Tela_Configuracao, LocalizarDuasVezesNaoDuplica) {
    auto tela = Abrir();
    QTest::mouseClick(&Botao(*tela, "Localizar_COMs"), Qt::LeftButton);
    QTest::mouseClick(&Botao(*tela, "Localizar_COMs"), Qt::LeftButton);
    EXPECT_EQ(Entradas(Caixa(*tela)), Listadas);
    EXPECT_EQ(Caixa(*tela).currentText(), QStringLiteral("COMs"));
}

TEST_F(Tela_Configuracao, EscolhaPeloTecladoGravaExatamenteAPorta) {
    Escrever_Arquivo("COM12\r\n");
    auto tela = Abrir();
    QTest::mouseClick(&Botao(*tela, "Localizar_COMs"), Qt::LeftButton);
    QComboBox& caixa = Caixa(*tela);
    caixa.setFocus();
    EXPECT_FALSE(tela->Escolheu_Porta());

    QTest::keyClick(&caixa, Qt::Key_Down);
    EXPECT_EQ(Conteudo(arquivo), "COM2\r\n");
    EXPECT_EQ(variaveis.Porta_Selecionada, "COM2");
    EXPECT_TRUE(tela->Escolheu_Porta());

    QTest::keyClick(&caixa, Qt::Key_Down);
    EXPECT_EQ(Conteudo(arquivo), "COM5\r\n");
    EXPECT_EQ(variaveis.Porta_Selecionada, "COM5");
    // The box keeps showing what the file held when the screen opened.
    EXPECT_EQ(Canal_Ativo(*tela).text(), QStringLiteral("COM12"));
    EXPECT_TRUE(avisos.isEmpty());
}

TEST_F(Tela_Configuracao, EscolhaPelaListaComOMouse) {
    auto tela = Abrir();
    QTest::mouseClick(&Botao(*tela, "Localizar_COMs"), Qt::LeftButton);
    QComboBox& caixa = Caixa(*tela);
    for (int vez = 0; vez < 2; ++vez) {  // the same entry again rewrites the file
        std::filesystem::remove(arquivo);
        caixa.showPopup();
        QAbstractItemView* lista = caixa.view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(lista->window()));
        const QRect linha = lista->visualRect(caixa.model()->index(1, 0));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, linha.center());
        EXPECT_EQ(Conteudo(arquivo), "COM5\r\n") << vez;
    }
    EXPECT_EQ(variaveis.Porta_Selecionada, "COM5");
}

TEST_F(Tela_Configuracao, TextoDigitadoNuncaEGravado) {
    auto tela = Abrir();
    QTest::mouseClick(&Botao(*tela, "Localizar_COMs"), Qt::LeftButton);
    QLineEdit* edicao = Caixa(*tela).lineEdit();
    ASSERT_NE(edicao, nullptr);
    for (const char* digitado : {"COM9", "COM5"}) {
        edicao->selectAll();
        QTest::keyClicks(edicao, QString::fromLatin1(digitado));
        QTest::keyClick(edicao, Qt::Key_Return);
    }
    EXPECT_FALSE(std::filesystem::exists(arquivo));
    EXPECT_EQ(variaveis.Porta_Selecionada, "");
    EXPECT_FALSE(tela->Escolheu_Porta());
    EXPECT_EQ(Entradas(Caixa(*tela)), Listadas);
    EXPECT_TRUE(tela->isVisible());
}

TEST_F(Tela_Configuracao, ArquivoQueNaoPodeSerGravadoEAvisadoEATelaContinua) {
    // A directory in the file's place cannot be written by anyone.
    std::filesystem::create_directory(arquivo);
    auto tela = Abrir();
    QTest::mouseClick(&Botao(*tela, "Localizar_COMs"), Qt::LeftButton);
    QComboBox& caixa = Caixa(*tela);
    caixa.setFocus();
    QTest::keyClick(&caixa, Qt::Key_Down);
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(
        avisos[0].startsWith(QStringLiteral("Não foi possível gravar o arquivo de configuração")))
        << avisos[0].toStdString();
    EXPECT_FALSE(tela->Escolheu_Porta());
    EXPECT_TRUE(tela->isVisible());
    EXPECT_EQ(tela->result(), 0);

    // Once the obstacle is gone the next pick works.
    std::filesystem::remove(arquivo);
    QTest::keyClick(&caixa, Qt::Key_Down);
    EXPECT_EQ(Conteudo(arquivo), "COM5\r\n");
    EXPECT_TRUE(tela->Escolheu_Porta());
}

TEST(Tela_Sem_Portas, NenhumaPortaUtilizavelDeixaAListaVazia) {
    QTemporaryDir temporario;
    Variaveis_Programa variaveis;
    variaveis.Diretorio_Base = temporario.path().toStdU16String();
    for (int n = 1; n <= 31; ++n) {
        std::filesystem::create_symlink(variaveis.Diretorio_Base / "ausente",
                                        variaveis.Diretorio_Base / ("COM" + std::to_string(n)));
    }
    Form4 tela(variaveis, Servicos_Configuracao(variaveis.Diretorio_Base,
                                                std::make_shared<Sem_Portas_Do_Sistema>()));
    tela.show();
    QTest::mouseClick(tela.findChild<QPushButton*>(QStringLiteral("Localizar_COMs")),
                      Qt::LeftButton);
    QComboBox* caixa = tela.findChild<QComboBox*>(QStringLiteral("Def_COMs"));
    ASSERT_NE(caixa, nullptr);
    EXPECT_EQ(caixa->count(), 0);
    EXPECT_EQ(caixa->currentText(), QStringLiteral("COMs"));
    caixa->setFocus();
    QTest::keyClick(caixa, Qt::Key_Down);
    EXPECT_FALSE(tela.Escolheu_Porta());
    EXPECT_TRUE(variaveis.Porta_Selecionada.empty());
}

}  // namespace
}  // namespace qx7
