#pragma once
// The main panel's controls as the link and the gauge logic reach them. Texts cross this
// interface in the line's single-byte code page; the panel converts at the Qt boundary.

#include <string>
#include <string_view>

namespace qx7 {

enum class Controle {
    // text boxes
    Estado,
    ID_Endereco,
    ID_Versao,
    CF_NumTanques,
    CF_NumOFE,
    CF_TipoMedidor,
    QX7_Tanque,
    MT_Produto,
    MT_Densidade,
    MT_Capacidade,
    MT_Vol_Medido,
    MT_Vol_Complementar,
    MT_Data,
    MT_Hora,
    Percentual,
    LR_Dia,
    LR_Data,
    LR_Hora,
    Inf_Erro,
    Comando_QX7,
    // labels
    Label8,
    Label9,
    Data,
    Hora,
    // frames and buttons that are enabled and disabled
    Frame3,
    Frame5,
    Frame6,
    Frame8,
    Abrir_Conexao,
    Fechar_Conexao,
    Configuracao,
    Leitura_Tanques,
};

class Painel {
  public:
    virtual ~Painel() = default;
    virtual std::string Texto(Controle controle) const = 0;
    virtual void Definir_Texto(Controle controle, std::string_view texto) = 0;
    virtual void Habilitar(Controle controle, bool habilitado) = 0;
    virtual void Habilitar_Tanque(int k, bool habilitado) = 0;  // TQ_Ativo(k), k 0..15
    virtual bool Tanque_Habilitado(int k) const = 0;
    virtual void Altura_Liquido(float twips) = 0;  // height of the empty part of the tank
    virtual void Selecionar_Sinal(int i) = 0;      // light lamp Sinal(i), i 0..4
};

}  // namespace qx7
