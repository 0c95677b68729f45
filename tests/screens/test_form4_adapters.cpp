#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "app/setup_services.h"
#include "screens/setup/form4.h"
#include "station/base_dir.h"
#include "station/port_lock.h"
#include "tests/support/pty.h"

namespace qx7 {
namespace {

namespace fs = std::filesystem;

// A machine with one serial port of its own, two adapters of one model told apart by their
// serial numbers (one of them not judged, may still be picked), one the operator may not open,
// one held by a live process, one without a serial number in a known USB socket and one
// without either. Each device is a
// pseudo-terminal behind a name in the machine's own /dev.
struct Maquina_Falsa {
    explicit Maquina_Falsa(const fs::path& raiz) : raiz(raiz) {
        for (const char* pasta : {"dev", "by-id", "by-path", "trava", "base"}) {
            fs::create_directory(raiz / pasta);
        }
        for (const Porta_Sistema& porta : portas) {
            fs::create_symlink(terminais[porta.nome].Caminho_Escravo(), porta.dispositivo);
        }
        for (const auto& [pasta, ligacao, alvo] : ligacoes) {
            fs::create_symlink(Dev(alvo), raiz / pasta / ligacao);
        }
        // The lock a running copy of this program leaves on the Arduino; on A1, something in a
        // lock's place that cannot be read.
        std::ofstream(raiz / "trava" / Nome_Trava(terminais["ttyACM0"].Caminho_Escravo()))
            << ::getpid() << "\n"
            << fs::read_symlink("/proc/self/exe").filename().string() << "\n";
        const fs::path fifo = raiz / "trava" / Nome_Trava(terminais["ttyUSB0"].Caminho_Escravo());
        ::mkfifo(fifo.c_str(), 0600);
    }

    fs::path Dev(const std::string& nome) const { return raiz / "dev" / nome; }

    fs::path raiz;
    std::map<std::string, teste::Pseudo_Terminal> terminais;
    std::vector<Porta_Sistema> portas{
        {"ttyS0", Dev("ttyS0"), {}, {}, {}, {}, false},
        {"ttyUSB0", Dev("ttyUSB0"), "FTDI", "FT232R USB UART", "A1", {}, false},
        {"ttyUSB1", Dev("ttyUSB1"), "FTDI", "FT232R USB UART", "B2", {}, false},
        {"ttyUSB2", Dev("ttyUSB2"), "Prolific", "PL2303", "P9", {}, false},
        {"ttyACM0", Dev("ttyACM0"), "Arduino", "Uno", "C3", {}, false},
        {"ttyUSB3", Dev("ttyUSB3"), {}, "CH340", {}, {}, false},
        {"ttyUSB4", Dev("ttyUSB4"), {}, "CP2102", {}, {}, false},
    };
    struct Ligacao {
        const char* pasta;
        const char* nome;
        const char* alvo;
    };
    std::vector<Ligacao> ligacoes{
        {"by-id", "usb-FTDI_FT232R_USB_UART_A1-if00-port0", "ttyUSB0"},
        {"by-id", "usb-FTDI_FT232R_USB_UART_B2-if00-port0", "ttyUSB1"},
        {"by-id", "usb-Prolific_PL2303_P9-if00-port0", "ttyUSB2"},
        {"by-id", "usb-Arduino_Uno_C3-if00", "ttyACM0"},
        // Both serial-less adapters share one by-id name; only one socket is known.
        {"by-id", "usb-1a86_USB_Serial-if00-port0", "ttyUSB3"},
        {"by-path", "pci-0000:00:14.0-usb-0:3:1.0-port0", "ttyUSB3"},
    };
};

class Descoberta_Falsa : public Descoberta_Portas {
  public:
    explicit Descoberta_Falsa(const Maquina_Falsa& maquina)
        : Descoberta_Portas({.classe_tty = maquina.raiz / "sys",
                             .dispositivos = maquina.raiz / "dev",
                             .por_id = maquina.raiz / "by-id",
                             .por_caminho = maquina.raiz / "by-path",
                             .travas = {maquina.raiz / "trava"}}),
          maquina_(maquina) {}
    std::vector<Porta_Sistema> Listar() const override { return maquina_.portas; }
    // The Prolific is the one this user may not open.
    int Acesso(const fs::path& dispositivo) const override {
        return Mesmo_Dispositivo(dispositivo, maquina_.Dev("ttyUSB2"))
                   ? EACCES
                   : Descoberta_Portas::Acesso(dispositivo);
    }

  private:
    const Maquina_Falsa& maquina_;
};

class Adaptadores : public ::testing::Test {
  protected:
    std::unique_ptr<Form4> Localizar() {
        auto tela = std::make_unique<Form4>(
            variaveis, Servicos_Configuracao(base, std::make_shared<Descoberta_Falsa>(maquina)));
        tela->Definir_Aviso([this](const QString& texto) { avisos.append(texto); });
        tela->show();
        QTest::mouseClick(tela->findChild<QPushButton*>(QStringLiteral("Localizar_COMs")),
                          Qt::LeftButton);
        return tela;
    }

    static QComboBox& Caixa(Form4& tela) {
        return *tela.findChild<QComboBox*>(QStringLiteral("Def_COMs"));
    }

    // The one entry whose text holds `trecho`.
    static int Indice(Form4& tela, const QString& trecho) {
        QComboBox& caixa = Caixa(tela);
        int indice = -1;
        for (int i = 0; i < caixa.count(); ++i) {
            if (caixa.itemText(i).contains(trecho)) {
                EXPECT_EQ(indice, -1) << trecho.toStdString() << " listed twice";
                indice = i;
            }
        }
        EXPECT_NE(indice, -1) << trecho.toStdString() << " not listed";
        return indice;
    }

    static void Escolher(Form4& tela, const QString& trecho) {
        const int indice = Indice(tela, trecho);
        ASSERT_NE(indice, -1);
        Caixa(tela).setCurrentIndex(indice);
        Caixa(tela).activated(indice);
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
    const struct {
        const char* trecho;  // what identifies the adapter
        const char* depois;  // what follows it in the entry (UTF-8)
    } esperados[] = {
        {"FTDI FT232R USB UART, nº de série A1", " — não verificada: a trava "},
        {"FTDI FT232R USB UART, nº de série B2", ""},
        {"PL2303, nº de série P9", " — indisponível: permissão negada: "},
        {"Uno, nº de série C3", " — indisponível: em uso por este programa"},
        {"CH340", " — sem número de série próprio: será achado pela porta USB em que está"},
        {"CP2102", " — indisponível: o adaptador não tem número de série próprio"},
    };
    for (const auto& e : esperados) {
        const int i = Indice(*tela, QString::fromUtf8(e.trecho));
        ASSERT_NE(i, -1);
        const QString texto = Caixa(*tela).itemText(i);
        EXPECT_TRUE(texto.contains(QString::fromUtf8(e.depois))) << texto.toStdString();
    }
    // The machine's own ttyS0 is COM1's, not an adapter's.
    for (int i = 0; i < Caixa(*tela).count(); ++i) {
        EXPECT_FALSE(Caixa(*tela).itemText(i).contains(QStringLiteral("ttyS0")));
    }
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
    auto tela = Localizar();
    EXPECT_TRUE(Caixa(*tela)
                    .itemText(Indice(*tela, QStringLiteral("série B2")))
                    .startsWith(QStringLiteral("COM2 — ")));
    Escolher(*tela, QStringLiteral("série B2"));
    EXPECT_EQ(Configuracao(), "COM2\r\n");
    EXPECT_TRUE(avisos.isEmpty()) << avisos.join(QLatin1Char('\n')).toStdString();
}

TEST_F(Adaptadores, SemNumeroDeSerieLigadoPelaPortaUsbComAviso) {
    auto tela = Localizar();
    Escolher(*tela, QStringLiteral("CH340"));
    EXPECT_EQ(Configuracao(), "COM2\r\n");
    EXPECT_EQ(fs::read_symlink(base / "COM2"),
              maquina.raiz / "by-path" / "pci-0000:00:14.0-usb-0:3:1.0-port0");
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_TRUE(avisos[0].contains(QStringLiteral("mesma porta USB"))) << avisos[0].toStdString();
    EXPECT_EQ(Resolver_COM(base, 2).situacao, Dispositivo_COM::Situacao::Pronto);
}

TEST_F(Adaptadores, PortaIndisponivelNaoEGravada) {
    auto tela = Localizar();
    for (const char* trecho : {"série P9", "série C3", "CP2102"}) {
        avisos.clear();
        Escolher(*tela, QString::fromUtf8(trecho));
        EXPECT_FALSE(fs::exists(Arquivo_Configuracao(base))) << trecho;
        ASSERT_EQ(avisos.size(), 1) << trecho;
        EXPECT_TRUE(avisos.front().startsWith(QStringLiteral("Esta porta não pode ser usada: ")));
    }
    EXPECT_TRUE(fs::is_empty(base));
}

}  // namespace
}  // namespace qx7
