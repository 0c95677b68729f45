#include <gtest/gtest.h>

#include <vector>

#include "link/line_changes.h"

namespace qx7 {
namespace {

TEST(Eventos_Linhas, CadaLinhaQueMudaDaSeuEvento) {
    const Linhas_Modem desligadas{};
    EXPECT_TRUE(Eventos_Linhas(desligadas, desligadas).empty());
    EXPECT_EQ(Eventos_Linhas(desligadas, {true, false, false, false}), std::vector<int>{3});
    EXPECT_EQ(Eventos_Linhas({true, false, false, false}, desligadas), std::vector<int>{3});
    EXPECT_EQ(Eventos_Linhas(desligadas, {false, true, false, false}), std::vector<int>{4});
    EXPECT_EQ(Eventos_Linhas(desligadas, {false, false, true, false}), std::vector<int>{5});
    EXPECT_EQ(Eventos_Linhas(desligadas, {false, false, false, true}), std::vector<int>{6});
    EXPECT_EQ(Eventos_Linhas(desligadas, {true, true, true, true}), (std::vector<int>{3, 4, 5, 6}));
}

TEST(Eventos_Erros, ContadoresQueCrescemDaoSeuEvento) {
    const Contadores_Erro zero{};
    EXPECT_TRUE(Eventos_Erros(zero, zero).empty());
    EXPECT_EQ(Eventos_Erros(zero, {1, 0, 0, 0}), std::vector<int>{1001});
    EXPECT_EQ(Eventos_Erros(zero, {0, 3, 0, 0}), std::vector<int>{1004});
    EXPECT_EQ(Eventos_Erros(zero, {0, 0, 1, 0}), std::vector<int>{1006});
    EXPECT_EQ(Eventos_Erros(zero, {0, 0, 0, 2}), std::vector<int>{1009});
    EXPECT_EQ(Eventos_Erros({5, 5, 5, 5}, {6, 6, 6, 6}),
              (std::vector<int>{1001, 1004, 1006, 1009}));
    EXPECT_TRUE(Eventos_Erros({5, 5, 5, 5}, {5, 5, 5, 5}).empty());
}

}  // namespace
}  // namespace qx7
