#pragma once
// The answer texts of the gauge (payloads, without framing), field by field as the program
// reads them by position: STX is position 1, the two-letter code positions 2-3.

#include <string>
#include <string_view>

#include "tools/simulador/gauge_config.h"
#include "tools/simulador/gauge_model.h"

namespace qx7::simulador {

// "ID" + address(3) + version(2).
std::string Resposta_Identificacao(const Config_Medidor& config);

// "CF" + tank count(2) + OFE number(6) + meter type(1: "1" station, "0" industrial).
std::string Resposta_Configuracao(const Config_Medidor& config);

// code(2) + tank(3, a blank and two digits) + density(4) + product(2) + capacity(6) +
// measured(6) + complementary(6) + time HHMMSS + date DDMMAA + unit(1, "P" weight, "V"
// volume) + end marker(1: CR on the last answer of a series, a blank otherwise).
std::string Resposta_Medicao(std::string_view codigo, const Tanque_Config& tanque,
                             const Leitura& leitura, bool ultima);

// code(2, "LR" or "AR") + time HHMMSS + date DDMMAA + day of the week(2).
std::string Resposta_Relogio(std::string_view codigo, Hora_Civil agora);

// "MP" + time(6) + date(6) + volume(6) + tank(3) + SOH when more records follow.
std::string Resposta_Programada(const Registro_Programado& registro, bool seguem_mais);

// code(2) + "E" + reason(2): "TI" bad tank number, "NH" tank not enabled, "SL" no records.
std::string Resposta_Erro(std::string_view codigo, std::string_view motivo);

// The tank field: a blank and two digits (" 01" .. " 16").
std::string Campo_Tanque(int t);

}  // namespace qx7::simulador
