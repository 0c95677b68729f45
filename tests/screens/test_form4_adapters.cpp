#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "station/base_dir.h"
#include "app/setup_services.h"
#include "screens/setup/form4.h"
#include "tests/support/fake_serial_port.h"

namespace qx7 {
namespace {

namespace fs = std::filesystem;

// A machine with one serial port of its own, two adapters of one model told apart by their
// serial numbers, one the operator may not open and one held by a live process (pid 1).
struct Maquina_Falsa {
    explicit Maquina_Falsa(const fs::path& raiz) : raiz(raiz) {
        for (const char* pasta : {"dev", "by-id", "trava", "base"}) {
            fs::create_directory(raiz / pasta);
        }
        for (const Porta_Sistema& porta : portas) {
            std::ofstream(porta.dispositivo).put('\0');
        }
        for (const auto& [ligacao, alvo] : ligacoes) {
            fs::create_symlink(raiz / "dev" / alvo, raiz / "by-id" / ligacao);
        }
        std::ofstream(raiz / "trava" / "LCK..ttyACM0") << "         1\n";
    }

    fs::path Dev(const char* nome) const { return raiz / "dev" / nome; }

    fs::path raiz;
    std::vector<Porta_Sistema> portas{
        {"ttyS0", Dev("ttyS0"), {}, {}, {}, {}},
        {"ttyUSB0", Dev("ttyUSB0"), "FTDI", "FT232R USB UART", "A1", {}},
        {"ttyUSB1", Dev("ttyUSB1"), "FTDI", "FT232R USB UART", "B2", {}},
        {"ttyUSB2", Dev("ttyUSB2"), "Prolific", "PL2303", "P9", {}},
        {"ttyACM0", Dev("ttyACM0"), "Arduino", "Uno", "C3", {}},
    };
    std::vector<std::pair<std::string, std::string>> ligacoes{
        {"usb-FTDI_FT232R_USB_UART_A1-if00-port0", "ttyUSB0"},
        {"usb-FTDI_FT232R_USB_UART_B2-if00-port0", "ttyUSB1"},
        {"usb-Prolific_PL2303_P9-if00-port0", "ttyUSB2"},
        {"usb-Arduino_Uno_C3-if00", "ttyACM0"},
    };
};

class Descoberta_Falsa : public Descoberta_Portas {
  public:
    explicit Descoberta_Falsa(const Maquina_Falsa& maquina) : maquina_(maquina) {}
    std::vector<Porta_Sistema> Listar() const override { return maquina_.portas; }
    fs::path Pasta_Por_Id() const override { return maquina_.raiz / "by-id"; }
    std::vector<fs::path> Pastas_Trava() const override { return {maquina_.raiz / "trava"}; }
    int Tentar_Abrir(const fs::path& dispositivo) const override {
        return dispositivo.filename() == "ttyUSB2" ? EACCES : 0;
    }

  private:
    const Maquina_Falsa& maquina_;
};

class Adaptadores : public ::testing::Test {
  protected:
    // The component opens only the numbers in `abrem`.
    std::unique_ptr<Form4> Localizar(std::set<int> abrem = {}) {
        const auto criar_porta = [abrem]() -> std::unique_ptr<PortaSerial> {
            auto porta = std::make_unique<teste::Porta_Falsa>();
            for (int n = 1; n <= 31; ++n) {
                if (!abrem.contains(n)) {
                    porta->recusa_abertura[n] = "ausente";
                }
            }
            return porta;
        };
        auto tela = std::make_unique<Form4>(
            variaveis,
            Servicos_Configuracao(base, criar_porta, std::make_shared<Descoberta_Falsa>(maquina)));
        tela->Definir_Aviso([this](const QString& texto) { avisos.append(texto); });
        tela->show();
        QTest::mouseClick(tela->findChild<QPushButton*>(QStringLiteral("Localizar_COMs")),
                          Qt::LeftButton);
        return tela;
    }

    static QComboBox& Caixa(Form4& tela) {
        return *tela.findChild<QComboBox*>(QStringLiteral("Def_COMs"));
    }

    // Picks the one entry whose text holds `trecho`.
    static void Escolher(Form4& tela, const QString& trecho) {
        QComboBox& caixa = Caixa(tela);
        int achadas = 0;
        int indice = -1;
        for (int i = 0; i < caixa.count(); ++i) {
            if (caixa.itemText(i).contains(trecho)) {
                ++achadas;
                indice = i;
            }
        }
        ASSERT_EQ(achadas, 1) << trecho.toStdString();
        caixa.setCurrentIndex(indice);
        caixa.activated(indice);
    }

    std::string Configuracao() const {
        std::ifstream entrada(Arquivo_Configuracao(base), std::ios::binary);
        return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
    }

    QTemporaryDir temporario;
    Maquina_Falsa maquina{fs::path(temporario.path().toStdU16String())};
    fs::path base = maquina.raiz / "base";
    Variaveis_Programa variaveis = [this] {
        Variaveis_Programa v;
        v.Diretorio_Base = base;
        return v;
    }();
    QStringList avisos;
};

TEST_F(Adaptadores, ListadosComOQueOsIdentificaOuComOMotivo) {
    auto tela = Localizar();
    QStringList textos;
    for (int i = 0; i < Caixa(*tela).count(); ++i) {
        textos.append(Caixa(*tela).itemText(i));
    }
    const QString todos = textos.join(QLatin1Char('\n'));
    EXPECT_EQ(textos.size(), 4) << todos.toStdString();  // the machine's ttyS0 is COM1's
    EXPECT_TRUE(todos.contains(QStringLiteral("FTDI FT232R USB UART, nº de série A1")));
    EXPECT_TRUE(todos.contains(QStringLiteral("FTDI FT232R USB UART, nº de série B2")));
    EXPECT_TRUE(todos.contains(QStringLiteral("PL2303, nº de série P9 (%1) — indisponível: "
                                              "permissão negada: o dispositivo pertence ao grupo")
                                   .arg(QString::fromStdString(maquina.Dev("ttyUSB2").string()))))
        << todos.toStdString();
    EXPECT_TRUE(todos.contains(QStringLiteral("sudo usermod -aG")));
    EXPECT_TRUE(todos.contains(
        QStringLiteral("Uno, nº de série C3 (%1) — indisponível: em uso por outro programa "
                       "(processo 1)")
            .arg(QString::fromStdString(maquina.Dev("ttyACM0").string()))))
        << todos.toStdString();
}

TEST_F(Adaptadores, EscolhaLigaONomeEstavelAoMenorCOMLivreEOMantemNaVolta) {
    {
        auto tela = Localizar();
        Escolher(*tela, QStringLiteral("série B2"));
        EXPECT_EQ(Configuracao(), "COM2\r\n");  // COM1 is the machine's own ttyS0
        Escolher(*tela, QStringLiteral("série A1"));
        EXPECT_EQ(Configuracao(), "COM3\r\n");
    }
    EXPECT_EQ(fs::read_symlink(base / "COM2"),
              maquina.raiz / "by-id" / "usb-FTDI_FT232R_USB_UART_B2-if00-port0");
    EXPECT_EQ(fs::read_symlink(base / "COM3"),
              maquina.raiz / "by-id" / "usb-FTDI_FT232R_USB_UART_A1-if00-port0");

    // Later, with both entries made: B2 is listed once, under its number, and keeps it.
    auto tela = Localizar({2, 3});
    Escolher(*tela, QStringLiteral("série B2"));
    EXPECT_EQ(Configuracao(), "COM2\r\n");
    EXPECT_TRUE(avisos.isEmpty()) << avisos.join(QLatin1Char('\n')).toStdString();
}

TEST_F(Adaptadores, PortaIndisponivelNaoEGravada) {
    auto tela = Localizar();
    Escolher(*tela, QStringLiteral("série P9"));
    EXPECT_FALSE(fs::exists(Arquivo_Configuracao(base)));
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos.front().startsWith(QStringLiteral("Esta porta não pode ser usada: ")));
}

}  // namespace
}  // namespace qx7
