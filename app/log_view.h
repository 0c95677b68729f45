#pragma once
// The communication log as its writers see it: every line is appended to the model and drawn
// before Adicionar returns, so it shows even while the caller keeps the thread busy.

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QRegion>
#include <string>

#include "app/log_model.h"
#include "link/log_sink.h"

namespace qx7 {

// Draws one log line: the selection band and the text, nothing else, so a row costs one text
// run however long the log is.
class Delegado_Log : public QAbstractItemDelegate {
  public:
    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao,
               const QModelIndex& indice) const override;
    QSize sizeHint(const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;
};

// Msg_Log: a list box of one line per row, all rows the same height. Row geometry is
// arithmetic (row times height), so nothing is kept per row and a new line costs the same in
// a log of a million lines as in an empty one. The vertical scroll bar counts rows. A new line
// moves the view only when the operator has put it at the end; then it follows the end.
class Vista_Log : public QAbstractItemView {
    Q_OBJECT

  public:
    explicit Vista_Log(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* modelo) override;
    void reset() override;

    // Paints what the last changes touched (the new rows, what scrolled in) now, without
    // waiting for the event loop.
    void Redesenhar_Agora();

    QRect visualRect(const QModelIndex& indice) const override;
    void scrollTo(const QModelIndex& indice, ScrollHint dica = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& ponto) const override;

  protected:
    QModelIndex moveCursor(CursorAction acao, Qt::KeyboardModifiers modificadores) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& retangulo, QItemSelectionModel::SelectionFlags flags) override;
    QRegion visualRegionForSelection(const QItemSelection& selecao) const override;

    void keyPressEvent(QKeyEvent* evento) override;
    void rowsInserted(const QModelIndex& pai, int inicio, int fim) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* evento) override;
    void changeEvent(QEvent* evento) override;

  private:
    void Linhas_Removidas(const QModelIndex& pai, int inicio, int fim);
    void Ajustar_Barra();
    int Altura_Linha() const { return altura_linha_; }
    int Linhas() const;
    int Linhas_Que_Cabem() const;
    int Topo() const { return topo_; }
    void Atrasar_Barra();
    void Rolar_Pixels(int linhas, int dx = 0);
    QModelIndex Indice(int linha) const;

    int altura_linha_ = 1;
    int topo_ = 0;  // the row drawn at the top; the scroll bar catches up in the event loop
    bool barra_atrasada_ = false;
    QRegion pendente_;  // viewport area changed since the last Redesenhar_Agora
};

class Registro_Log : public Registro {
  public:
    Registro_Log(Modelo_Log& modelo, Vista_Log& vista) : modelo_(modelo), vista_(vista) {}

    void Adicionar(std::string linha) override;

  private:
    Modelo_Log& modelo_;
    Vista_Log& vista_;
};

}  // namespace qx7
