#pragma once
// comunicacao-qx7 --exportar-csv ARQUIVO [--de AAAA-MM-DD] [--ate AAAA-MM-DD] [--tanque N]:
// the readings of the history as a CSV file, with no window and without touching the port,
// for scheduled jobs.

#include <QString>
#include <QStringList>
#include <filesystem>
#include <iosfwd>
#include <optional>

#include "history/queries.h"

namespace qx7 {

inline constexpr int Saida_Argumentos_Invalidos = 2;
inline constexpr int Saida_Falha_Exportacao = 1;

struct Pedido_Exportacao {
    QString destino;
    Filtro_Leituras filtro;
};

// Whether the program's arguments ask for the export at all.
bool Pede_Exportacao(int argc, const char* const* argv);

// The request, or nothing and `erro` in Portuguese.
std::optional<Pedido_Exportacao> Ler_Pedido_Exportacao(const QStringList& argumentos,
                                                       QString& erro);

// Runs the export from the history in `diretorio_base`; the exit status of the program.
int Executar_Exportacao(const QStringList& argumentos, const std::filesystem::path& diretorio_base,
                        std::ostream& saida, std::ostream& erros);

}  // namespace qx7
