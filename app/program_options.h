#pragma once
// The program's command line, read before anything starts: the window program (with Qt's own
// single-dash options), the service, the history window alone, or the CSV export for scheduled
// jobs. Anything
// else is refused with the usage and exit status 2 before a window or the port is touched.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "station/csv_export_command.h"

namespace qx7 {

enum class Modo_Programa { Janela, Historico, Exportacao, Servico };

struct Linha_Comando {
    Modo_Programa modo = Modo_Programa::Janela;
    std::vector<Opcao_Lida> opcoes;  // in the order given
};

// The window program or the history window asked for where there is no display to show them.
inline constexpr int Saida_Sem_Tela = 1;

// The usage lines, for the error stream.
QString Uso_Programa();

// `argumentos` without the program's name. None, and `erro` in Portuguese, when an option is
// unknown, given as --opção=valor, lacks its value, belongs to another mode, or a word stands
// where no option takes it.
std::optional<Linha_Comando> Ler_Linha_Comando(const QStringList& argumentos, QString& erro);

}  // namespace qx7
