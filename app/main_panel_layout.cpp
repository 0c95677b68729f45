#include "app/main_panel_layout.h"

#include "app/main_panel.h"
#include "gauge/tank_level.h"

namespace qx7 {

namespace {

using enum Tipo_Elemento;

constexpr const char* Sans = Sans_Serif_Form1;
constexpr int Botao_W = 1215;
constexpr int Botao_H = 735;
constexpr int Caixa_H = 285;
constexpr int Rotulo_H = 255;
constexpr int Tanque_W = 855;
constexpr int Tanque_H = 255;

}  // namespace

const std::vector<Elemento_Painel>& Layout_Form1() {
    static const std::vector<Elemento_Painel> layout = {
        // The window.
        {"Picture1", Imagem, "", "", 120, 120, 3285, 735},
        {"Frame1", Moldura, "Processando Mensagens Recebidas", "", 120, 840, 3255, 855, "Arial"},
        {"Frame3", Moldura, "Informações da Medição", "", 120, 1800, 3255, 5205, Sans,
         Controle::Frame3},
        {"Frame2", Moldura, "Painel de Controle - QX7/QXV7", "", 3480, 0, 5775, 7215, "Arial"},
        {"Label7", Rotulo, "Log de Comunicação :", "", 120, 7080, 1815, 255, "Arial"},
        {"Msg_Log", Lista, "", "", 120, 7320, 9135, 2340, "Courier New"},

        // Frame1: running light, date and hour.
        {"Sinal(0)", Lampada, "", "Frame1", 120, 360, 255, 255},
        {"Sinal(1)", Lampada, "", "Frame1", 360, 360, 255, 255},
        {"Sinal(2)", Lampada, "", "Frame1", 600, 360, 375, 255},
        {"Sinal(3)", Lampada, "", "Frame1", 840, 360, 255, 255},
        {"Sinal(4)", Lampada, "", "Frame1", 1080, 360, 255, 255},
        {"Label5", Rotulo, "Data >", "Frame1", 1440, 240, 615, 255},
        {"Data", Rotulo, "", "Frame1", 2160, 240, 975, 255, Sans, Controle::Data},
        {"Label6", Rotulo, "Hora >", "Frame1", 1440, 480, 735, 255},
        {"Hora", Rotulo, "", "Frame1", 2160, 480, 975, 255, Sans, Controle::Hora},

        // Frame3: the last tank measured.
        {"Label18", Rotulo, "Tanque", "Frame3", 240, 360, 855, Rotulo_H},
        {"QX7_Tanque", Caixa_Texto, "", "Frame3", 240, 600, 855, Caixa_H, Sans,
         Controle::QX7_Tanque},
        {"Label4", Rotulo, "Produto", "Frame3", 1320, 360, 735, Rotulo_H},
        {"MT_Produto", Caixa_Texto, "", "Frame3", 1320, 600, 735, Caixa_H, Sans,
         Controle::MT_Produto},
        {"Label3", Rotulo, "Densidade", "Frame3", 2160, 360, 975, Rotulo_H},
        {"MT_Densidade", Caixa_Texto, "", "Frame3", 2160, 600, 975, Caixa_H, Sans,
         Controle::MT_Densidade},
        {"Label2", Rotulo, "Capacidade", "Frame3", 120, 1200, 1095, Rotulo_H},
        {"MT_Capacidade", Caixa_Texto, "", "Frame3", 2160, 1200, 975, Caixa_H, Sans,
         Controle::MT_Capacidade},
        {"Label8", Rotulo, "Volume Medido", "Frame3", 120, 1560, 1935, Rotulo_H, Sans,
         Controle::Label8},
        {"MT_Vol_Medido", Caixa_Texto, "", "Frame3", 2160, 1560, 975, Caixa_H, Sans,
         Controle::MT_Vol_Medido},
        {"Label9", Rotulo, "Volume Complementar", "Frame3", 120, 1920, 1935, Rotulo_H, Sans,
         Controle::Label9},
        {"MT_Vol_Complementar", Caixa_Texto, "", "Frame3", 2160, 1920, 975, Caixa_H, Sans,
         Controle::MT_Vol_Complementar},
        {"Label10", Rotulo, "Data", "Frame3", 120, 2280, 615, Rotulo_H},
        {"MT_Data", Caixa_Texto, "", "Frame3", 2160, 2280, 975, Caixa_H, Sans, Controle::MT_Data},
        {"Label11", Rotulo, "Hora", "Frame3", 120, 2760, 735, Rotulo_H},
        {"MT_Hora", Caixa_Texto, "", "Frame3", 2160, 2640, 975, Caixa_H, Sans, Controle::MT_Hora},
        {"Shape1", Produto, "", "Frame3", Left_Tanque, Top_Tanque, Largura_Tanque,
         Altura_Tanque_Painel},
        {"Altura_Líquido", Vazio, "", "Frame3", Left_Tanque, Top_Tanque, Largura_Tanque,
         Altura_Tanque_Painel},
        {"Shape2", Forma, "", "Frame3", 840, 3120, 495, 165},
        {"Shape3", Forma, "", "Frame3", 2400, 3120, 135, 165},
        {"Inf_Percentual", Rotulo, "Com produto", "Frame3", 600, 4800, 1095, Rotulo_H},
        {"Percentual", Caixa_Texto, "", "Frame3", 1800, 4680, 855, 345, Sans, Controle::Percentual},

        // Frame2 and its six frames.
        {"Frame7", Moldura, "Informações do Medidor", "Frame2", 120, 240, 4095, 1455},
        {"Frame4", Moldura, "Relógio", "Frame2", 120, 1680, 4095, 615},
        {"Frame8", Moldura, "Informações - Comando", "Frame2", 120, 2400, 4095, 615, Sans,
         Controle::Frame8},
        {"Frame5", Moldura, "Escolha o tanque e Execute o comando", "Frame2", 120, 3000, 4095, 2175,
         Sans, Controle::Frame5},
        {"Frame6", Moldura, "Executar comandos ", "Frame2", 120, 5160, 5535, 1935, Sans,
         Controle::Frame6},
        {"Frame9", Moldura, "Controles", "Frame2", 4200, 240, 1455, 4935},

        // Frame7: identification and configuration of the gauge.
        {"Label16", Rotulo, "Endereço", "Frame7", 120, 240, 975, Rotulo_H},
        {"ID_Endereço", Caixa_Texto, "", "Frame7", 120, 480, 975, Caixa_H, Sans,
         Controle::ID_Endereco},
        {"Label15", Rotulo, "Versão", "Frame7", 1440, 240, 735, Rotulo_H},
        {"ID_Versão", Caixa_Texto, "", "Frame7", 1440, 480, 735, Caixa_H, Sans,
         Controle::ID_Versao},
        {"Label17", Rotulo, "Status", "Frame7", 2280, 240, 1695, Rotulo_H},
        {"Estado", Caixa_Texto, "", "Frame7", 2280, 480, 1695, Caixa_H, Sans, Controle::Estado},
        {"Label19", Rotulo, "No. Tanques", "Frame7", 120, 840, 975, Rotulo_H},
        {"CF_NumTanques", Caixa_Texto, "", "Frame7", 120, 1080, 975, Caixa_H, Sans,
         Controle::CF_NumTanques},
        {"Label20", Rotulo, "No. OFE", "Frame7", 1440, 840, 975, Rotulo_H},
        {"CF_NumOFE", Caixa_Texto, "", "Frame7", 1440, 1080, 975, Caixa_H, Sans,
         Controle::CF_NumOFE},
        {"Label21", Rotulo, "Tipo de Medidor", "Frame7", 2520, 840, 1455, Rotulo_H},
        {"CF_TipoMedidor", Caixa_Texto, "", "Frame7", 2520, 1080, 1455, Caixa_H, Sans,
         Controle::CF_TipoMedidor},

        // Frame4: the gauge's clock; each label runs up to its box.
        {"Label12", Rotulo, "Dia", "Frame4", 120, 240, 360, Rotulo_H},
        {"LR_Dia", Caixa_Texto, "", "Frame4", 480, 240, 495, Caixa_H, Sans, Controle::LR_Dia},
        {"Label13", Rotulo, "Data", "Frame4", 1080, 240, 480, Rotulo_H},
        {"LR_Data", Caixa_Texto, "", "Frame4", 1560, 240, 975, Caixa_H, Sans, Controle::LR_Data},
        {"Label14", Rotulo, "Hora", "Frame4", 2640, 240, 480, Rotulo_H},
        {"LR_Hora", Caixa_Texto, "", "Frame4", 3120, 240, 855, Caixa_H, Sans, Controle::LR_Hora},

        // Frame8: errors and progress.
        {"Inf_Erro", Caixa_Texto, "", "Frame8", 120, 240, 3855, Caixa_H, Sans, Controle::Inf_Erro},

        // Frame5: tank k in column k div 4, row k mod 4, and the per-tank commands.
        {"TQ_Ativo(0)", Opcao_Tanque, "TQ 01", "Frame5", 120, 240, Tanque_W, Tanque_H},
        {"TQ_Ativo(1)", Opcao_Tanque, "TQ 02", "Frame5", 120, 480, Tanque_W, Tanque_H},
        {"TQ_Ativo(2)", Opcao_Tanque, "TQ 03", "Frame5", 120, 720, Tanque_W, Tanque_H},
        {"TQ_Ativo(3)", Opcao_Tanque, "TQ 04", "Frame5", 120, 960, Tanque_W, Tanque_H},
        {"TQ_Ativo(4)", Opcao_Tanque, "TQ 05", "Frame5", 1080, 240, Tanque_W, Tanque_H},
        {"TQ_Ativo(5)", Opcao_Tanque, "TQ 06", "Frame5", 1080, 480, Tanque_W, Tanque_H},
        {"TQ_Ativo(6)", Opcao_Tanque, "TQ 07", "Frame5", 1080, 720, Tanque_W, Tanque_H},
        {"TQ_Ativo(7)", Opcao_Tanque, "TQ 08", "Frame5", 1080, 960, Tanque_W, Tanque_H},
        {"TQ_Ativo(8)", Opcao_Tanque, "TQ 09", "Frame5", 2040, 240, Tanque_W, Tanque_H},
        {"TQ_Ativo(9)", Opcao_Tanque, "TQ 10", "Frame5", 2040, 480, Tanque_W, Tanque_H},
        {"TQ_Ativo(10)", Opcao_Tanque, "TQ 11", "Frame5", 2040, 720, Tanque_W, Tanque_H},
        {"TQ_Ativo(11)", Opcao_Tanque, "TQ 12", "Frame5", 2040, 960, Tanque_W, Tanque_H},
        {"TQ_Ativo(12)", Opcao_Tanque, "TQ 13", "Frame5", 3000, 240, Tanque_W, Tanque_H},
        {"TQ_Ativo(13)", Opcao_Tanque, "TQ 14", "Frame5", 3000, 480, Tanque_W, Tanque_H},
        {"TQ_Ativo(14)", Opcao_Tanque, "TQ 15", "Frame5", 3000, 720, Tanque_W, Tanque_H},
        {"TQ_Ativo(15)", Opcao_Tanque, "TQ 16", "Frame5", 3000, 960, Tanque_W, Tanque_H},
        {"LM_Cmd", Botao, "Consultar Memória", "Frame5", 120, 1320, Botao_W, Botao_H, Sans,
         std::nullopt, &Medidor::LM_Cmd_Click},
        {"MT_Cmd", Botao, "Medir um Tanque", "Frame5", 1440, 1320, Botao_W, Botao_H, Sans,
         std::nullopt, &Medidor::MT_Cmd_Click},
        {"Medição_Programada", Botao, "Medição Programada", "Frame5", 2760, 1320, Botao_W, Botao_H,
         Sans, std::nullopt, &Medidor::Medicao_Programada_Click},

        // Frame6: the other commands; the command box reaches up to "Transmitir Comando".
        {"LR_Cmd", Botao, "Ler Relógio", "Frame6", 120, 240, Botao_W, Botao_H, Sans, std::nullopt,
         &Medidor::LR_Cmd_Click},
        {"Historico_Cmd", Botao, "Histórico", "Frame6", 1440, 240, Botao_W, Botao_H, Sans,
         std::nullopt, &Form1::Historico_Click},
        {"Label1", Rotulo, "Comando", "Frame6", 2760, 240, 1335, Rotulo_H},
        {"Comando_QX7", Caixa_Texto, "", "Frame6", 2760, 480, 1335, 315, "Arial",
         Controle::Comando_QX7},
        {"Transmitir", Botao, "Transmitir Comando", "Frame6", 4200, 240, Botao_W, Botao_H, Sans,
         std::nullopt, &Medidor::Transmitir_Click},
        {"MA_Cmd", Botao, "Ler Todos os Tanques", "Frame6", 120, 1080, Botao_W, Botao_H, Sans,
         std::nullopt, &Medidor::MA_Cmd_Click},
        {"IV_Cmd", Botao, "Efetuar Inventário", "Frame6", 1440, 1080, Botao_W, Botao_H, Sans,
         std::nullopt, &Medidor::IV_Cmd_Click},
        {"Leitura_Tanques", Botao, "Leitura dos Tanques", "Frame6", 4200, 1080, Botao_W, Botao_H,
         Sans, Controle::Leitura_Tanques, &Medidor::Leitura_Tanques_Click},

        // Frame9: connection control.
        {"Abrir_Conexão", Botao, "Conectar QX7/QXV7", "Frame9", 120, 240, Botao_W, Botao_H, Sans,
         Controle::Abrir_Conexao, &Medidor::Abrir_Conexao_Click},
        {"Fechar_Conexão", Botao, "Desconectar QX7/QXV7", "Frame9", 120, 1200, Botao_W, Botao_H,
         Sans, Controle::Fechar_Conexao, &Medidor::Fechar_Conexao_Click},
        {"Configuração", Botao, "Configurar Programa", "Frame9", 120, 2160, Botao_W, Botao_H, Sans,
         Controle::Configuracao, &Form1::Configuracao_Click},
        {"Limpar_Log", Botao, "Limpar Log", "Frame9", 120, 3120, Botao_W, Botao_H, Sans,
         std::nullopt, &Form1::Limpar_Log_Click},
        {"Sair", Botao, "Sair", "Frame9", 120, 4080, Botao_W, Botao_H, Sans, std::nullopt,
         &Form1::Sair_Click},
    };
    return layout;
}

}  // namespace qx7
