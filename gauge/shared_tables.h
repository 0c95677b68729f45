#pragma once
// The program-wide variables in which the screens, the panel and the decoders meet. One
// instance lives as long as the program; everything that reads or writes it gets a reference.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace qx7 {

inline constexpr int Slots_Tanques = 17;     // tank slots 0..16
inline constexpr int Campos_Tanque = 8;      // fields 0..7
inline constexpr int Linhas_Medicoes = 101;  // result rows 0..100
inline constexpr int Colunas_Medicoes = 11;  // result columns 0..10

struct Variaveis_Programa {
    std::filesystem::path Diretorio_Base;
    // Texts in the line's code page, exactly as the decoders store them.
    std::array<std::array<std::string, Campos_Tanque>, Slots_Tanques> Tabela_Tanques{};
    std::array<std::array<std::string, Colunas_Medicoes>, Linhas_Medicoes> Resultados_Medicoes{};
    std::int16_t Num_Medicoes = 0;
    bool Modo_Inventario = false;
    std::string Data_Solicitada;
    std::string Senha_Usuario;
    std::string Porta_Selecionada;
};

}  // namespace qx7
