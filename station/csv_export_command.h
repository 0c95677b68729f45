#pragma once
// comunicacao-qx7 --exportar-csv ARQUIVO [--de AAAA-MM-DD] [--ate AAAA-MM-DD] [--tanque N]...
// [--formato planilha|maquina] [--historico ARQUIVO]: the readings of the history as a CSV
// file, with no window and without touching the port, for scheduled jobs. It says how many
// readings it wrote; its exit status tells a job what happened.

#include <QLocale>
#include <QString>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <vector>

#include "history/csv_writer.h"
#include "history/queries_readings.h"

namespace qx7 {

// One of the program's own options as given, with its value (empty when it takes none or was
// given none).
struct Opcao_Lida {
    QString nome;
    QString valor;
};

inline constexpr int Saida_Falha_Exportacao = 1;
// A command line the program does not take; nothing was started.
inline constexpr int Saida_Argumentos_Invalidos = 2;
// The file was written, but the period holds no reading: a station that read nothing.
inline constexpr int Saida_Periodo_Vazio = 3;

enum class Forma_Exportacao { Planilha, Maquina };

struct Pedido_Exportacao {
    QString destino;
    Filtro_Leituras filtro;
    Forma_Exportacao forma = Forma_Exportacao::Planilha;
    QString historico;  // the file read; empty: the base directory's
};

// The export's options, as the command line read them; none and `erro` in Portuguese.
std::optional<Pedido_Exportacao> Ler_Pedido_Exportacao(const std::vector<Opcao_Lida>& opcoes,
                                                       QString& erro);

// Whether writing `destino` would overwrite the history file `historico` or one of SQLite's
// files beside it, whatever path names them.
bool Arquivo_Do_Historico(const QString& destino, const QString& historico);

// Runs the export; `local` gives the spreadsheet form. The exit status of the program.
int Executar_Exportacao(const Pedido_Exportacao& pedido,
                        const std::filesystem::path& diretorio_base, const QLocale& local,
                        std::ostream& saida, std::ostream& erros);

}  // namespace qx7
