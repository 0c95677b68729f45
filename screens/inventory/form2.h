#pragma once
// "Sistema QX7 - Inventário de Produtos": the latest reading of every tank that has answered,
// the stock per product, and one fill drawing per present tank. Rebuilt from Tabela_Tanques
// when it is shown and when it becomes active again after another screen of this program
// covered it; it writes nothing shared.

#include <QDialog>
#include <array>
#include <utility>
#include <vector>

class QWindow;

#include "gauge/shared_tables.h"
#include "widgets/print.h"

namespace qx7 {

class Grade;
class Quadro_Tanque;

inline constexpr int Tanques_Inventario = 16;

class Form2 : public QDialog {
    Q_OBJECT

  public:
    explicit Form2(const Variaveis_Programa& variaveis, QWidget* parent = nullptr);

    // Rebuilds both tables and the drawings from the current tank table, as every activation
    // does; the main panel calls it to refresh the screen when it is already open.
    void Atualizar();

    void Definir_Meios_Impressao(Meios_Impressao meios) { meios_impressao_ = std::move(meios); }

  protected:
    bool event(QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

  private:
    void Montar_Tabelas();
    void Montar_Botoes();

    void Inicializa_Tabela();
    void Prepara_Tabela();
    void Efetua_Inventario();
    bool Tanque_Presente(int tanque) const;
    void Somar_Produto(int tanque, std::array<bool, Tanques_Inventario + 1>& pendente, int linha);

    void Ajustar_Ao_Conteudo();
    void Imprimir_Click();
    void Foco_Mudou(QWindow* janela);

    const Variaveis_Programa& variaveis_;
    Grade* leitura_ = nullptr;
    Grade* inventario_ = nullptr;
    std::array<Quadro_Tanque*, Tanques_Inventario> quadros_{};
    QRect leitura_base_;
    QRect inventario_base_;
    // The buttons and tank drawings below the product table, with their laid-out tops.
    std::vector<std::pair<QWidget*, int>> abaixo_do_inventario_;
    Meios_Impressao meios_impressao_ = Meios_Do_Sistema();
    bool coberta_ = false;  // another window of this program has had the focus since
};

}  // namespace qx7
