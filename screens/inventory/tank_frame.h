#pragma once
// One tank drawing of the inventory screen: a titled white frame with the tank body, its
// empty share, two nozzles, the text "Com Produto" and the percentage box. The children keep
// the names Shape1, Altura_Líquido, Shape2, Shape3, Label1 and Percentual in every frame.

#include <QGroupBox>
#include <string_view>

class QLineEdit;

namespace qx7 {

class Forma_Preenchida;

inline constexpr float Altura_Corpo_Tanque_Twips = 855.0f;

class Quadro_Tanque : public QGroupBox {
    Q_OBJECT

  public:
    // indice 0..15 (tank indice + 1) names the frame "Frame1_<indice>" and places it in the
    // 4 by 4 grid of the screen.
    Quadro_Tanque(int indice, QWidget* parent);

    // Percentage, level and caption from the tank's measured and complementary texts.
    void Preencher(std::string_view medido, std::string_view complementar, char separador);

    float Altura_Liquido_Twips() const { return altura_liquido_twips_; }

  private:
    void Definir_Altura_Liquido(float twips);

    int tanque_;
    Forma_Preenchida* altura_liquido_ = nullptr;
    QLineEdit* percentual_ = nullptr;
    float altura_liquido_twips_ = 0.0f;
};

}  // namespace qx7
