#pragma once
// The few colours the screens paint, and the one way they paint them.

#include <QColor>

class QWidget;

namespace qx7 {

inline const QColor Azul_Claro{192, 192, 255};     // "Retornar" buttons
inline const QColor Amarelo_Claro{255, 255, 192};  // the confirming buttons
inline const QColor Vermelho_Aviso{192, 0, 0};     // warnings the operator must not miss

// An opaque background of that colour.
void Pintar_Fundo(QWidget& controle, const QColor& cor);
// A button face of that colour.
void Pintar_Botao(QWidget& botao, const QColor& cor);
// Its text in that colour.
void Pintar_Texto(QWidget& controle, const QColor& cor);

}  // namespace qx7
