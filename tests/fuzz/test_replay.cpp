// Every input of the seed corpus, and every input that once broke the program, is played
// again in the ordinary test builds.
#include <gtest/gtest.h>

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
    return arquivos;
}

TEST(Reproducao, TodasAsEntradasPassamSemQuebrarInvariantes) {
    const auto arquivos = Entradas();
    ASSERT_GE(arquivos.size(), 10u) << "the seed corpus is missing";
    for (const auto& arquivo : arquivos) {
        SCOPED_TRACE(arquivo.string());
        std::ifstream entrada(arquivo, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(entrada),
                                std::istreambuf_iterator<char>()};
        qx7::teste::Exercitar_Linha(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                    bytes.size());
    }
}

}  // namespace
