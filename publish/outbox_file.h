#pragma once
// The history as the publisher's outbox: its own connection to Historico.sqlite (the writer
// keeps writing on its own), the rows of each stream after a given id, and the cursors (the
// last row of each stream the broker acknowledged) kept in a table of the file that is
// created on first use. A stream whose table the file does not have is empty.

#include <QString>
#include <QtGlobal>
#include <array>
#include <memory>
#include <vector>

#include "history/connection.h"
#include "publish/outbox_streams.h"
#include "publish/send_window.h"

namespace qx7 {

// How long a cursor write waits for the writer's lock before it is left for the next time.
inline constexpr int Espera_Bloqueio_Cursores_ms = 250;

class Saida_Historico {
  public:
    explicit Saida_Historico(QString arquivo) : arquivo_(std::move(arquivo)) {}

    // Opens the file again (it may have been replaced after a repair); false while it is not
    // there or not yet laid out by the writer, or when it is not a history of this release
    // (Erro() says why).
    bool Abrir();
    void Fechar();
    bool Aberta() const { return conexao_ != nullptr; }
    const QString& Erro() const { return erro_; }

    Cursores Ler_Cursores();
    // False when the file did not take them (locked): they are written the next time.
    bool Gravar_Cursores(const Cursores& cursores);

    // The stream's next rows after `depois`, in order; false when the query failed.
    bool Ler(Fluxo fluxo, qint64 depois, int limite, std::vector<Linha_Fluxo>& linhas);
    // Rows of every stream after the cursors.
    qint64 Pendentes(const Cursores& cursores);

  private:
    bool Tem_Tabela(Fluxo fluxo);

    QString arquivo_;
    std::unique_ptr<Conexao_Historico> conexao_;
    std::array<bool, Numero_Fluxos> tabelas_{};  // found in this file
    QString erro_;
};

}  // namespace qx7
