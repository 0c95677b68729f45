// How a port is judged without opening it: the kernel's terminal drivers, the lock files the
// opening honours, the permission advice and the ports sysfs lists.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>

#include "station/port_discovery.h"
#include "station/port_lock.h"
#include "station/port_reason.h"
#include "station/sysfs_ports.h"
#include "station/tty_check.h"
#include "tests/support/pty.h"

namespace qx7 {
namespace {

namespace fs = std::filesystem;

void Escrever(const fs::path& arquivo, const std::string& conteudo) {
    fs::create_directories(arquivo.parent_path());
    std::ofstream(arquivo) << conteudo;
}

TEST(Terminal_Serial, SoDriversSeriaisEEscravosDePty) {
    const std::string tabela =
        "/dev/tty             /dev/tty        5       0 system:/dev/tty\n"
        "serial               /dev/ttyS       4 64-111 serial\n"
        "usbserial            /dev/ttyUSB   188 0-511 serial\n"
        "pty_slave            /dev/pts      136 0-1048575 pty:slave\n"
        "pty_master           /dev/ptm      128 0-1048575 pty:master\n"
        "unknown              /dev/tty        4 1-63 console\n";
    const struct {
        unsigned maior, menor;
        bool terminal;
    } casos[] = {{4, 64, true},  {4, 111, true},  {4, 112, false}, {4, 1, false}, {188, 3, true},
                 {136, 7, true}, {128, 7, false}, {5, 0, false},   {1, 3, false}};
    for (const auto& caso : casos) {
        EXPECT_EQ(Terminal_Serial(tabela, caso.maior, caso.menor), caso.terminal)
            << caso.maior << ":" << caso.menor;
    }
}

// Beyond the kernel's largest process number: never a live process.
constexpr long Processo_Inexistente = 4194305;

std::string Boot_Atual() {
    std::ifstream arquivo("/proc/sys/kernel/random/boot_id");
    std::string boot;
    arquivo >> boot;
    return boot;
}

// The lock as Qt writes it: process, program, host, machine, boot.
std::string Trava_Qt(long processo, const std::string& programa, const std::string& boot) {
    return std::to_string(processo) + "\n" + programa + "\nestacao\nmaquina\n" + boot + "\n";
}

struct Caso_Trava {
    const char* nome;
    std::function<std::string()> conteudo;  // empty function: no lock file
    Estado_Trava::Tipo tipo;
};

const std::string Este_Programa = fs::read_symlink("/proc/self/exe").filename().string();

const Caso_Trava Casos_Trava[] = {
    {"SemTrava", {}, Estado_Trava::Tipo::Livre},
    {"ProcessoVivoDoMesmoProgramaNesteBoot",
     [] { return Trava_Qt(::getpid(), Este_Programa, Boot_Atual()); }, Estado_Trava::Tipo::Presa},
    {"SemLinhaDeBootComoQtAntigo",
     [] { return std::to_string(::getpid()) + "\n" + Este_Programa + "\nestacao\n"; },
     Estado_Trava::Tipo::Presa},
    {"ProcessoDeOutroPrograma", [] { return Trava_Qt(::getpid(), "minicom", Boot_Atual()); },
     Estado_Trava::Tipo::Livre},
    {"DeOutroBoot",
     [] { return Trava_Qt(::getpid(), Este_Programa, "00000000-0000-0000-0000-000000000000"); },
     Estado_Trava::Tipo::Livre},
    {"ProcessoQueTerminou",
     [] { return Trava_Qt(Processo_Inexistente, Este_Programa, Boot_Atual()); },
     Estado_Trava::Tipo::Livre},
    {"UmaLinhaSemPrograma", [] { return "      " + std::to_string(::getpid()) + "\n"; },
     Estado_Trava::Tipo::Livre},
    {"Lixo", [] { return std::string("trava\n"); }, Estado_Trava::Tipo::Livre},
};

class Travas : public ::testing::TestWithParam<Caso_Trava> {
  protected:
    QTemporaryDir temporario;
    fs::path pasta = fs::path(temporario.path().toStdU16String());
    teste::Pseudo_Terminal terminal;
};

TEST_P(Travas, SoContaAQueAAberturaRespeita) {
    if (GetParam().conteudo) {
        Escrever(pasta / Nome_Trava(terminal.Caminho_Escravo()), GetParam().conteudo());
    }
    const Estado_Trava estado = Consultar_Trava({pasta}, terminal.Caminho_Escravo());
    EXPECT_EQ(estado.tipo, GetParam().tipo);
    if (estado.tipo == Estado_Trava::Tipo::Presa) {
        EXPECT_EQ(estado.processo, ::getpid());
    }
}

INSTANTIATE_TEST_SUITE_P(Conteudos, Travas, ::testing::ValuesIn(Casos_Trava),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Travas, UmFifoNoLugarDaTravaNaoPrendeASondagem) {
    const fs::path fifo = pasta / Nome_Trava(terminal.Caminho_Escravo());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Estado_Trava estado = Consultar_Trava({pasta}, terminal.Caminho_Escravo());
    EXPECT_EQ(estado.tipo, Estado_Trava::Tipo::Ilegivel);
    EXPECT_EQ(estado.arquivo, fifo);
}

// A discovery whose every folder is the test's own, that may deny access.
class Descoberta_Teste : public Descoberta_Portas {
  public:
    Descoberta_Teste(const fs::path& raiz, int negar = 0)
        : Descoberta_Portas({.classe_tty = raiz / "sys",
                             .dispositivos = raiz / "dev",
                             .por_id = raiz / "by-id",
                             .por_caminho = raiz / "by-path",
                             .travas = {raiz / "trava"}}),
          negar_(negar) {}
    int Acesso(const fs::path& dispositivo) const override {
        return negar_ != 0 ? negar_ : Descoberta_Portas::Acesso(dispositivo);
    }

  private:
    int negar_;
};

TEST_F(Travas, UmaTravaEmTmpNaoTornaAPortaOcupada) {
    const std::string trava = Trava_Qt(::getpid(), Este_Programa, Boot_Atual());
    const fs::path em_tmp =
        fs::path(QDir::tempPath().toStdU16String()) / Nome_Trava(terminal.Caminho_Escravo());
    Escrever(em_tmp, trava);
    const Juizo_Porta sistema = Julgar_Dispositivo(Descoberta_Portas(), terminal.Caminho_Escravo());
    fs::remove(em_tmp);
    EXPECT_EQ(sistema.situacao, Juizo_Porta::Situacao::Livre) << sistema.motivo;

    // The same lock in a lock folder counts.
    Escrever(pasta / "trava" / Nome_Trava(terminal.Caminho_Escravo()), trava);
    const Juizo_Porta travada =
        Julgar_Dispositivo(Descoberta_Teste(pasta), terminal.Caminho_Escravo());
    EXPECT_EQ(travada.situacao, Juizo_Porta::Situacao::Indisponivel);
    EXPECT_EQ(travada.motivo, "em uso por este programa");
}

TEST_F(Travas, SemPermissaoNaoAconselhaUmGrupoQueNaoLeEEscreve) {
    // A pseudo-terminal's group (tty) may only write to it.
    const Juizo_Porta juizo =
        Julgar_Dispositivo(Descoberta_Teste(pasta, EACCES), terminal.Caminho_Escravo());
    EXPECT_EQ(juizo.situacao, Juizo_Porta::Situacao::Indisponivel);
    EXPECT_TRUE(juizo.motivo.starts_with("permissão negada: dono ")) << juizo.motivo;
    EXPECT_EQ(juizo.motivo.find("usermod"), std::string::npos) << juizo.motivo;
}

TEST(Motivo_Sem_Permissao, GrupoSoQuandoLeEEscreveENaoERoot) {
    const struct {
        unsigned gid;
        const char* grupo;
        unsigned modo;
        const char* esperado;
    } casos[] = {
        {20, "dialout", S_IFCHR | 0660,
         "permissão negada: o dispositivo pertence ao grupo dialout; para usá-lo, execute sudo "
         "usermod -aG dialout $USER (é preciso sair e entrar de novo na sessão)"},
        {0, "root", S_IFCHR | 0660,
         "permissão negada: dono root, grupo root, permissões crw-rw----; peça ao "
         "administrador acesso de leitura e escrita ao dispositivo"},
    };
    for (const auto& caso : casos) {
        EXPECT_EQ(Motivo_Sem_Permissao(Direitos_Arquivo{
                      .dono = "root", .grupo = caso.grupo, .gid = caso.gid, .modo = caso.modo}),
                  caso.esperado);
    }
    EXPECT_EQ(Motivo_Sem_Permissao(std::nullopt), "permissão negada");
}

// A sysfs of one USB adapter with a serial number, one without, a real UART, an address with
// no UART and a virtual console.
TEST(Portas_Do_Sysfs, SoPortasComDispositivoEUart) {
    QTemporaryDir temporario;
    const fs::path raiz(temporario.path().toStdU16String());
    const fs::path classe = raiz / "class" / "tty";
    fs::create_directories(classe);
    const auto porta = [&](const char* nome, const fs::path& aparelho, const char* tipo) {
        const fs::path pasta = raiz / "devices" / "tty" / nome;
        fs::create_directories(pasta);
        if (!aparelho.empty()) {
            fs::create_directories(aparelho);
            fs::create_directory_symlink(aparelho, pasta / "device");
        }
        if (tipo != nullptr) {
            Escrever(pasta / "type", tipo);
        }
        fs::create_directory_symlink(pasta, classe / nome);
    };
    const fs::path usb = raiz / "devices" / "usb1" / "1-2";
    const fs::path usb_sem_serie = raiz / "devices" / "usb1" / "1-3";
    Escrever(usb / "idVendor", "0403\n");
    Escrever(usb / "manufacturer", "FTDI\n");
    Escrever(usb / "product", "FT232R USB UART\n");
    Escrever(usb / "serial", "A1B2\n");
    Escrever(usb_sem_serie / "idVendor", "1a86\n");
    Escrever(usb_sem_serie / "product", "USB Serial\n");
    porta("ttyUSB0", usb / "1-2:1.0" / "ttyUSB0", nullptr);
    porta("ttyACM0", usb_sem_serie / "1-3:1.0", nullptr);
    porta("ttyS0", raiz / "devices" / "serial8250", "4\n");
    porta("ttyS1", raiz / "devices" / "serial8250", "0\n");
    porta("tty0", {}, nullptr);

    const std::vector<Porta_Sistema> portas = Portas_Do_Sysfs(classe, "/dev");
    ASSERT_EQ(portas.size(), 3u);
    const struct {
        const char* nome;
        const char* fabricante;
        const char* produto;
        const char* serie;
    } esperadas[] = {{"ttyACM0", "", "USB Serial", ""},
                     {"ttyS0", "", "", ""},
                     {"ttyUSB0", "FTDI", "FT232R USB UART", "A1B2"}};
    for (std::size_t i = 0; i < portas.size(); ++i) {
        EXPECT_EQ(portas[i].nome, esperadas[i].nome);
        EXPECT_EQ(portas[i].dispositivo, fs::path("/dev") / esperadas[i].nome);
        EXPECT_EQ(portas[i].fabricante, esperadas[i].fabricante) << i;
        EXPECT_EQ(portas[i].produto, esperadas[i].produto) << i;
        EXPECT_EQ(portas[i].numero_serie, esperadas[i].serie) << i;
    }
}

// Adapters and the links udev made for them: by-id for the one whose serial number is its own,
// by-path (the USB socket) for the others, nothing for one with neither.
TEST(Portas_Presentes, NomeEstavelSoQuandoEDoAdaptador) {
    QTemporaryDir temporario;
    const fs::path raiz(temporario.path().toStdU16String());
    struct Adaptador {
        const char* nome;
        const char* serie;
        const char* por_id;  // nullptr: no by-id link leads to it
        const char* por_caminho;
        const char* esperado;  // the link chosen
        bool pela_porta_fisica;
    };
    const Adaptador adaptadores[] = {
        {"ttyUSB0", "A1", "usb-FTDI_A1", "usb-0:1:1.0", "by-id/usb-FTDI_A1", false},
        {"ttyUSB1", "", "usb-1a86_USB_Serial", "usb-0:2:1.0", "by-path/usb-0:2:1.0", true},
        {"ttyUSB2", "0001", nullptr, "usb-0:3:1.0", "by-path/usb-0:3:1.0", true},
        {"ttyUSB3", "0001", "usb-Silicon_0001", "usb-0:4:1.0", "by-path/usb-0:4:1.0", true},
        {"ttyUSB4", "", nullptr, nullptr, "", false},
        {"ttyUSB5", "B2", nullptr, "usb-0:6:1.0", "by-path/usb-0:6:1.0", true},
    };
    class Lista : public Descoberta_Teste {
      public:
        using Descoberta_Teste::Descoberta_Teste;
        std::vector<Porta_Sistema> Listar() const override { return portas; }
        std::vector<Porta_Sistema> portas;
    } descoberta(raiz);
    for (const char* pasta : {"dev", "by-id", "by-path"}) {
        fs::create_directories(raiz / pasta);
    }
    for (const Adaptador& a : adaptadores) {
        const fs::path dispositivo = raiz / "dev" / a.nome;
        Escrever(dispositivo, "");
        const std::string produto = a.serie == std::string("0001") ? "CP2102" : a.nome;
        descoberta.portas.push_back({.nome = a.nome,
                                     .dispositivo = dispositivo,
                                     .fabricante = "Fabricante",
                                     .produto = produto,
                                     .numero_serie = a.serie,
                                     .nome_estavel = {},
                                     .pela_porta_fisica = false});
        if (a.por_id != nullptr) {
            fs::create_symlink(dispositivo, raiz / "by-id" / a.por_id);
        }
        if (a.por_caminho != nullptr) {
            fs::create_symlink(dispositivo, raiz / "by-path" / a.por_caminho);
        }
    }
    const std::vector<Porta_Sistema> portas = Portas_Presentes(descoberta);
    ASSERT_EQ(portas.size(), std::size(adaptadores));
    for (std::size_t i = 0; i < portas.size(); ++i) {
        const Adaptador& a = adaptadores[i];
        EXPECT_EQ(portas[i].nome_estavel, *a.esperado != '\0' ? raiz / a.esperado : fs::path())
            << a.nome;
        EXPECT_EQ(portas[i].pela_porta_fisica, a.pela_porta_fisica) << a.nome;
    }
}

}  // namespace
}  // namespace qx7
