#include "app/config_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "app/base_dir.h"

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

TEST_F(Arquivo_Configuracao_Teste, GravacaoImpossivelDizPorque) {
    // A directory where the file should be cannot be written, whoever runs the test.
    std::filesystem::create_directory(arquivo);
    std::string erro;
    EXPECT_FALSE(Gravar_Configuracao(arquivo, "COM3", erro));
    EXPECT_FALSE(erro.empty());

    erro.clear();
    EXPECT_FALSE(Gravar_Configuracao(base / "falta" / "Configuracao.TXT", "COM3", erro));
    EXPECT_FALSE(erro.empty());
}

}  // namespace
}  // namespace qx7
