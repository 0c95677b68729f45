#pragma once
// The main panel as state, without a widget: what the link and the gauge logic write through
// Painel is kept here as values (texts in the line's code page, enabled flags, the tank's
// empty height, the lit lamp) and every change is told by a signal. The window shows it; the
// service has no window and keeps it all the same. What the operator types into a box comes
// back through Digitar(), so the gauge logic reads its input from here, never from a widget.

#include <QObject>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "link/panel.h"

namespace qx7 {

inline constexpr std::size_t Numero_Controles =
    static_cast<std::size_t>(Controle::Leitura_Tanques) + 1;
inline constexpr int Tanques_Painel = 16;
inline constexpr int Lampadas_Painel = 5;

class Estado_Painel : public QObject, public Painel {
    Q_OBJECT
  public:
    explicit Estado_Painel(QObject* parent = nullptr);

    std::string Texto(Controle controle) const override;
    void Definir_Texto(Controle controle, std::string_view texto) override;
    void Habilitar(Controle controle, bool habilitado) override;
    void Habilitar_Tanque(int k, bool habilitado) override;
    bool Tanque_Habilitado(int k) const override;
    void Altura_Liquido(float twips) override;
    void Selecionar_Sinal(int i) override;

    // A control never touched reads as enabled, as a control fresh from the layout.
    bool Habilitado(Controle controle) const;
    std::optional<float> Altura() const { return altura_; }
    std::optional<int> Sinal() const { return sinal_; }

    // The operator typed into a box: kept, and not told back to the window it came from.
    void Digitar(Controle controle, const QString& texto);

  signals:
    void Texto_Mudou(qx7::Controle controle, const QString& texto);
    void Habilitado_Mudou(qx7::Controle controle, bool habilitado);
    void Tanque_Mudou(int k, bool habilitado);
    void Altura_Mudou(float twips);
    void Sinal_Mudou(int i);

  private:
    std::array<std::string, Numero_Controles> textos_{};
    std::array<bool, Numero_Controles> habilitados_{};
    std::array<bool, Tanques_Painel> tanques_{};
    std::optional<float> altura_;
    std::optional<int> sinal_;
};

}  // namespace qx7
