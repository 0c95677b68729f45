#include "station/config_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "station/base_dir.h"

namespace qx7 {
namespace {

std::filesystem::path Caminho(const QString& texto) {
    return std::filesystem::path(texto.toStdU16String());
}

class Arquivo_Configuracao_Teste : public ::testing::Test {
  protected:
    void Escrever(std::string_view conteudo) {
        std::ofstream saida(arquivo, std::ios::binary | std::ios::trunc);
        saida.write(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
    }

    std::string Conteudo() const {
        std::ifstream entrada(arquivo, std::ios::binary);
        return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
    }

    QTemporaryDir temporario;
    std::filesystem::path base = Caminho(temporario.path());
    std::filesystem::path arquivo = Arquivo_Configuracao(base);
};

struct Variante {
    const char* conteudo;  // the file as written, CR LF included
    std::optional<std::string> campo;
    std::optional<int> porta;  // nothing: the start-up must recover
};

class Variantes_Arquivo : public Arquivo_Configuracao_Teste,
                          public ::testing::WithParamInterface<Variante> {};

TEST_P(Variantes_Arquivo, PrimeiroCampoENumeroDaPorta) {
    const Variante& v = GetParam();
    Escrever(v.conteudo);
    const std::optional<std::string> campo = Ler_Primeiro_Campo(arquivo);
    EXPECT_EQ(campo, v.campo);
    const std::optional<int> porta = campo ? Numero_Porta(*campo) : std::nullopt;
    EXPECT_EQ(porta, v.porta);
}

INSTANTIATE_TEST_SUITE_P(
    Configuracao, Variantes_Arquivo,
    ::testing::Values(Variante{"COM3\r\n", "COM3", 3}, Variante{"COM12\r\n", "COM12", 12},
                      Variante{"COM3,9\r\n", "COM3", 3}, Variante{" COM4\r\n", "COM4", 4},
                      Variante{"COM 7\r\n", "COM 7", 7}, Variante{"COM2.5\r\n", "COM2.5", 2},
                      Variante{"COM3.5\r\n", "COM3.5", 4}, Variante{"COM\r\n", "COM", 0},
                      Variante{"CO\r\n", "CO", std::nullopt},
                      Variante{"", std::nullopt, std::nullopt}, Variante{"\r\n", "", std::nullopt},
                      Variante{"COM0\r\n", "COM0", 0}, Variante{"COM5", "COM5", 5},
                      Variante{"COM6\nCOM8\r\n", "COM6", 6},
                      Variante{"\tCOM9,1,2\r\n", "COM9", 9}));

TEST_F(Arquivo_Configuracao_Teste, ArquivoAusenteNaoTemCampo) {
    EXPECT_EQ(Ler_Primeiro_Campo(arquivo), std::nullopt);
    EXPECT_EQ(Ler_Primeiro_Campo(base / "nao-existe" / "Configuracao.TXT"), std::nullopt);
}

TEST_F(Arquivo_Configuracao_Teste, TextoNaPaginaDeCodigoDoArquivoPassaIntacto) {
    // "CÔM5" in Windows-1252: Ô is the single byte D4, so three characters are three bytes.
    Escrever("C\xd4M5\r\n");
    const std::optional<std::string> campo = Ler_Primeiro_Campo(arquivo);
    ASSERT_TRUE(campo.has_value());
    EXPECT_EQ(*campo, "C\xd4M5");
    EXPECT_EQ(Numero_Porta(*campo), 5);
}

struct Campo_Numero {
    const char* campo;
    std::optional<int> porta;
};

class Numeros_De_Porta : public ::testing::TestWithParam<Campo_Numero> {};

TEST_P(Numeros_De_Porta, TresCaracteresPuladosERestoArredondadoAoPar) {
    EXPECT_EQ(Numero_Porta(GetParam().campo), GetParam().porta);
}

INSTANTIATE_TEST_SUITE_P(Configuracao, Numeros_De_Porta,
                         ::testing::Values(Campo_Numero{"COM3", 3}, Campo_Numero{"XYZ3", 3},
                                           Campo_Numero{"COM3,9", 3}, Campo_Numero{"COM 1 2", 12},
                                           Campo_Numero{"COM2.5", 2}, Campo_Numero{"COM3.5", 4},
                                           Campo_Numero{"COM4.5", 4}, Campo_Numero{"COMx", 0},
                                           Campo_Numero{"COM", 0}, Campo_Numero{"CO", std::nullopt},
                                           Campo_Numero{"", std::nullopt},
                                           Campo_Numero{"COM-2", -2},
                                           Campo_Numero{"COM1e99", std::nullopt}));

TEST_F(Arquivo_Configuracao_Teste, GravaExatamenteAPortaECrLf) {
    Escrever("COM12,lixo antigo que deve sumir\r\n");
    std::string erro;
    ASSERT_TRUE(Gravar_Configuracao(arquivo, "COM3", erro)) << erro;
    EXPECT_EQ(Conteudo(), "COM3\r\n");
    EXPECT_EQ(Ler_Primeiro_Campo(arquivo), "COM3");
}

TEST_F(Arquivo_Configuracao_Teste, DiretoriosQueFaltamSaoCriados) {
    const std::filesystem::path fundo = Arquivo_Configuracao(base / "a" / u8"Comunicação QX7");
    std::string erro;
    ASSERT_TRUE(Gravar_Configuracao(fundo, "COM12", erro)) << erro;
    std::ifstream entrada(fundo, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(entrada), {}), "COM12\r\n");
    // Nothing but the file is left in the directory.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fundo.parent_path()), {}), 1);
}

// Each obstacle gives its reason in Portuguese and leaves what was there as it was.
enum class Obstaculo {
    Diretorio_No_Lugar,
    Caminho_Por_Arquivo,
    Disco_Cheio,
    Base_Sem_Escrita,
    Arquivo_Somente_Leitura
};

struct Falha_Gravacao {
    Obstaculo obstaculo;
    const char* motivo;  // UTF-8, part of the reason
    bool so_sem_root;    // permissions do not stop root
};

class Gravacoes_Impossiveis : public Arquivo_Configuracao_Teste,
                              public ::testing::WithParamInterface<Falha_Gravacao> {
  protected:
    std::filesystem::path Preparar(Obstaculo obstaculo) {
        switch (obstaculo) {
            case Obstaculo::Diretorio_No_Lugar:
                std::filesystem::create_directory(arquivo);
                return arquivo;
            case Obstaculo::Caminho_Por_Arquivo:
                Escrever("COM1\r\n");
                return Arquivo_Configuracao(arquivo / "base");
            case Obstaculo::Disco_Cheio:
                Escrever("COM1\r\n");
                return arquivo;
            case Obstaculo::Base_Sem_Escrita:
                Escrever("COM1\r\n");
                std::filesystem::permissions(
                    base, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
                return arquivo;
            case Obstaculo::Arquivo_Somente_Leitura:
                Escrever("COM1\r\n");
                std::filesystem::permissions(arquivo, std::filesystem::perms::owner_read);
                return arquivo;
        }
        return arquivo;
    }
};

TEST_P(Gravacoes_Impossiveis, MotivoEmPortuguesEArquivoAntigoIntacto) {
    const Falha_Gravacao& f = GetParam();
    if (f.so_sem_root && ::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    const std::filesystem::path destino = Preparar(f.obstaculo);
    std::string erro;
    bool gravou = false;
    if (f.obstaculo == Obstaculo::Disco_Cheio) {
        // A file-size limit of zero fails the write itself, as a full disk does.
        rlimit antes{};
        ::getrlimit(RLIMIT_FSIZE, &antes);
        const rlimit zero{0, antes.rlim_max};
        const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &zero);
        gravou = Gravar_Configuracao(destino, "COM3", erro);
        ::setrlimit(RLIMIT_FSIZE, &antes);
        std::signal(SIGXFSZ, sinal);
    } else {
        gravou = Gravar_Configuracao(destino, "COM3", erro);
    }
    std::filesystem::permissions(base, std::filesystem::perms::owner_all);
    EXPECT_FALSE(gravou);
    EXPECT_NE(erro.find(f.motivo), std::string::npos) << erro;
    if (f.obstaculo != Obstaculo::Diretorio_No_Lugar) {
        EXPECT_EQ(Conteudo(), "COM1\r\n");
    }
    // No half-written copy is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(base), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Configuracao, Gravacoes_Impossiveis,
    ::testing::Values(Falha_Gravacao{Obstaculo::Diretorio_No_Lugar, "é um diretório", false},
                      Falha_Gravacao{Obstaculo::Caminho_Por_Arquivo, "não é um diretório", false},
                      Falha_Gravacao{Obstaculo::Disco_Cheio, "erro do sistema número", false},
                      Falha_Gravacao{Obstaculo::Base_Sem_Escrita, "permissão negada", true},
                      Falha_Gravacao{Obstaculo::Arquivo_Somente_Leitura, "permissão negada",
                                     true}));

}  // namespace
}  // namespace qx7
