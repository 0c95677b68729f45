#pragma once
// The lines of the communication log, kept compact: each block holds a fixed number of lines
// as one byte buffer with end offsets, so a line costs its text plus four bytes and reaching
// the limit drops the oldest block in one step. Lines stay as received (Windows-1252, control
// characters included); only the display role turns control characters into visible symbols.

#include <QAbstractListModel>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace qx7 {

class Modelo_Log : public QAbstractListModel {
    Q_OBJECT

  public:
    static constexpr int Linhas_Por_Bloco_Padrao = 4096;
    static constexpr int Blocos_Maximos_Padrao = 256;  // 1,048,576 lines

    // Raw bytes of a line, for copying or tests.
    static constexpr int Papel_Bytes = Qt::UserRole;

    explicit Modelo_Log(QObject* parent = nullptr)
        : Modelo_Log(Linhas_Por_Bloco_Padrao, Blocos_Maximos_Padrao, parent) {}
    Modelo_Log(int linhas_por_bloco, int blocos_maximos, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Appends one line; when the log is full the oldest block of lines goes first.
    void Adicionar(std::string_view linha);
    void Limpar();

    std::string_view Linha(int linha) const;
    int Capacidade() const { return linhas_por_bloco_ * blocos_maximos_; }

  private:
    struct Bloco {
        std::string texto;
        std::vector<std::uint32_t> fins;  // end offset of each line in texto
    };

    void Descartar_Bloco_Mais_Antigo();

    int linhas_por_bloco_;
    int blocos_maximos_;
    std::deque<Bloco> blocos_;
    int linhas_ = 0;
};

}  // namespace qx7
