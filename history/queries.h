#pragma once
// What the history window and the export read from Historico.sqlite. Each function runs on the
// caller's own connection (Conexao_Historico, read mode); none of them loads more rows than it
// returns.

#include <QSqlDatabase>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <utility>
#include <vector>

#include "link/link_statistics.h"

namespace qx7 {

// Computer times, milliseconds since 1970 UTC; `ate_ms` excluded. No tanks: every tank.
struct Filtro_Leituras {
    qint64 de_ms = 0;
    qint64 ate_ms = 0;
    std::vector<int> tanques;
};

struct Leitura_Historico {
    qint64 instante_ms = 0;
    QString endereco;
    QString comando;  // "MT", "LM" or "MA"
    int tanque = 0;
    QString produto;
    double densidade = 0, capacidade = 0, medido = 0, complementar = 0;
    QString unidade;                   // "V" volume, "P" weight
    QString texto_hora, texto_data;    // the gauge's, as received
    std::optional<double> percentual;  // measured share of measured + complementary
};

qint64 Contar_Leituras(QSqlDatabase& banco, const Filtro_Leituras& filtro);

// Every reading of a filter, oldest first, a page at a time. Each page starts after the last
// row of the one before instead of skipping an offset, so a page deep in a long period costs
// no more than the first. Each page may come over another connection.
class Percurso_Leituras {
  public:
    explicit Percurso_Leituras(const Filtro_Leituras& filtro, int por_pagina = 2000);
    // The next page; empty at the end, or when the query failed.
    std::vector<Leitura_Historico> Proxima(QSqlDatabase& banco);
    bool Falhou() const { return falhou_; }

  private:
    Filtro_Leituras filtro_;
    int por_pagina_;
    std::optional<std::pair<qint64, qint64>> ultima_;  // time and id of the last row read
    bool falhou_ = false;
};

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

// The stock variation from run `de` to run `ate`: one row per product and unit, and one per
// tank; a key present in only one of the runs counts as 0 in the other.
struct Variacao {
    QString chave;  // product, or tank number
    QString unidade;
    double de = 0, ate = 0;
    double variacao() const { return ate - de; }
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
