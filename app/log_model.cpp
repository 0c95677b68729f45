#include "app/log_model.h"

#include <QByteArray>
#include <QString>

#include "text/visible_text.h"

namespace qx7 {

Modelo_Log::Modelo_Log(int linhas_por_bloco, int blocos_maximos, QObject* parent)
    : QAbstractListModel(parent),
      linhas_por_bloco_(linhas_por_bloco < 1 ? 1 : linhas_por_bloco),
      blocos_maximos_(blocos_maximos < 2 ? 2 : blocos_maximos) {}

int Modelo_Log::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : linhas_;
}

QVariant Modelo_Log::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= linhas_) {
        return {};
    }
    const std::string_view linha = Linha(index.row());
    if (role == Qt::DisplayRole) {
        return Texto_Visivel(linha);
    }
    if (role == Papel_Bytes) {
        return QByteArray(linha.data(), static_cast<qsizetype>(linha.size()));
    }
    return {};
}

void Modelo_Log::Adicionar(std::string_view linha) {
    if (linhas_ == Capacidade()) {
        Descartar_Bloco_Mais_Antigo();
    }
    beginInsertRows(QModelIndex(), linhas_, linhas_);
    if (blocos_.empty() || static_cast<int>(blocos_.back().fins.size()) == linhas_por_bloco_) {
        blocos_.emplace_back().fins.reserve(static_cast<std::size_t>(linhas_por_bloco_));
    }
    Bloco& bloco = blocos_.back();
    bloco.texto.append(linha);
    bloco.fins.push_back(static_cast<std::uint32_t>(bloco.texto.size()));
    if (static_cast<int>(bloco.fins.size()) == linhas_por_bloco_) {
        bloco.texto.shrink_to_fit();  // a full block never grows again
    }
    ++linhas_;
    endInsertRows();
}

void Modelo_Log::Descartar_Bloco_Mais_Antigo() {
    const int quantas = static_cast<int>(blocos_.front().fins.size());
    beginRemoveRows(QModelIndex(), 0, quantas - 1);
    blocos_.pop_front();
    linhas_ -= quantas;
    endRemoveRows();
}

void Modelo_Log::Limpar() {
    beginResetModel();
    blocos_.clear();
    linhas_ = 0;
    endResetModel();
}

std::string_view Modelo_Log::Linha(int linha) const {
    if (linha < 0 || linha >= linhas_) {
        return {};
    }
    // Every block but the last is full, the first one included: blocks are dropped whole.
    const Bloco& bloco = blocos_[static_cast<std::size_t>(linha / linhas_por_bloco_)];
    const auto i = static_cast<std::size_t>(linha % linhas_por_bloco_);
    const std::uint32_t inicio = i == 0 ? 0 : bloco.fins[i - 1];
    return std::string_view(bloco.texto).substr(inicio, bloco.fins[i] - inicio);
}

}  // namespace qx7
