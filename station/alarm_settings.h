#pragma once
// The alarms' settings in Preferencias.ini, group [Alarmes], in percent of the tank where they
// are levels: Alto, MuitoAlto, Baixo, MuitoBaixo and Histerese for every tank, TanqueN\Alto
// (and the other levels) for tank N over them; QuedaVolume and QuedaMinutos; SemRespostaMinutos;
// DescargaMinima; PrevisaoDias. An integrator provisions them by file; the history window edits
// the same keys. A value out of its range is refused with the reason.

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <optional>

#include "gauge/alarms.h"

namespace qx7 {

inline constexpr const char* Grupo_Alarmes = "Alarmes";

// A level key, for the defaults and under TanqueN.
struct Chave_Nivel {
    const char* nome;
    std::optional<double> Limites_Nivel::*membro;
};
// From the lowest level up: each one set must lie below the next one set.
extern const std::array<Chave_Nivel, 4> Chaves_Nivel;
inline constexpr double Nivel_Minimo = 0;
inline constexpr double Nivel_Maximo = 100;

// A setting of every tank: a real or a whole number of Config_Alarmes within its range.
struct Chave_Geral {
    const char* nome;
    double minimo;
    double maximo;
    double Config_Alarmes::*real = nullptr;
    int Config_Alarmes::*inteiro = nullptr;
};
extern const std::array<Chave_Geral, 6> Chaves_Gerais;
// Why `valor` cannot stand for the key (out of range, not whole); empty when it can.
QString Motivo_Chave_Geral(const Chave_Geral& chave, double valor);

// A number as an integrator writes it, with a point or a comma; none when it is not one.
std::optional<double> Numero_Preferencia(const QVariant& valor);
// The key as the file shows it: "Alto" for the defaults (tank 0), "Tanque3\Alto" for tank 3.
QString Nome_Chave(int tanque, const char* nome);
// The reason a text that is no number is refused for `chave`.
QString Motivo_Nao_Numero(const QString& chave, const QString& texto);

struct Leitura_Config_Alarmes {
    Config_Alarmes config;  // the values read, the defaults where a key is absent or refused
    QStringList recusas;    // one line per key refused, naming it and why
};

Leitura_Config_Alarmes Ler_Config_Alarmes(QSettings& preferencias);

// Why the settings cannot be kept (a value out of range, levels in the wrong order); empty when
// they can.
QString Motivo_Recusa(const Config_Alarmes& config);

// The whole group written anew; false when the file could not be written.
bool Gravar_Config_Alarmes(QSettings& preferencias, const Config_Alarmes& config);

}  // namespace qx7
