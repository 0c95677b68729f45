// Builds the main panel's widgets from Layout_Form1(): each one placed, given its role and,
// for a button, hooked to what a click on it does.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <map>
#include <string_view>
#include <variant>

#include "app/log_view.h"
#include "app/logo.h"
#include "app/main_panel.h"
#include "app/main_panel_layout.h"
#include "screens/inventory/filled_shape.h"
#include "screens/measurements/wrapping_button.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

namespace qx7 {

namespace {

const QColor Cor_Produto(255, 192, 128);  // light orange, as on the inventory drawings

QString Utf8(std::string_view texto) {
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}

// Control arrays come in index order, so the k-th option of a group is element k.
QRadioButton* Nova_Opcao(const Elemento_Painel& e, QWidget* pai, QButtonGroup& grupo) {
    auto* opcao = new QRadioButton(Utf8(e.legenda), pai);
    grupo.addButton(opcao, static_cast<int>(grupo.buttons().size()));
    return opcao;
}

}  // namespace

void Form1::Montar_Controles() {
    auto* grupo_tanques = new QButtonGroup(this);
    auto* grupo_sinais = new QButtonGroup(this);
    std::map<std::string_view, QWidget*> por_nome;
    for (const Elemento_Painel& e : Layout_Form1()) {
        QWidget* pai = e.pai.empty() ? this : por_nome.at(e.pai);
        QWidget* w = nullptr;
        switch (e.tipo) {
            case Tipo_Elemento::Imagem: {
                auto* imagem = new QLabel(pai);
                imagem->setPixmap(Desenhar_Logotipo(Tamanho(e.width, e.height)));
                w = imagem;
                break;
            }
            case Tipo_Elemento::Moldura:
                w = new QGroupBox(Utf8(e.legenda), pai);
                break;
            case Tipo_Elemento::Rotulo:
                w = new QLabel(Utf8(e.legenda), pai);
                break;
            case Tipo_Elemento::Caixa_Texto:
                w = new QLineEdit(pai);
                break;
            case Tipo_Elemento::Botao:
                w = new Botao_Com_Quebra(Utf8(e.legenda), pai);
                break;
            case Tipo_Elemento::Opcao_Tanque: {
                const auto k = static_cast<std::size_t>(grupo_tanques->buttons().size());
                tanques_.at(k) = Nova_Opcao(e, pai, *grupo_tanques);
                connect(tanques_[k], &QAbstractButton::clicked, this, [this, k] {
                    estacao_.Logica_Medidor().TQ_Ativo_Click(static_cast<int>(k));
                });
                w = tanques_[k];
                break;
            }
            case Tipo_Elemento::Lampada: {
                const auto i = static_cast<std::size_t>(grupo_sinais->buttons().size());
                QRadioButton* lampada = Nova_Opcao(e, pai, *grupo_sinais);
                // An indicator: the running light moves by itself, never by a click.
                lampada->setAttribute(Qt::WA_TransparentForMouseEvents);
                lampada->setFocusPolicy(Qt::NoFocus);
                sinais_.at(i) = lampada;
                w = lampada;
                break;
            }
            case Tipo_Elemento::Forma:
                w = new Forma_Preenchida(Cor_Barra_Rolagem(), pai);
                break;
            case Tipo_Elemento::Produto:
                w = new Forma_Preenchida(Cor_Produto, pai);
                break;
            case Tipo_Elemento::Vazio:
                altura_liquido_ = new Forma_Preenchida(Cor_Barra_Rolagem(), pai);
                w = altura_liquido_;
                break;
            case Tipo_Elemento::Lista:
                msg_log_ = new Vista_Log(pai);
                msg_log_->setModel(&modelo_log_);
                w = msg_log_;
                break;
        }
        w->setObjectName(Utf8(e.nome));
        w->setFont(Fonte(e.fonte, Pontos_Form1));
        w->setGeometry(Retangulo(e.left, e.top, e.width, e.height));
        if (e.controle) {
            controles_.at(static_cast<std::size_t>(*e.controle)) = w;
        }
        if (auto* botao = qobject_cast<QAbstractButton*>(w)) {
            Ligar_Botao(botao, e.acao);
        }
        por_nome[e.nome] = w;
    }
}

void Form1::Ligar_Botao(QAbstractButton* botao, const Acao_Botao& acao) {
    if (const auto* comando = std::get_if<void (Medidor::*)()>(&acao)) {
        connect(botao, &QAbstractButton::clicked, this,
                [this, comando = *comando] { (estacao_.Logica_Medidor().*comando)(); });
    } else if (const auto* propria = std::get_if<void (Form1::*)()>(&acao)) {
        connect(botao, &QAbstractButton::clicked, this, *propria);
    }
}

}  // namespace qx7
