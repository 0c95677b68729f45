#pragma once
// The simulator's settings as "chave = valor" lines, from a small file or from the command
// line (--definir chave=valor). Keys:
//   tanques, endereco, versao, ofe, tipo (posto | industrial), senha, relogio (DDMMAA HHMMSS),
//   tanque.N.produto | densidade | capacidade | medido | complementar | unidade (V | P) | deriva,
//   programada (DDMMAA HHMMSS tanque volume; repeatable), programadas (nenhuma).
// Blank lines and lines starting with # are ignored.

#include <filesystem>
#include <string>
#include <string_view>

#include "tools/simulador/gauge_config.h"

namespace qx7::simulador {

// False, with the reason in `erro`, when the key is unknown or the value is not valid.
bool Aplicar_Definicao(Config_Medidor& medidor, std::string_view chave, std::string_view valor,
                       std::string& erro);

// "chave=valor" as one text.
bool Aplicar_Definicao(Config_Medidor& medidor, std::string_view definicao, std::string& erro);

// Every line of a settings text; the reason names the line that failed.
bool Ler_Configuracao(Config_Medidor& medidor, std::string_view texto, std::string& erro);

bool Ler_Arquivo_Configuracao(Config_Medidor& medidor, const std::filesystem::path& arquivo,
                              std::string& erro);

}  // namespace qx7::simulador
