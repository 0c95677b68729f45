#pragma once
// The history's small tables (the lists and comparisons a tab shows) as CSV files and as
// report tables. Numbers are written from the values the cells keep, times in the one form no
// region misreads, other texts as shown.

#include <QString>
#include <vector>

#include "screens/history/report_pages.h"

class QAbstractItemModel;

namespace qx7 {

struct Tabela_Aba {
    QString nome;    // in the file's name: "Variacao_Produtos"
    QString titulo;  // above it in a report
    const QAbstractItemModel* modelo = nullptr;
};

// One file per table: the first at `caminho`, each further one beside it with its name added
// ("Inventarios.csv", "Inventarios_Variacao_Produtos.csv"). False, and `erro` in Portuguese,
// when a file could not be written.
bool Exportar_Tabelas_Csv(const std::vector<Tabela_Aba>& tabelas, const QString& caminho,
                          QString& erro);

// Where the table at position `indice` of a tab's export is written.
QString Caminho_Tabela(const QString& caminho, const Tabela_Aba& tabela, std::size_t indice);

// The table as a report reads it: its rows as shown, numbers to the right, each column as wide
// as its longest text.
Tabela_Relatorio Tabela_Do_Modelo(const Tabela_Aba& tabela);

}  // namespace qx7
