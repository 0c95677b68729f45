#include "tools/simulador/civil_time.h"

#include <cstdio>
#include <ctime>

#include "gauge/numeric_text.h"
#include "link/digits.h"

namespace qx7::simulador {

namespace {

using namespace std::chrono;

std::string Tres_Pares(unsigned a, unsigned b, unsigned c) {
    char texto[16];
    std::snprintf(texto, sizeof texto, "%02u%02u%02u", a % 100, b % 100, c % 100);
    return texto;
}

// Two decimal digits, or nothing.
std::optional<unsigned> Par(std::string_view texto, std::size_t posicao) {
    const auto par = texto.substr(posicao, 2);
    if (!So_Digitos(par)) {
        return std::nullopt;
    }
    return static_cast<unsigned>(Valor_Numerico(par));
}

}  // namespace

Hora_Civil Hora_Local_Atual() {
    const std::time_t agora = std::time(nullptr);
    std::tm local{};
    localtime_r(&agora, &local);
    const year_month_day dia{year{local.tm_year + 1900}, month{unsigned(local.tm_mon + 1)},
                             day{unsigned(local.tm_mday)}};
    return sys_days{dia} + hours{local.tm_hour} + minutes{local.tm_min} + seconds{local.tm_sec};
}

std::optional<Hora_Civil> Ler_Data_Hora(std::string_view ddmmaa, std::string_view hhmmss) {
    if (ddmmaa.size() != 6 || hhmmss.size() != 6) {
        return std::nullopt;
    }
    const auto d = Par(ddmmaa, 0), m = Par(ddmmaa, 2), a = Par(ddmmaa, 4);
    const auto h = Par(hhmmss, 0), mi = Par(hhmmss, 2), s = Par(hhmmss, 4);
    if (!d || !m || !a || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) {
        return std::nullopt;
    }
    const year_month_day dia{year{2000 + static_cast<int>(*a)}, month{*m}, day{*d}};
    if (!dia.ok()) {
        return std::nullopt;
    }
    return sys_days{dia} + hours{*h} + minutes{*mi} + seconds{*s};
}

std::string Texto_Hora(Hora_Civil instante) {
    const hh_mm_ss hora{instante - floor<days>(instante)};
    return Tres_Pares(static_cast<unsigned>(hora.hours().count()),
                      static_cast<unsigned>(hora.minutes().count()),
                      static_cast<unsigned>(hora.seconds().count()));
}

std::string Texto_Data(Hora_Civil instante) {
    const year_month_day dia{floor<days>(instante)};
    return Tres_Pares(unsigned(dia.day()), unsigned(dia.month()),
                      static_cast<unsigned>(int(dia.year()) % 100));
}

std::string Texto_Dia(Hora_Civil instante) {
    const weekday semana{floor<days>(instante)};
    char texto[4];
    std::snprintf(texto, sizeof texto, "%02u", semana.c_encoding() + 1);
    return texto;
}

}  // namespace qx7::simulador
