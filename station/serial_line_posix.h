#pragma once
// The serial line's calls made on a POSIX descriptor through the kernel's terminal requests.

#include "station/line_device.h"

namespace qx7 {

class Linha_Posix final : public Linha_Serial {
  public:
    Linha_Posix(int descritor, std::filesystem::path dispositivo);
    ~Linha_Posix() override;
    Linha_Posix(const Linha_Posix&) = delete;
    Linha_Posix& operator=(const Linha_Posix&) = delete;

    Leitura<Linhas_Modem> Ler_Linhas() override;
    Leitura<Contadores_Erro> Ler_Contadores() override;
    Leitura<int> Fila_Saida() override;
    Leitura<bool> Transmissor_Vazio() override;
    Resultado_Linha Definir(Sinal_Saida sinal, bool ligado) override;
    Leitura<std::size_t> Escrever(std::string_view bytes) override;
    void Esperar_Escrita(int ms) override;
    Resultado_Linha Descartar_Saida() override;
    Resultado_Linha Ativar_RS485() override;
    Resultado_Linha Fechar_Sem_Esperar() override;
    bool Terminal_Vivo() override;
    bool Dispositivo_Presente() override;

  private:
    int descritor_;
    std::filesystem::path dispositivo_;
};

}  // namespace qx7
