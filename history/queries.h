#pragma once
// What the history window and the export read from a history file. Each function runs on the
// caller's own read-only connection (Leitor_Historico); none of them loads more rows than it
// returns. The readings themselves are in queries_readings.h.

#include <QSqlDatabase>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <utility>
#include <vector>

#include "history/queries_readings.h"
#include "link/link_statistics.h"

namespace qx7 {

// The chart's points of one tank, at most a few per pixel column of the period.
struct Ponto_Grafico {
    qint64 instante_ms = 0;
    double medido = 0;
    double percentual = 0;
};
struct Serie_Tanque {
    int tanque = 0;
    std::vector<Ponto_Grafico> pontos;  // in time order
};
// Each column keeps its first, last, lowest and highest measured value and its lowest and
// highest percentage.
std::vector<Serie_Tanque> Series_Grafico(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                                         int colunas);

struct Total_Produto {
    QString produto, unidade;
    int tanques = 0;
    double capacidade = 0, medido = 0, complementar = 0;
    // Tanks of the product whose measured value was not a number: the sums leave them out.
    int ilegiveis = 0;
};
struct Inventario_Historico {
    qint64 id = 0;
    qint64 instante_ms = 0;
    QString endereco;
    int num_tanques = 0;
    std::vector<Total_Produto> totais;
};
// Newest first.
std::vector<Inventario_Historico> Listar_Inventarios(QSqlDatabase& banco);

// One run's side of a comparison.
struct Lado_Variacao {
    bool presente = false;  // the key is in the run
    double medido = 0;      // the sum of its readable values
    int ilegiveis = 0;      // its readings whose measured value is not a number
    // None when the key is not in the run or a value of it could not be read.
    std::optional<double> Valor() const {
        return presente && ilegiveis == 0 ? std::optional(medido) : std::nullopt;
    }
};

// The stock variation from run `de` to run `ate`: one row per product and unit, and one per
// tank. A key missing from a run, or unreadable in it, has no variation: nothing counts as 0.
struct Variacao {
    QString chave;  // product, or tank number
    QString unidade;
    Lado_Variacao de, ate;
    std::optional<double> variacao() const {
        const auto a = de.Valor();
        const auto b = ate.Valor();
        return a && b ? std::optional(*b - *a) : std::nullopt;
    }
};
struct Diferenca_Inventarios {
    std::vector<Variacao> por_produto;
    std::vector<Variacao> por_tanque;
};
Diferenca_Inventarios Comparar_Inventarios(QSqlDatabase& banco, qint64 de, qint64 ate);

struct Registro_Programado_Historico {
    int ordem = 0;
    QString texto_data, texto_hora, texto_volume, texto_tanque;
};
struct Serie_Programada_Historico {
    qint64 id = 0;
    qint64 instante_ms = 0;
    QString endereco, data_solicitada;
    std::vector<Registro_Programado_Historico> registros;
};
// Newest first.
std::vector<Serie_Programada_Historico> Listar_Series(QSqlDatabase& banco);

struct Relogio_Historico {
    qint64 instante_ms = 0;
    QString texto_hora, texto_data, texto_dia;
    std::optional<qint64> deriva_s;  // gauge minus computer; none when the texts are no time
};
// Newest first.
std::vector<Relogio_Historico> Listar_Relogio(QSqlDatabase& banco);

// The counters summed over every session written to the file.
Estatisticas_Enlace Contadores_Gravados(QSqlDatabase& banco);

}  // namespace qx7
