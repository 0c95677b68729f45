// Every input of the seed corpus, and every input that once broke the program, is played
// again in the ordinary test builds, one test per file so that a failure names its input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/line_harness.h"

namespace {

std::vector<std::filesystem::path> Entradas() {
    std::vector<std::filesystem::path> arquivos;
    for (const char* pasta : {QX7_CORPUS_DIR, QX7_REGRESSOES_DIR}) {
        for (const auto& item : std::filesystem::directory_iterator(pasta)) {
            if (item.is_regular_file() && item.path().filename() != "README") {
                arquivos.push_back(item.path());
            }
        }
    }
    std::sort(arquivos.begin(), arquivos.end());
    return arquivos;
}

// The test's name: the folder and the file, in the characters gtest accepts.
std::string Nome_Do_Teste(const std::filesystem::path& arquivo) {
    std::string nome =
        arquivo.parent_path().filename().string() + "_" + arquivo.filename().string();
    std::replace_if(
        nome.begin(), nome.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return nome;
}

TEST(Reproducao, CorpusPresente) {
    EXPECT_GE(Entradas().size(), 10u) << "the seed corpus is missing";
}

class Entrada_Gravada : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(Entrada_Gravada, PassaSemQuebrarInvariantes) {
    std::ifstream entrada(GetParam(), std::ios::binary);
    ASSERT_TRUE(entrada) << GetParam();
    const std::string bytes{std::istreambuf_iterator<char>(entrada),
                            std::istreambuf_iterator<char>()};
    EXPECT_EQ(qx7::teste::Exercitar_Linha(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                          bytes.size()),
              "")
        << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Reproducao, Entrada_Gravada, ::testing::ValuesIn(Entradas()),
                         [](const auto& info) { return Nome_Do_Teste(info.param); });

}  // namespace
