#pragma once
// The readings of a period, read a page at a time on the caller's read-only connection. A page
// starts where the one before ended (the time and id of its last row), and the index scan
// starts there too, so a page deep in a year costs what the first one does.

#include <QSqlDatabase>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qx7 {

// Computer times, milliseconds since 1970 UTC; `ate_ms` excluded. No tanks: every tank, also
// readings whose tank number could not be read.
struct Filtro_Leituras {
    qint64 de_ms = 0;
    qint64 ate_ms = 0;
    std::vector<int> tanques;
};

struct Leitura_Historico {
    qint64 id = 0;
    qint64 instante_ms = 0;
    QString endereco;
    QString comando;  // "MT", "LM" or "MA"
    int tanque = 0;
    QString produto;
    // None where the gauge sent something that is not a number.
    std::optional<double> densidade, capacidade, medido, complementar;
    QString unidade;                   // "V" volume, "P" weight
    QString texto_hora, texto_data;    // the gauge's, as received
    std::optional<double> percentual;  // measured share of measured + complementary
};

// Readings come in the order of their computer time, then of their id.
struct Posicao_Leitura {
    qint64 instante_ms = 0;
    qint64 id = 0;
};

qint64 Contar_Leituras(QSqlDatabase& banco, const Filtro_Leituras& filtro);

// Up to `quantas` readings of the filter after `depois` (from the period's start when none),
// oldest first. False when SQLite refused the query.
bool Ler_Pagina_Leituras(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                         const std::optional<Posicao_Leitura>& depois, int quantas,
                         std::vector<Leitura_Historico>& pagina);

// Up to `quantas` readings written after the one numbered `depois_id`, in the order they were
// written. False when SQLite refused the query.
bool Ler_Leituras_Apos(QSqlDatabase& banco, qint64 depois_id, int quantas,
                       std::vector<Leitura_Historico>& leituras);

// Every reading of a filter, oldest first, a page at a time. Each page may come over another
// connection.
class Percurso_Leituras {
  public:
    explicit Percurso_Leituras(const Filtro_Leituras& filtro, int por_pagina = 2000);
    // The next page; empty at the end, or when the query failed.
    std::vector<Leitura_Historico> Proxima(QSqlDatabase& banco);
    bool Falhou() const { return falhou_; }

  private:
    Filtro_Leituras filtro_;
    int por_pagina_;
    std::optional<Posicao_Leitura> ultima_;
    bool falhou_ = false;
};

// Where each page of a filter's readings starts, found in one pass over the time index, so
// that any page can then be read directly: page k > 0 comes after fins[k - 1].
struct Paginas_Leituras {
    qint64 total = 0;
    int por_pagina = 1;
    std::vector<Posicao_Leitura> fins;  // the last reading of each full page
};
// None when the query failed.
std::optional<Paginas_Leituras> Marcar_Paginas(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                                               int por_pagina);

}  // namespace qx7
