// The COMn link by which the program finds the simulator, and the base directory it uses.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>

#include "tools/simulador/serial_line.h"

namespace qx7::simulador {
namespace {

namespace fs = std::filesystem;

class SimuladorLinkCom : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string modelo = fs::temp_directory_path() / "simulador-link-XXXXXX";
        ASSERT_NE(mkdtemp(modelo.data()), nullptr);
        diretorio = modelo;
    }
    void TearDown() override { fs::remove_all(diretorio); }
    fs::path diretorio;
};

TEST_F(SimuladorLinkCom, CriaODiretorioEOLink) {
    fs::path link;
    std::string erro;
    ASSERT_TRUE(Criar_Link_COM(diretorio / "novo", 3, "/dev/pts/7", link, erro)) << erro;
    EXPECT_EQ(link, diretorio / "novo" / "COM3");
    EXPECT_EQ(fs::read_symlink(link), "/dev/pts/7");
}

TEST_F(SimuladorLinkCom, SubstituiOLinkDeUmSimuladorAnterior) {
    fs::create_symlink("/dev/pts/99", diretorio / "COM1");
    fs::path link;
    std::string erro;
    ASSERT_TRUE(Criar_Link_COM(diretorio, 1, "/dev/pts/4", link, erro)) << erro;
    EXPECT_EQ(fs::read_symlink(link), "/dev/pts/4");
}

TEST_F(SimuladorLinkCom, RecusaOQueNaoESeu) {
    std::ofstream(diretorio / "COM2") << "arquivo";
    fs::create_symlink("/dev/ttyUSB0", diretorio / "COM5");
    for (const int n : {2, 5}) {
        fs::path link;
        std::string erro;
        EXPECT_FALSE(Criar_Link_COM(diretorio, n, "/dev/pts/4", link, erro));
        EXPECT_NE(erro.find("já existe"), std::string::npos) << erro;
    }
    EXPECT_TRUE(fs::is_regular_file(diretorio / "COM2"));
    EXPECT_EQ(fs::read_symlink(diretorio / "COM5"), "/dev/ttyUSB0");
}

TEST_F(SimuladorLinkCom, PortaConfiguradaSemFimDeLinha) {
    EXPECT_FALSE(Porta_Configurada(diretorio));
    std::ofstream(diretorio / "Configuração.TXT", std::ios::binary) << "COM4\r\n";
    EXPECT_EQ(Porta_Configurada(diretorio), "COM4");
}

TEST(SimuladorDiretorioBase, SegueORegraDoPrograma) {
    const char* base = getenv("QX7_DIRETORIO_BASE");
    const char* xdg = getenv("XDG_CONFIG_HOME");
    const std::string base_antes = base ? base : "", xdg_antes = xdg ? xdg : "";
    setenv("QX7_DIRETORIO_BASE", "/tmp/base-qx7", 1);
    EXPECT_EQ(Diretorio_Base_Programa(), "/tmp/base-qx7");
    unsetenv("QX7_DIRETORIO_BASE");
    setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(Diretorio_Base_Programa(), fs::path("/tmp/xdg") / "Comunicação QX7");
    setenv("XDG_CONFIG_HOME", "relativo", 1);
    const char* home = getenv("HOME");
    EXPECT_EQ(Diretorio_Base_Programa(),
              fs::path(home ? home : ".") / ".config" / "Comunicação QX7");
    base ? setenv("QX7_DIRETORIO_BASE", base_antes.c_str(), 1) : unsetenv("QX7_DIRETORIO_BASE");
    xdg ? setenv("XDG_CONFIG_HOME", xdg_antes.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace qx7::simulador
